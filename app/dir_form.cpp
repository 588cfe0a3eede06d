#include "app/dir_form.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "core.h"
#include "platform/file_io.h"
#include "platform/folder_tree.h"
#include "platform/process.h"
#include "playlist/folder_browser.h"
#include "playlist/model.h"
#include "playlist/sorting.h"

namespace {

constexpr int kWidth = 395;
constexpr int kFontPointSize = 8;
constexpr int kIndent = 25;
constexpr int kRootListRows = 20;
// Events run after this many subfolders have been looked into.
constexpr int kChildrenPerEventRun = 32;

const QString kOpenCaption = QStringLiteral("Open a folder with music files");
const QString kAddCaption = QStringLiteral("Add a folder with music files");
const QString kQuickAddCaption = QStringLiteral("&Add to playlist");
const QString kRootListHint = QStringLiteral(
    "To speed up and access your network, you can set the root folder from which to start browsing,\n"
    "Main menu > Options > Settings");

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// Placeholders are told apart by a mark, not by their text, which a real
// folder may share.
constexpr int kPlaceholderRole = Qt::UserRole;

bool IsPlaceholder(const QTreeWidgetItem* item) { return item->data(0, kPlaceholderRole).toBool(); }

// The hourglass while a folder is listed.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

TDir_Form::TDir_Form(tarvo::Core& core, QWidget* parent) : QDialog(parent), core_(core) {
  setObjectName(QStringLiteral("TDir_Form"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint);
  QFont desktopFont = QApplication::font();
  desktopFont.setPointSize(kFontPointSize);
  setFont(desktopFont);
  BuildControls();
  FillRootList();
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  const int screenHeight = screen ? screen->geometry().height() : 768;
  resize(kWidth, screenHeight - screenHeight / 5);
  Load();
}

TDir_Form& TDir_Form::Of(tarvo::Core& core, QWidget* window) {
  if (TDir_Form* existing = Existing(window)) return *existing;
  return *new TDir_Form(core, window);
}

TDir_Form* TDir_Form::Existing(QWidget* window) {
  return window ? window->findChild<TDir_Form*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void TDir_Form::BuildControls() {
  comboBox1_ = new QComboBox(this);
  comboBox1_->setMaxVisibleItems(kRootListRows);
  comboBox1_->setToolTip(kRootListHint);
  comboBox1_->installEventFilter(this);
  connect(comboBox1_, &QComboBox::activated, this, &TDir_Form::RootChosen);

  treeView1_ = new QTreeWidget(this);
  treeView1_->setHeaderHidden(true);
  treeView1_->setIndentation(kIndent);
  treeView1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  treeView1_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(treeView1_, &QTreeWidget::itemExpanded, this, &TDir_Form::ExpandNode);
  connect(treeView1_, &QTreeWidget::itemSelectionChanged, this, &TDir_Form::SelectionChanged);
  connect(treeView1_, &QWidget::customContextMenuRequested, this, &TDir_Form::ShowPopupMenu);

  checkSubDirs_ = new QCheckBox(tr("하위 폴더도 포함"), this);
  checkSubDirs_->setChecked(true);

  auto* buttons = new QDialogButtonBox(this);
  okButton_ = buttons->addButton(tr("확인(&O)"), QDialogButtonBox::ActionRole);
  QPushButton* cancel = buttons->addButton(tr("취소(&C)"), QDialogButtonBox::RejectRole);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &TDir_Form::OkClicked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* bottom = new QHBoxLayout();
  bottom->addWidget(checkSubDirs_);
  bottom->addStretch(1);
  bottom->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(comboBox1_);
  layout->addWidget(treeView1_, 1);
  layout->addLayout(bottom);

  popupMenu1_ = new QMenu(this);
  QAction* open = popupMenu1_->addAction(tr("열기(&O)"), okButton_, &QPushButton::click);
  popupMenu1_->setDefaultAction(open);
  popupMenu1_->addSeparator();
  popupMenu1_->addAction(AddCommand(tr("다시 읽기(&R)"), QKeySequence(Qt::Key_F5), &TDir_Form::Refresh));
  QAction* dropList =
      AddCommand(tr("폴더 목록 열기(&D)"), QKeySequence(Qt::CTRL | Qt::Key_Return), &TDir_Form::OpenRootList);
  dropList->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  popupMenu1_->addAction(dropList);
  popupMenu1_->addAction(AddCommand(tr("윈도우 탐색기로 열기(&E)..."), QKeySequence(Qt::CTRL | Qt::Key_E),
                                    &TDir_Form::ShowInFileManager));
  quickAc_ = AddCommand(tr("재생목록에 추가"), QKeySequence(Qt::Key_Insert), &TDir_Form::QuickAdd);
  popupMenu1_->addAction(quickAc_);
  AddCommand(QString(), QKeySequence(Qt::Key_F12), &TDir_Form::ToggleMaximized);
}

QAction* TDir_Form::AddCommand(const QString& caption, const QKeySequence& key, void (TDir_Form::*effect)()) {
  auto* action = new QAction(caption, this);
  action->setShortcut(key);
  action->setShortcutContext(Qt::WindowShortcut);
  connect(action, &QAction::triggered, this, effect);
  addAction(action);
  return action;
}

void TDir_Form::FillRootList() {
  const QSignalBlocker blocker(comboBox1_);
  comboBox1_->clear();
  comboBox1_->addItem(QLatin1String(tarvo::kAllDrives));
  for (const std::string& folder : core_.playlist.MusicFolders) comboBox1_->addItem(ToQString(folder));
}

void TDir_Form::MusicFoldersChanged() {
  FillRootList();
  treeView1_->clear();
  ++treeGeneration_;
  Load();
}

bool TDir_Form::ShowModal(bool open) {
  setWindowTitle(open ? kOpenCaption : kAddCaption);
  return exec() == QDialog::Accepted;
}

void TDir_Form::showEvent(QShowEvent* event) {
  quickAdded_ = false;
  quickAc_->setText(kQuickAddCaption);
  Load();
  QDialog::showEvent(event);
  treeView1_->setFocus(Qt::OtherFocusReason);
}

void TDir_Form::Load() {
  busy_ = false;
  std::string& root = core_.settings.lastBrowserRoot;
  root = tarvo::BrowserRootOrAllDrives(root);
  if (treeView1_->topLevelItemCount() > 0) return;
  const int index = comboBox1_->findText(ToQString(root), Qt::MatchExactly | Qt::MatchCaseSensitive);
  comboBox1_->setCurrentIndex(std::max(index, 0));
  BuildTree();
  SelectPath(core_.settings.lastBrowserFolder);
}

bool TDir_Form::AllDrivesShown() const { return shownRoot_ == QLatin1String(tarvo::kAllDrives); }

QTreeWidgetItem* TDir_Form::AddPlaceholder(QTreeWidgetItem* parent, const char* text) {
  auto* node = new QTreeWidgetItem(parent);
  node->setText(0, QLatin1String(text));
  node->setData(0, kPlaceholderRole, true);
  return node;
}

void TDir_Form::BuildTree() {
  ++treeGeneration_;
  QSignalBlocker blocker(treeView1_);
  treeView1_->clear();
  shownRoot_ = comboBox1_->currentIndex() > 0 ? comboBox1_->currentText() : QLatin1String(tarvo::kAllDrives);
  if (AllDrivesShown()) {
    treeView1_->setRootIsDecorated(true);
    for (const tarvo::TreeRoot& root : tarvo::DriveRoots(tarvo::ReadMountTable(), tarvo::CurrentUserName())) {
      QTreeWidgetItem* node = AddNode(nullptr, ToQString(root.text), root.image);
      AddPlaceholder(node, tarvo::kRootPlaceholder);
    }
    return;
  }
  treeView1_->setRootIsDecorated(false);
  QTreeWidgetItem* node = AddNode(nullptr, shownRoot_, tarvo::FolderImage::Drive);
  AddPlaceholder(node, tarvo::kRootPlaceholder);
  blocker.unblock();
  node->setExpanded(true);
}

QTreeWidgetItem* TDir_Form::AddNode(QTreeWidgetItem* parent, const QString& text, tarvo::FolderImage image) {
  auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(treeView1_);
  node->setText(0, text);
  QStyle::StandardPixmap icon = QStyle::SP_DirIcon;
  if (image == tarvo::FolderImage::Drive) icon = QStyle::SP_DriveHDIcon;
  if (image == tarvo::FolderImage::CdDrive) icon = QStyle::SP_DriveCDIcon;
  node->setIcon(0, style()->standardIcon(icon));
  return node;
}

std::string TDir_Form::NodePath(const QTreeWidgetItem* item) const {
  std::vector<std::string> texts;
  for (; item; item = item->parent()) texts.insert(texts.begin(), item->text(0).toStdString());
  return tarvo::TreeNodePath(texts);
}

std::string TDir_Form::SelectedFolder() const {
  const QList<QTreeWidgetItem*> selected = treeView1_->selectedItems();
  return selected.isEmpty() ? std::string() : NodePath(selected.constFirst());
}

bool TDir_Form::IncludeSubfolders() const { return checkSubDirs_->isChecked(); }

// Lists a node's subfolders the first time it opens, in place of its
// placeholder. Each new folder gets a placeholder of its own when it has
// subfolders, or always when it lies on a network file system, which is
// not read before the user opens it.
void TDir_Form::ExpandNode(QTreeWidgetItem* item) {
  if (item->childCount() == 0 || !IsPlaceholder(item->child(0))) return;
  const std::uint64_t generation = treeGeneration_;
  const std::string path = NodePath(item);
  std::vector<QTreeWidgetItem*> children;
  {
    BusyCursor busy;
    qDeleteAll(item->takeChildren());
    for (const std::string& name : tarvo::ListSubfolders(path, tarvo::SortPaths)) {
      children.push_back(AddNode(item, ToQString(name), tarvo::FolderImage::Folder));
    }
  }
  const std::vector<tarvo::MountPoint> mounts = tarvo::ReadMountTable();
  const std::string prefix = tarvo::WithFolderSeparator(path);
  for (std::size_t i = 0; i < children.size(); ++i) {
    if (i % kChildrenPerEventRun == kChildrenPerEventRun - 1) {
      // The window stays responsive in a folder of many subfolders; a
      // rebuilt tree has deleted these nodes, so the listing ends.
      core_.ui.ProcessPendingEvents();
      if (generation != treeGeneration_) return;
    }
    const std::string childPath = prefix + children[i]->text(0).toStdString();
    if (tarvo::ShowsExpandButton(childPath, mounts)) {
      AddPlaceholder(children[i], tarvo::kFolderPlaceholder);
    }
  }
}

void TDir_Form::SelectPath(std::string path) {
  if (treeView1_->topLevelItemCount() == 0) return;
  treeView1_->setCurrentItem(treeView1_->topLevelItem(0));
  path = tarvo::WithFolderSeparator(path);
  if (path.empty() || !tarvo::FolderExists(path)) return;

  std::vector<std::string> topTexts;
  for (int i = 0; i < treeView1_->topLevelItemCount(); ++i) {
    topTexts.push_back(treeView1_->topLevelItem(i)->text(0).toStdString());
  }
  const std::vector<std::string> components = tarvo::TreePathComponents(path, topTexts);
  if (components.empty()) return;
  QTreeWidgetItem* current = nullptr;
  for (int i = 0; i < treeView1_->topLevelItemCount() && !current; ++i) {
    QTreeWidgetItem* top = treeView1_->topLevelItem(i);
    if (tarvo::WithFolderSeparator(top->text(0).toStdString()) == components.front()) current = top;
  }
  if (!current) return;
  treeView1_->setCurrentItem(current);
  const std::uint64_t generation = treeGeneration_;
  for (std::size_t i = 1; i < components.size(); ++i) {
    current->setExpanded(true);
    if (generation != treeGeneration_) return;
    QTreeWidgetItem* next = nullptr;
    for (int c = 0; c < current->childCount() && !next; ++c) {
      QTreeWidgetItem* child = current->child(c);
      if (!IsPlaceholder(child) && tarvo::WithFolderSeparator(child->text(0).toStdString()) == components[i]) {
        next = child;
      }
    }
    if (!next) break;
    current = next;
    treeView1_->setCurrentItem(current);
  }
  current->setExpanded(true);
  treeView1_->scrollToItem(current);
}

void TDir_Form::SelectionChanged() {
  const std::string folder = SelectedFolder();
  if (!folder.empty()) core_.settings.lastBrowserFolder = folder;
}

void TDir_Form::RootChosen(int index) {
  core_.ui.ProcessPendingEvents();
  const QString text = comboBox1_->itemText(index);
  if (index != 0 && !tarvo::FolderExists(text.toStdString())) {
    tarvo::ShowMessageBox(core_, tarvo::MessageKind::Warning,
                          tarvo::MissingRootWarning(text.toStdString()));
    // The list goes back to the root whose tree is still shown.
    const int shown = comboBox1_->findText(shownRoot_, Qt::MatchExactly | Qt::MatchCaseSensitive);
    comboBox1_->setCurrentIndex(std::max(shown, 0));
    return;
  }
  core_.settings.lastBrowserRoot = index == 0 ? std::string(tarvo::kAllDrives) : text.toStdString();
  BuildTree();
  if (treeView1_->topLevelItemCount() > 0) treeView1_->setCurrentItem(treeView1_->topLevelItem(0));
  treeView1_->setFocus(Qt::OtherFocusReason);
}

// In the root list, Up and Down open the list instead of stepping through
// it, so that a root is only applied when the user picks it.
bool TDir_Form::eventFilter(QObject* watched, QEvent* event) {
  if (watched == comboBox1_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      comboBox1_->showPopup();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TDir_Form::Refresh() {
  if (busy_) return;
  busy_ = true;
  const std::string selected = SelectedFolder();
  BuildTree();
  SelectPath(selected);
  busy_ = false;
}

void TDir_Form::OpenRootList() {
  comboBox1_->setFocus(Qt::OtherFocusReason);
  comboBox1_->showPopup();
}

// The root folder, or with all drives the selected folder.
void TDir_Form::ShowInFileManager() {
  const std::string folder = AllDrivesShown() ? SelectedFolder() : shownRoot_.toStdString();
  if (folder.empty()) return;
  if (!core_.desktop || !core_.desktop->ShowFolder(folder, {})) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(folder)));
  }
}

void TDir_Form::QuickAdd() {
  const std::string folder = SelectedFolder();
  if (folder.empty()) return;
  const bool openVariant = windowTitle().contains(QLatin1String("Open"));
  tarvo::QuickAddFolder(core_, folder, openVariant, quickAdded_, IncludeSubfolders());
  quickAdded_ = true;
  quickAc_->setText(kQuickAddCaption);
}

void TDir_Form::OkClicked() {
  if (quickAdded_) {
    reject();
  } else {
    accept();
  }
}

void TDir_Form::ToggleMaximized() {
  if (isMaximized()) {
    showNormal();
  } else {
    showMaximized();
  }
}

void TDir_Form::ShowPopupMenu(const QPoint& position) {
  if (QTreeWidgetItem* item = treeView1_->itemAt(position)) treeView1_->setCurrentItem(item);
  popupMenu1_->popup(treeView1_->viewport()->mapToGlobal(position));
}

void OpenFolderDialog(tarvo::Core& core, QWidget* window, bool open) {
  core.ui.ProcessPendingEvents();
  TDir_Form& browser = TDir_Form::Of(core, window);
  if (browser.ShowModal(open)) {
    tarvo::OpenChosenFolder(core, browser.SelectedFolder(), open, browser.IncludeSubfolders());
  }
  tarvo::TrimWorkingSet();
}
