#include "app/preferences_command.h"

#include "app/command_effects.h"
#include "app/command_table.h"
#include "app/main_window.h"
#include "app/preferences_form.h"

void ConnectPreferences(tarvo::Core& core, TAppTarvo& window, PreferencesHotkeys& hotkeys) {
  window.Commands().Connect(CommandId::PreferencesAc,
                            [&core, &window, &hotkeys, dialog = static_cast<TPreferences_Form*>(nullptr)]() mutable {
                              if (!dialog) dialog = new TPreferences_Form(core, hotkeys, ResetSystemMixer, &window);
                              dialog->exec();
                            });
}
