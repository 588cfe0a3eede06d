#include "app/global_hotkeys.h"

#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <optional>
#include <vector>

#include "app/command_table.h"
#include "app/hotkeys_page.h"
#include "app/main_window.h"
#include "app/portal_global_shortcuts.h"
#include "app/portal_trigger.h"
#include "app/x11_hotkey_grabs.h"
#include "playback/key_dispatcher.h"

namespace {

std::optional<int> SlotOfId(const QString& id) {
  bool isNumber = false;
  const int slot = id.toInt(&isNumber);
  if (!isNumber || slot < 0 || slot >= tarvo::kGlobalHotkeySlots) return std::nullopt;
  return slot;
}

}  // namespace

GlobalHotkeys::GlobalHotkeys(tarvo::Core& core, TAppTarvo& window, std::function<void()> requestExit)
    : core_(core),
      window_(window),
      requestExit_(std::move(requestExit)),
      grabs_(std::make_unique<X11HotkeyGrabs>([this](int slot) { Run(slot); })) {}

GlobalHotkeys::~GlobalHotkeys() = default;

void GlobalHotkeys::RegisterAtStart() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    Register(false);
    return;
  }
  registrar_ = Registrar::AskingPortal;
  portal_ = std::make_unique<PortalGlobalShortcuts>(bus);
  QObject::connect(portal_.get(), &PortalGlobalShortcuts::Activated, portal_.get(),
                   [this](const QString& id) { PortalActivated(id); });
  QObject::connect(portal_.get(), &PortalGlobalShortcuts::TriggersChanged, portal_.get(),
                   [this](const QMap<QString, QString>& triggers) { PortalTriggersChanged(triggers); });
  portal_->Probe([this](bool available) {
    registrar_ = available ? Registrar::Portal : Registrar::X11;
    // The dialog registers when it closes.
    if (!editing_) Register(false);
  });
}

void GlobalHotkeys::Run(int slot) {
  if (editing_ || slot < 0 || slot >= tarvo::kGlobalHotkeySlots) return;
  if (!tarvo::DispatchGlobalHotkey(core_, slot)) RunWindowAction(slot);
}

QWidget* GlobalHotkeys::CreatePage(QWidget* parent) {
  page_ = new HotkeysPage(core_, captured_, [this] { return ListRows(); }, parent);
  return page_;
}

void GlobalHotkeys::BeginEditing() {
  editing_ = true;
  if (page_) page_->Fill();
  tarvo::UnregisterGlobalHotkeys(*grabs_);
  if (portal_) portal_->Close();
}

void GlobalHotkeys::EndEditing(bool reportFailures) {
  Register(reportFailures);
  editing_ = false;
}

// While the portal has not answered yet, its answer registers.
void GlobalHotkeys::Register(bool reportFailures) {
  switch (registrar_) {
    case Registrar::X11:
      tarvo::RegisterGlobalHotkeys(core_, *grabs_, reportFailures);
      break;
    case Registrar::Portal:
      BindThroughPortal(reportFailures);
      break;
    case Registrar::AskingPortal:
      break;
  }
}

// Each bound slot is asked for under its number, described by its function's
// name. A key without a keyboard name can't be asked for and counts as
// refused.
void GlobalHotkeys::BindThroughPortal(bool reportFailures) {
  const std::array<std::string, tarvo::kGlobalHotkeySlots> values = tarvo::StoredHotkeyValues(core_);
  QList<PortalShortcut> shortcuts;
  std::vector<int> asked;
  for (int slot = 0; slot < tarvo::kGlobalHotkeySlots; ++slot) {
    const auto combination = tarvo::ParseHotkeyValue(values[static_cast<std::size_t>(slot)]);
    if (!combination) continue;
    const std::string trigger = PortalTrigger(*combination);
    if (trigger.empty()) {
      if (reportFailures) core_.ui.ShowMessage(tarvo::MessageKind::Error, tarvo::HotkeyRefusedText(slot));
      continue;
    }
    const std::string_view name = tarvo::HotkeyFunctions[static_cast<std::size_t>(slot)];
    shortcuts.append({QString::number(slot), QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                      QString::fromStdString(trigger)});
    asked.push_back(slot);
  }
  desktopKeys_ = {};
  if (shortcuts.isEmpty()) return;
  portal_->Bind(shortcuts, [this, values, asked, reportFailures](const PortalBindResult& result) {
    PortalBound(values, asked, result, reportFailures);
  });
}

// A slot the desktop left out of its answer is refused, as a key another
// program holds is on X11.
void GlobalHotkeys::PortalBound(const std::array<std::string, tarvo::kGlobalHotkeySlots>& values,
                                const std::vector<int>& asked, const PortalBindResult& result, bool reportFailures) {
  for (const int slot : asked) {
    const auto bound = result.bound.find(QString::number(slot));
    if (bound != result.bound.end()) {
      desktopKeys_[static_cast<std::size_t>(slot)] = {values[static_cast<std::size_t>(slot)],
                                                      bound.value().toStdString()};
    } else if (reportFailures) {
      core_.ui.ShowMessage(tarvo::MessageKind::Error, tarvo::HotkeyRefusedText(slot));
    }
  }
  if (page_) page_->Fill();
}

// The portal reports only ids bound in its session, and those are slot
// numbers.
void GlobalHotkeys::PortalActivated(const QString& id) {
  if (const std::optional<int> slot = SlotOfId(id)) Run(*slot);
}

void GlobalHotkeys::PortalTriggersChanged(const QMap<QString, QString>& triggers) {
  for (auto trigger = triggers.begin(); trigger != triggers.end(); ++trigger) {
    if (const std::optional<int> slot = SlotOfId(trigger.key())) {
      desktopKeys_[static_cast<std::size_t>(*slot)].trigger = trigger.value().toStdString();
    }
  }
  if (page_) page_->Fill();
}

// A function shows the trigger the desktop bound for it, in the desktop's
// words, as long as its stored key is the one that was bound.
std::array<std::string, tarvo::kGlobalHotkeySlots> GlobalHotkeys::ListRows() const {
  const std::array<std::string, tarvo::kGlobalHotkeySlots> values = tarvo::StoredHotkeyValues(core_);
  std::array<std::string, tarvo::kGlobalHotkeySlots> rows = tarvo::HotkeyListRows(values);
  for (std::size_t slot = 0; slot < rows.size(); ++slot) {
    const DesktopKey& desktop = desktopKeys_[slot];
    if (desktop.trigger.empty() || desktop.value != values[slot]) continue;
    rows[slot] = std::string(tarvo::HotkeyFunctions[slot]) + "\t " + desktop.trigger;
  }
  return rows;
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
