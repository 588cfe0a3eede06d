// The global hotkeys of the running program: registered from the settings
// at start, suspended while the preferences dialog edits them, and the
// actions of the 13 slots when a registered combination is pressed. They are
// bound through the desktop portal when the session bus offers its global
// shortcuts, else grabbed on X11. Slots 0..7 run through the key dispatcher;
// the others act on the main window. Window thread only.
#pragma once

#include <QMap>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_id.h"
#include "app/preferences_hotkeys.h"
#include "core.h"
#include "integration/global_hotkeys.h"

class HotkeysPage;
class PortalGlobalShortcuts;
class TAppTarvo;
class X11HotkeyGrabs;
struct PortalBindResult;

class GlobalHotkeys : public PreferencesHotkeys {
 public:
  // `requestExit` ends the program through its normal exit path.
  GlobalHotkeys(tarvo::Core& core, TAppTarvo& window, std::function<void()> requestExit);
  ~GlobalHotkeys() override;

  // At start: registers every bound slot; refusals are silent. With a
  // session bus, the portal is asked first, and the registration follows its
  // answer.
  void RegisterAtStart();
  // Runs the action of `slot`; ignored while the dialog edits the hotkeys
  // and for a slot outside 0..12.
  void Run(int slot);

  QWidget* CreatePage(QWidget* parent) override;
  void BeginEditing() override;
  void EndEditing(bool reportFailures) override;

 private:
  enum class Registrar { X11, AskingPortal, Portal };
  // What the desktop bound for a slot through the portal: the stored value
  // it was asked for and its own text of the trigger.
  struct DesktopKey {
    std::string value;
    std::string trigger;
  };

  void Register(bool reportFailures);
  void BindThroughPortal(bool reportFailures);
  void PortalBound(const std::array<std::string, tarvo::kGlobalHotkeySlots>& values, const std::vector<int>& asked,
                   const PortalBindResult& result, bool reportFailures);
  void PortalActivated(const QString& id);
  void PortalTriggersChanged(const QMap<QString, QString>& triggers);
  std::array<std::string, tarvo::kGlobalHotkeySlots> ListRows() const;
  void RunWindowAction(int slot);
  void TriggerCommand(CommandId command);

  tarvo::Core& core_;
  TAppTarvo& window_;
  std::function<void()> requestExit_;
  std::unique_ptr<X11HotkeyGrabs> grabs_;
  std::unique_ptr<PortalGlobalShortcuts> portal_;
  Registrar registrar_ = Registrar::X11;
  std::array<DesktopKey, tarvo::kGlobalHotkeySlots> desktopKeys_;
  // The combination the page's field captured; kept between openings.
  tarvo::HotkeyCombination captured_;
  HotkeysPage* page_ = nullptr;
  bool editing_ = false;
};
