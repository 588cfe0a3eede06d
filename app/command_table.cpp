#include "app/command_table.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <initializer_list>
#include <optional>

namespace {

struct CommandSpec {
  CommandId id;
  // The action's object name, for tests and for finding it from outside.
  const char* name;
  const char* caption;
  // Qt key sequences; the second is a further key for the same command.
  QKeySequence shortcut;
  QKeySequence alternative = {};
};

QKeySequence Keypad(Qt::Key key) { return QKeySequence(QKeyCombination(Qt::KeypadModifier, key)); }

// In table order. Captions are the window's own.
const std::vector<CommandSpec>& Specs() {
  static const std::vector<CommandSpec> specs = {
      {CommandId::OpenFileAc, "OpenFileAc", QT_TRANSLATE_NOOP("CommandTable", "파일 추가(&f)..."), QKeySequence(Qt::CTRL | Qt::Key_L)},
      {CommandId::OpenDirAc, "OpenDirAc", QT_TRANSLATE_NOOP("CommandTable", "폴더 열기(&O)..."), QKeySequence(Qt::Key_F4)},
      {CommandId::AddDirAc, "AddDirAc", QT_TRANSLATE_NOOP("CommandTable", "폴더 추가(&A)..."), QKeySequence(Qt::Key_F3)},
      {CommandId::AddRadioAc, "AddRadioAc", QT_TRANSLATE_NOOP("CommandTable", "경로 추가(&u)..."), QKeySequence(Qt::CTRL | Qt::Key_R)},
      {CommandId::LoadPlayListAc, "LoadPlayListAc", QT_TRANSLATE_NOOP("CommandTable", "재생목록 열기(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O)},
      {CommandId::SavePlaylistAc, "SavePlaylistAc", QT_TRANSLATE_NOOP("CommandTable", "재생목록 저장(&S)..."), QKeySequence(Qt::CTRL | Qt::Key_S)},
      {CommandId::SaveFileAc, "SaveFileAc", QT_TRANSLATE_NOOP("CommandTable", "다른 이름으로 저장..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {CommandId::EscAc, "EscAc", QT_TRANSLATE_NOOP("CommandTable", "종료(&E)"), QKeySequence(Qt::Key_Escape)},
      {CommandId::FileInfoAc, "FileInfoAc", QT_TRANSLATE_NOOP("CommandTable", "파일 정보..."), QKeySequence(Qt::Key_F2)},
      {CommandId::PropertiesAc, "PropertiesAc", QT_TRANSLATE_NOOP("CommandTable", "파일 정보..."), QKeySequence(Qt::ALT | Qt::Key_Return)},
      {CommandId::DeleteAc, "DeleteAc", QT_TRANSLATE_NOOP("CommandTable", "목록에서 삭제(&R)"), QKeySequence(Qt::Key_Delete)},
      {CommandId::RealDelAc, "RealDelAc", QT_TRANSLATE_NOOP("CommandTable", "휴지통으로 삭제(&D)..."), QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
      {CommandId::ExplorerFile, "ExplorerFile", QT_TRANSLATE_NOOP("CommandTable", "윈도우 탐색기(&E)..."), QKeySequence(Qt::CTRL | Qt::Key_E)},
      {CommandId::ExplorerExe, "ExplorerExe", QT_TRANSLATE_NOOP("CommandTable", "Tarvo의 위치를 윈도우 탐색기로 열기(&E)"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E)},
      {CommandId::RefreshAc, "RefreshAc", QT_TRANSLATE_NOOP("CommandTable", "새로운 파일 체크"), QKeySequence(Qt::Key_F5)},
      {CommandId::JumpAc, "JumpAc", QT_TRANSLATE_NOOP("CommandTable", "재생중인 곡 선택(&p)"), QKeySequence(Qt::Key_QuoteLeft)},
      {CommandId::CropAc, "CropAc", QT_TRANSLATE_NOOP("CommandTable", "선택되거나 대기열에 들어간 항목만 남기기(&C)"), QKeySequence(Qt::CTRL | Qt::Key_Delete)},
      {CommandId::BrokenFilesAc, "BrokenFilesAc", QT_TRANSLATE_NOOP("CommandTable", "목록에서 존재하지 않는 항목 삭제(&m)"), QKeySequence(Qt::ALT | Qt::Key_Delete)},
      {CommandId::CutAc, "CutAc", QT_TRANSLATE_NOOP("CommandTable", "목록의 선택항목 잘라내기(&t)"), QKeySequence(Qt::CTRL | Qt::Key_X)},
      {CommandId::CopyAc, "CopyAc", QT_TRANSLATE_NOOP("CommandTable", "목록의 선택항목 복사(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C)},
      {CommandId::PastAc, "PastAc", QT_TRANSLATE_NOOP("CommandTable", "목록에 항목 붙여넣기(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V)},
      {CommandId::ListEntryAc, "ListEntryAc", QT_TRANSLATE_NOOP("CommandTable", "목록의 항목 수정(&E)..."), QKeySequence(Qt::SHIFT | Qt::Key_F2)},
      {CommandId::NewListAc, "NewListAc", QT_TRANSLATE_NOOP("CommandTable", "목록 비우기(&C)"), QKeySequence(Qt::CTRL | Qt::Key_N)},
      {CommandId::ClearShuffleHistoryAc, "ClearShuffleHistoryAc", QT_TRANSLATE_NOOP("CommandTable", "뒤섞기/대기열 기록 삭제(&C)"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
      {CommandId::TotalTimeAc, "TotalTimeAc", QT_TRANSLATE_NOOP("CommandTable", "선택된 파일들의 재생시간..."), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T)},
      {CommandId::SleepTimerAc, "SleepTimerAc", QT_TRANSLATE_NOOP("CommandTable", "자동 종료(&t)..."), QKeySequence(Qt::ALT | Qt::Key_T)},
      {CommandId::FindAc, "FindAc", QT_TRANSLATE_NOOP("CommandTable", "검색(&F)..."), QKeySequence(Qt::CTRL | Qt::Key_F)},
      {CommandId::PlayAc, "PlayAc", QT_TRANSLATE_NOOP("CommandTable", "재생(&P)"), QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
      {CommandId::PauseAc, "PauseAc", QT_TRANSLATE_NOOP("CommandTable", "일시 중지(&u)"), QKeySequence(Qt::Key_Space)},
      {CommandId::StopAc, "StopAc", QT_TRANSLATE_NOOP("CommandTable", "중지(&S)"), Keypad(Qt::Key_0)},
      {CommandId::RecordStartAc, "RecordStartAc", QT_TRANSLATE_NOOP("CommandTable", "녹음(&R)"), Keypad(Qt::Key_Asterisk)},
      {CommandId::NextAc, "NextAc", QT_TRANSLATE_NOOP("CommandTable", "다음곡(&N)"), QKeySequence(Qt::Key_Tab)},
      {CommandId::PrevAc, "PrevAc", QT_TRANSLATE_NOOP("CommandTable", "이전곡(&P)"), QKeySequence(Qt::Key_Backtab)},
      {CommandId::TerugspoelenAc, "TerugspoelenAc", "Total rewind", QKeySequence(Qt::Key_Backspace)},
      {CommandId::QueuAc, "QueuAc", QT_TRANSLATE_NOOP("CommandTable", "대기열(&Q)"), QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_Slash)},
      {CommandId::FavoritesAddAc, "FavoritesAddAc", QT_TRANSLATE_NOOP("CommandTable", "즐겨찾기에 목록 저장(&A)..."), QKeySequence(Qt::CTRL | Qt::Key_D)},
      {CommandId::FavoritesOrganize, "FavoritesOrganize", QT_TRANSLATE_NOOP("CommandTable", "즐겨찾기 관리(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_B)},
      {CommandId::PreferencesAc, "PreferencesAc", QT_TRANSLATE_NOOP("CommandTable", "설정(&S)..."), QKeySequence(Qt::Key_F6)},
      {CommandId::ModeAc1, "ModeAc1", QT_TRANSLATE_NOOP("CommandTable", "목록 반복(&R)"), {}},
      {CommandId::ModeAc2, "ModeAc2", QT_TRANSLATE_NOOP("CommandTable", "파일 반복(&R)"), {}},
      {CommandId::ModeAc3, "ModeAc3", QT_TRANSLATE_NOOP("CommandTable", "목록 재생(&P)"), {}},
      {CommandId::ModeAc4, "ModeAc4", QT_TRANSLATE_NOOP("CommandTable", "파일 재생(&P)"), {}},
      {CommandId::ModeAc5, "ModeAc5", QT_TRANSLATE_NOOP("CommandTable", "뒤섞기(&S)"), {}},
      {CommandId::PlayModeToggleAc, "PlayModeToggleAc", QT_TRANSLATE_NOOP("CommandTable", "다음항목으로 변경(&T)"), QKeySequence(Qt::Key_F9)},
      {CommandId::View1Ac, "View1Ac", QT_TRANSLATE_NOOP("CommandTable", "파일 이름 보기(&f)"), {}},
      {CommandId::View2Ac, "View2Ac", QT_TRANSLATE_NOOP("CommandTable", "전체 경로 보기(&p)"), {}},
      {CommandId::View3Ac, "View3Ac", QT_TRANSLATE_NOOP("CommandTable", "상대 경로 보기(&r)"), {}},
      {CommandId::ViewFormatPathAc, "ViewFormatPathAc", QT_TRANSLATE_NOOP("CommandTable", "목록형태를 차례대로 보기(&T)"), QKeySequence(Qt::Key_F8)},
      {CommandId::ViewPlayBarAc, "ViewPlayBarAc", QT_TRANSLATE_NOOP("CommandTable", "아이콘바"), {}},
      {CommandId::ViewProgressPanelAc, "ViewProgressPanelAc", QT_TRANSLATE_NOOP("CommandTable", "진행바"), {}},
      {CommandId::Level1Ac, "Level1Ac", QT_TRANSLATE_NOOP("CommandTable", "음량 표시바 숨기기"), {}},
      {CommandId::Level2Ac, "Level2Ac", QT_TRANSLATE_NOOP("CommandTable", "6단계 음량 표시바"), {}},
      {CommandId::Level3Ac, "Level3Ac", QT_TRANSLATE_NOOP("CommandTable", "14단계 음량 표시바"), {}},
      {CommandId::VUToggleAc, "VUToggleAc", QT_TRANSLATE_NOOP("CommandTable", "전환(&T)"), {}},
      {CommandId::ResetMixerAc, "ResetMixerAc", QT_TRANSLATE_NOOP("CommandTable", "사운드 드라이버 믹서 초기화"), QKeySequence(Qt::CTRL | Qt::Key_Space)},
      {CommandId::MinimizeAc, "MinimizeAc", QT_TRANSLATE_NOOP("CommandTable", "트레이로 최소화(&M)"), QKeySequence(Qt::Key_F11)},
      {CommandId::MaximizeAc, "MaximizeAc", "MaximizeAc", QKeySequence(Qt::Key_F12)},
      {CommandId::ShortcutsAc, "ShortcutsAc", QT_TRANSLATE_NOOP("CommandTable", "단축키..."), QKeySequence(Qt::Key_F1)},
      {CommandId::DocAc, "DocAc", QT_TRANSLATE_NOOP("CommandTable", "참고 문서(&D)..."), QKeySequence(Qt::CTRL | Qt::Key_F1)},
      {CommandId::AboutAc, "AboutAc", QT_TRANSLATE_NOOP("CommandTable", "Tarvo에 대해서(&A)..."), {}},
      {CommandId::SoftmuteAc, "SoftmuteAc", QT_TRANSLATE_NOOP("CommandTable", "조용히(&S)"), QKeySequence(Qt::Key_NumLock)},
      {CommandId::CopyPlAc, "CopyPlAc", "CopyPlAc", {}},
      {CommandId::Next2Ac, "Next2Ac", "Next2Ac", {}},
      {CommandId::Previous2Ac, "Previous2Ac", "Previous2Ac", QKeySequence(Qt::SHIFT | Qt::Key_NumLock)},
      {CommandId::RecordAc, "RecordAc", QT_TRANSLATE_NOOP("CommandTable", "녹음(&R)"), {}},
  };
  return specs;
}

using C = CommandId;

// Radio groups: one checked item at a time.
const std::initializer_list<CommandId> kModeCommands = {C::ModeAc1, C::ModeAc2, C::ModeAc3, C::ModeAc4, C::ModeAc5};
const std::initializer_list<CommandId> kViewCommands = {C::View1Ac, C::View2Ac, C::View3Ac};
const std::initializer_list<CommandId> kLevelCommands = {C::Level1Ac, C::Level2Ac, C::Level3Ac};

// A menu item: a command, or a separator where there is none.
using MenuItem = std::optional<CommandId>;
constexpr std::nullopt_t kSeparator = std::nullopt;

void AddAll(QMenu* menu, const CommandTable& table, std::initializer_list<MenuItem> items) {
  for (const MenuItem& item : items) {
    if (item) {
      menu->addAction(table.Command(*item));
    } else {
      menu->addSeparator();
    }
  }
}

void AddAll(QMenu* menu, const CommandTable& table, std::initializer_list<CommandId> items) {
  for (const CommandId id : items) menu->addAction(table.Command(id));
}

}  // namespace

CommandTable::CommandTable(QWidget* window) : QObject(window) {
  for (const CommandSpec& spec : Specs()) {
    const QString name = QString::fromLatin1(spec.name);
    auto* action = new QAction(QCoreApplication::translate("CommandTable", spec.caption), window);
    action->setObjectName(name);
    QList<QKeySequence> shortcuts;
    if (!spec.shortcut.isEmpty()) shortcuts << spec.shortcut;
    if (!spec.alternative.isEmpty()) shortcuts << spec.alternative;
    action->setShortcuts(shortcuts);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(false);
    window->addAction(action);
    commands_[static_cast<std::size_t>(spec.id)] = action;
    names_ << name;
  }
  for (const auto& group : {kModeCommands, kViewCommands, kLevelCommands}) {
    auto* radio = new QActionGroup(this);
    for (const CommandId id : group) {
      QAction* action = Command(id);
      action->setCheckable(true);
      radio->addAction(action);
    }
  }
  for (const CommandId toggle : {C::ViewPlayBarAc, C::ViewProgressPanelAc}) Command(toggle)->setCheckable(true);
}

void CommandTable::Connect(CommandId id, std::function<void()> effect) {
  QAction* action = Command(id);
  action->setEnabled(true);
  connect(action, &QAction::triggered, this, [effect = std::move(effect)] { effect(); });
}

QAction* CommandTable::Command(CommandId id) const { return commands_[static_cast<std::size_t>(id)]; }

void CommandTable::BuildMainMenu(QMenuBar* bar) const {
  QMenu* file = bar->addMenu(tr("파일(&F)"));
  AddAll(file, *this, {C::OpenDirAc, C::AddDirAc, C::OpenFileAc, C::AddRadioAc, kSeparator, C::LoadPlayListAc, C::SavePlaylistAc, kSeparator, C::EscAc});
  QMenu* edit = bar->addMenu(tr("편집(&E)"));
  AddAll(edit, *this, {C::FileInfoAc, C::DeleteAc, C::RealDelAc, C::ExplorerFile});
  QMenu* tools = edit->addMenu(tr("도구(&T)"));
  AddAll(tools, *this, {C::RefreshAc, C::JumpAc});
  // The renamer item shares the file-information shortcut; it opens the
  // renamer when several rows are selected.
  QAction* renamer = tools->addAction(tr("다중 파일 이름 변경(&M)"));
  renamer->setObjectName(QStringLiteral("Multiplefilenamerenamer1"));
  renamer->setShortcut(QKeySequence(Qt::Key_F2));
  renamer->setShortcutContext(Qt::WidgetShortcut);
  renamer->setEnabled(false);
  AddAll(tools, *this, {C::SleepTimerAc, C::CropAc, C::BrokenFilesAc, C::CutAc, C::CopyAc, C::PastAc, C::ListEntryAc, C::NewListAc, C::ClearShuffleHistoryAc, C::TotalTimeAc, C::ExplorerExe});
  AddAll(edit, *this, {kSeparator, C::FindAc});
  QMenu* play = bar->addMenu(tr("재생(&P)"));
  AddAll(play, *this, {C::PlayAc, C::PauseAc, C::StopAc, C::RecordStartAc, kSeparator, C::NextAc, C::PrevAc, C::QueuAc});
  QMenu* favorites = bar->addMenu(tr("즐겨찾기(&F)"));
  // The favourites themselves follow, added by FavoritesMenu.
  favorites->setObjectName(QStringLiteral("FavoritesMenu"));
  AddAll(favorites, *this, {C::FavoritesAddAc, C::FavoritesOrganize, kSeparator});
  QMenu* options = bar->addMenu(tr("옵션(&O)"));
  AddAll(options, *this, {C::PreferencesAc, kSeparator});
  AddAll(options, *this, kModeCommands);
  AddAll(options, *this, {C::PlayModeToggleAc});
  QMenu* view = bar->addMenu(tr("보기(&V)"));
  AddAll(view, *this, kViewCommands);
  AddAll(view, *this, {C::ViewFormatPathAc, kSeparator, C::ViewPlayBarAc, C::ViewProgressPanelAc});
  QMenu* help = bar->addMenu(tr("도움말(&H)"));
  AddAll(help, *this, {C::ShortcutsAc, C::DocAc, kSeparator, C::AboutAc});
}

QMenu* CommandTable::BuildListPopup(QWidget* parent) const {
  auto* popup = new QMenu(parent);
  AddAll(popup, *this, {C::QueuAc, C::DeleteAc, C::ExplorerFile, kSeparator, C::FileInfoAc});
  return popup;
}
