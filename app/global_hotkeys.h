// The global hotkeys of the running program: registered with X11 from the
// settings at start, suspended while the preferences dialog edits them, and
// the actions of the 13 slots when a registered combination is pressed.
// Slots 0..7 run through the key dispatcher; the others act on the main
// window. Window thread only.
#pragma once

#include <functional>
#include <memory>

#include "app/command_id.h"
#include "app/preferences_hotkeys.h"
#include "core.h"
#include "integration/global_hotkeys.h"

class HotkeysPage;
class TAppTarvo;
class X11HotkeyGrabs;

class GlobalHotkeys : public PreferencesHotkeys {
 public:
  // `requestExit` ends the program through its normal exit path.
  GlobalHotkeys(tarvo::Core& core, TAppTarvo& window, std::function<void()> requestExit);
  ~GlobalHotkeys() override;

  // At start: registers every bound slot; refusals are silent.
  void RegisterAtStart();
  // Runs the action of `slot`; ignored while the dialog edits the hotkeys
  // and for a slot outside 0..12.
  void Run(int slot);

  QWidget* CreatePage(QWidget* parent) override;
  void BeginEditing() override;
  void EndEditing(bool reportFailures) override;

 private:
  void RunWindowAction(int slot);
  void TriggerCommand(CommandId command);

  tarvo::Core& core_;
  TAppTarvo& window_;
  std::function<void()> requestExit_;
  std::unique_ptr<X11HotkeyGrabs> grabs_;
  // The combination the page's field captured; kept between openings.
  tarvo::HotkeyCombination captured_;
  HotkeysPage* page_ = nullptr;
  bool editing_ = false;
};
