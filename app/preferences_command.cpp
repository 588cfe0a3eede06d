#include "app/preferences_command.h"

#include "app/command_effects.h"
#include "app/command_table.h"
#include "app/lazy_window.h"
#include "app/main_window.h"
#include "app/preferences_form.h"

void ConnectPreferences(tarvo::Core& core, TAppTarvo& window, PreferencesHotkeys& hotkeys) {
  auto dialog = std::make_shared<LazyWindow<TPreferences_Form>>([&core, &window, &hotkeys] {
    return new TPreferences_Form(core, hotkeys, ResetSystemMixer, &window);
  });
  window.Commands().Connect(CommandId::PreferencesAc, [dialog] { (*dialog)->exec(); });
}
