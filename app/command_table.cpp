#include "app/command_table.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {

struct CommandSpec {
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
      {"OpenFileAc", "파일 추가(&f)...", QKeySequence(Qt::CTRL | Qt::Key_L)},
      {"OpenDirAc", "폴더 열기(&O)...", QKeySequence(Qt::Key_F4)},
      {"AddDirAc", "폴더 추가(&A)...", QKeySequence(Qt::Key_F3)},
      {"AddRadioAc", "경로 추가(&u)...", QKeySequence(Qt::CTRL | Qt::Key_R)},
      {"LoadPlayListAc", "재생목록 열기(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"SavePlaylistAc", "재생목록 저장(&S)...", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"SaveFileAc", "다른 이름으로 저장...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {"EscAc", "종료(&E)", QKeySequence(Qt::Key_Escape)},
      {"FileInfoAc", "파일 정보...", QKeySequence(Qt::Key_F2)},
      {"PropertiesAc", "파일 정보...", QKeySequence(Qt::ALT | Qt::Key_Return)},
      {"DeleteAc", "목록에서 삭제(&R)", QKeySequence(Qt::Key_Delete)},
      {"RealDelAc", "휴지통으로 삭제(&D)...", QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
      {"ExplorerFile", "윈도우 탐색기(&E)...", QKeySequence(Qt::CTRL | Qt::Key_E)},
      {"ExplorerExe", "Tarvo의 위치를 윈도우 탐색기로 열기(&E)", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E)},
      {"RefreshAc", "새로운 파일 체크", QKeySequence(Qt::Key_F5)},
      {"JumpAc", "재생중인 곡 선택(&p)", QKeySequence(Qt::Key_QuoteLeft)},
      {"CropAc", "선택되거나 대기열에 들어간 항목만 남기기(&C)", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
      {"BrokenFilesAc", "목록에서 존재하지 않는 항목 삭제(&m)", QKeySequence(Qt::ALT | Qt::Key_Delete)},
      {"CutAc", "목록의 선택항목 잘라내기(&t)", QKeySequence(Qt::CTRL | Qt::Key_X)},
      {"CopyAc", "목록의 선택항목 복사(&C)", QKeySequence(Qt::CTRL | Qt::Key_C)},
      {"PastAc", "목록에 항목 붙여넣기(&P)", QKeySequence(Qt::CTRL | Qt::Key_V)},
      {"ListEntryAc", "목록의 항목 수정(&E)...", QKeySequence(Qt::SHIFT | Qt::Key_F2)},
      {"NewListAc", "목록 비우기(&C)", QKeySequence(Qt::CTRL | Qt::Key_N)},
      {"ClearShuffleHistoryAc", "뒤섞기/대기열 기록 삭제(&C)", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
      {"TotalTimeAc", "선택된 파일들의 재생시간...", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T)},
      {"SleepTimerAc", "자동 종료(&t)...", QKeySequence(Qt::ALT | Qt::Key_T)},
      {"FindAc", "검색(&F)...", QKeySequence(Qt::CTRL | Qt::Key_F)},
      {"PlayAc", "재생(&P)", QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
      {"PauseAc", "일시 중지(&u)", QKeySequence(Qt::Key_Space)},
      {"StopAc", "중지(&S)", Keypad(Qt::Key_0)},
      {"RecordStartAc", "녹음(&R)", Keypad(Qt::Key_Asterisk)},
      {"NextAc", "다음곡(&N)", QKeySequence(Qt::Key_Tab)},
      {"PrevAc", "이전곡(&P)", QKeySequence(Qt::Key_Backtab)},
      {"TerugspoelenAc", "Total rewind", QKeySequence(Qt::Key_Backspace)},
      {"QueuAc", "대기열(&Q)", QKeySequence(Qt::Key_Insert), QKeySequence(Qt::Key_Slash)},
      {"FavoritesAddAc", "즐겨찾기에 목록 저장(&A)...", QKeySequence(Qt::CTRL | Qt::Key_D)},
      {"FavoritesOrganize", "즐겨찾기 관리(&O)...", QKeySequence(Qt::CTRL | Qt::Key_B)},
      {"PreferencesAc", "설정(&S)...", QKeySequence(Qt::Key_F6)},
      {"ModeAc1", "목록 반복(&R)", {}},
      {"ModeAc2", "파일 반복(&R)", {}},
      {"ModeAc3", "목록 재생(&P)", {}},
      {"ModeAc4", "파일 재생(&P)", {}},
      {"ModeAc5", "뒤섞기(&S)", {}},
      {"PlayModeToggleAc", "다음항목으로 변경(&T)", QKeySequence(Qt::Key_F9)},
      {"View1Ac", "파일 이름 보기(&f)", {}},
      {"View2Ac", "전체 경로 보기(&p)", {}},
      {"View3Ac", "상대 경로 보기(&r)", {}},
      {"ViewFormatPathAc", "목록형태를 차례대로 보기(&T)", QKeySequence(Qt::Key_F8)},
      {"ViewPlayBarAc", "아이콘바", {}},
      {"ViewProgressPanelAc", "진행바", {}},
      {"Level1Ac", "음량 표시바 숨기기", {}},
      {"Level2Ac", "6단계 음량 표시바", {}},
      {"Level3Ac", "14단계 음량 표시바", {}},
      {"VUToggleAc", "전환(&T)", {}},
      {"ResetMixerAc", "사운드 드라이버 믹서 초기화", QKeySequence(Qt::CTRL | Qt::Key_Space)},
      {"MinimizeAc", "트레이로 최소화(&M)", QKeySequence(Qt::Key_F11)},
      {"MaximizeAc", "MaximizeAc", QKeySequence(Qt::Key_F12)},
      {"ShortcutsAc", "단축키...", QKeySequence(Qt::Key_F1)},
      {"DocAc", "참고 문서(&D)...", QKeySequence(Qt::CTRL | Qt::Key_F1)},
      {"AboutAc", "Tarvo에 대해서(&A)...", {}},
      {"SoftmuteAc", "조용히(&S)", QKeySequence(Qt::Key_NumLock)},
      {"CopyPlAc", "CopyPlAc", {}},
      {"Next2Ac", "Next2Ac", {}},
      {"Previous2Ac", "Previous2Ac", QKeySequence(Qt::SHIFT | Qt::Key_NumLock)},
      {"RecordAc", "녹음(&R)", {}},
  };
  return specs;
}

// Radio groups: one checked item at a time.
const QStringList kModeCommands = {"ModeAc1", "ModeAc2", "ModeAc3", "ModeAc4", "ModeAc5"};
const QStringList kViewCommands = {"View1Ac", "View2Ac", "View3Ac"};
const QStringList kLevelCommands = {"Level1Ac", "Level2Ac", "Level3Ac"};

void AddAll(QMenu* menu, const CommandTable& table, const QStringList& names) {
  for (const QString& name : names) {
    if (name.isEmpty()) {
      menu->addSeparator();
    } else {
      menu->addAction(table.Command(name));
    }
  }
}

}  // namespace

CommandTable::CommandTable(QWidget* window) : QObject(window) {
  for (const CommandSpec& spec : Specs()) {
    const QString name = QString::fromLatin1(spec.name);
    auto* action = new QAction(QString::fromUtf8(spec.caption), window);
    action->setObjectName(name);
    QList<QKeySequence> shortcuts;
    if (!spec.shortcut.isEmpty()) shortcuts << spec.shortcut;
    if (!spec.alternative.isEmpty()) shortcuts << spec.alternative;
    action->setShortcuts(shortcuts);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(false);
    window->addAction(action);
    commands_.insert(name, action);
    names_ << name;
  }
  for (const QStringList& group : {kModeCommands, kViewCommands, kLevelCommands}) {
    auto* radio = new QActionGroup(this);
    for (const QString& name : group) {
      QAction* action = Command(name);
      action->setCheckable(true);
      radio->addAction(action);
    }
  }
  for (const char* toggle : {"ViewPlayBarAc", "ViewProgressPanelAc"}) Command(QString::fromLatin1(toggle))->setCheckable(true);
}

void CommandTable::Connect(const QString& name, std::function<void()> effect) {
  QAction* action = Command(name);
  action->setEnabled(true);
  connect(action, &QAction::triggered, this, [effect = std::move(effect)] { effect(); });
}

QAction* CommandTable::Command(const QString& name) const { return commands_.value(name); }

void CommandTable::BuildMainMenu(QMenuBar* bar) const {
  QMenu* file = bar->addMenu(QStringLiteral("파일(&F)"));
  AddAll(file, *this, {"OpenDirAc", "AddDirAc", "OpenFileAc", "AddRadioAc", "", "LoadPlayListAc", "SavePlaylistAc", "",
                       "EscAc"});
  QMenu* edit = bar->addMenu(QStringLiteral("편집(&E)"));
  AddAll(edit, *this, {"FileInfoAc", "DeleteAc", "RealDelAc", "ExplorerFile"});
  QMenu* tools = edit->addMenu(QStringLiteral("도구(&T)"));
  AddAll(tools, *this, {"RefreshAc", "JumpAc"});
  // The renamer item shares the file-information shortcut; it opens the
  // renamer when several rows are selected.
  QAction* renamer = tools->addAction(QStringLiteral("다중 파일 이름 변경(&M)"));
  renamer->setObjectName(QStringLiteral("Multiplefilenamerenamer1"));
  renamer->setShortcut(QKeySequence(Qt::Key_F2));
  renamer->setShortcutContext(Qt::WidgetShortcut);
  renamer->setEnabled(false);
  AddAll(tools, *this, {"SleepTimerAc", "CropAc", "BrokenFilesAc", "CutAc", "CopyAc", "PastAc", "ListEntryAc",
                        "NewListAc", "ClearShuffleHistoryAc", "TotalTimeAc", "ExplorerExe"});
  AddAll(edit, *this, {"", "FindAc"});
  QMenu* play = bar->addMenu(QStringLiteral("재생(&P)"));
  AddAll(play, *this, {"PlayAc", "PauseAc", "StopAc", "RecordStartAc", "", "NextAc", "PrevAc", "QueuAc"});
  QMenu* favorites = bar->addMenu(QStringLiteral("즐겨찾기(&F)"));
  // The favourites themselves follow, added by FavoritesMenu.
  favorites->setObjectName(QStringLiteral("FavoritesMenu"));
  AddAll(favorites, *this, {"FavoritesAddAc", "FavoritesOrganize", ""});
  QMenu* options = bar->addMenu(QStringLiteral("옵션(&O)"));
  AddAll(options, *this, {"PreferencesAc", ""});
  AddAll(options, *this, kModeCommands);
  AddAll(options, *this, {"PlayModeToggleAc"});
  QMenu* view = bar->addMenu(QStringLiteral("보기(&V)"));
  AddAll(view, *this, kViewCommands);
  AddAll(view, *this, {"ViewFormatPathAc", "", "ViewPlayBarAc", "ViewProgressPanelAc"});
  QMenu* help = bar->addMenu(QStringLiteral("도움말(&H)"));
  AddAll(help, *this, {"ShortcutsAc", "DocAc", "", "AboutAc"});
}

QMenu* CommandTable::BuildListPopup(QWidget* parent) const {
  auto* popup = new QMenu(parent);
  AddAll(popup, *this, {"QueuAc", "DeleteAc", "ExplorerFile", "", "FileInfoAc"});
  return popup;
}
