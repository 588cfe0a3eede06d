#include "app/global_hotkeys.h"

#include <QAction>
#include <QApplication>

#include "app/command_table.h"
#include "app/hotkeys_page.h"
#include "app/main_window.h"
#include "app/x11_hotkey_grabs.h"
#include "playback/key_dispatcher.h"

GlobalHotkeys::GlobalHotkeys(tarvo::Core& core, TAppTarvo& window, std::function<void()> requestExit)
    : core_(core),
      window_(window),
      requestExit_(std::move(requestExit)),
      grabs_(std::make_unique<X11HotkeyGrabs>([this](int slot) { Run(slot); })) {}

GlobalHotkeys::~GlobalHotkeys() = default;

void GlobalHotkeys::RegisterAtStart() { tarvo::RegisterGlobalHotkeys(core_, *grabs_, false); }

void GlobalHotkeys::Run(int slot) {
  if (editing_ || slot < 0 || slot >= tarvo::kGlobalHotkeySlots) return;
  if (!tarvo::DispatchGlobalHotkey(core_, slot)) RunWindowAction(slot);
}

QWidget* GlobalHotkeys::CreatePage(QWidget* parent) {
  page_ = new HotkeysPage(core_, captured_, parent);
  return page_;
}

void GlobalHotkeys::BeginEditing() {
  editing_ = true;
  if (page_) page_->Fill();
  tarvo::UnregisterGlobalHotkeys(*grabs_);
}

void GlobalHotkeys::EndEditing(bool reportFailures) {
  tarvo::RegisterGlobalHotkeys(core_, *grabs_, reportFailures);
  editing_ = false;
}

// A dialog asked for while another one waits for the user would stack on
// it; the window comes to the front instead.
void GlobalHotkeys::RunWindowAction(int slot) {
  switch (slot) {
    case tarvo::kHotkeyFocusTarvo:
      window_.BringToFront();
      break;
    case tarvo::kHotkeyExitTarvo:
      requestExit_();
      break;
    case tarvo::kHotkeyFindBox:
    case tarvo::kHotkeyOpenDirBox:
      window_.BringToFront();
      if (QApplication::activeModalWidget()) break;
      TriggerCommand(slot == tarvo::kHotkeyFindBox ? CommandId::FindAc : CommandId::OpenDirAc);
      break;
    case tarvo::kHotkeyCopyPlayingTitle:
      TriggerCommand(CommandId::CopyPlAc);
      break;
    default:
      break;
  }
}

void GlobalHotkeys::TriggerCommand(CommandId command) { window_.Commands().Command(command)->trigger(); }
