// The folder browser offscreen: the tree lists a folder only when it opens,
// selects the stored folder, refuses a root that is gone, and its quick add
// and OK feed the playlist. Also the one-line input window behind AskText.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include "app/dir_form.h"
#include "app/input_form.h"
#include "app/qt_ui.h"
#include "core.h"
#include "platform/folder_tree.h"
#include "support/fake_playback.h"
#include "support/fake_ui.h"
#include "support/temp_folder.h"

namespace {

QStringList ChildTexts(const QTreeWidgetItem* item) {
  QStringList texts;
  for (int i = 0; i < item->childCount(); ++i) texts << item->child(i)->text(0);
  return texts;
}

QTreeWidgetItem* Child(const QTreeWidgetItem* item, const QString& text) {
  for (int i = 0; i < item->childCount(); ++i) {
    if (item->child(i)->text(0) == text) return item->child(i);
  }
  return nullptr;
}

QPushButton* ButtonNamed(const QWidget* window, const QString& text) {
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

}  // namespace

class DirFormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void MusicFolderTreeExpandsLazilyAndSelectsTheStoredFolder();
  void AllDrivesFindsTheStoredFolderFromSlash();
  void MissingRootLeavesTheTreeAlone();
  void QuickAddOpensThenAppendsAndOkNoLongerOpens();
  void OpenFolderDialogOpensTheChosenFolder();
  void InputFormReturnsTheEditedTextOnOk();

 private:
  std::string root_;
  std::unique_ptr<tarvo::testing::TempFolder> home_;
  std::unique_ptr<tarvo::testing::FakeUi> ui_;
  std::unique_ptr<tarvo::testing::FakePlayback> playback_;
  std::unique_ptr<tarvo::Core> core_;
};

void DirFormTest::init() {
  home_ = std::make_unique<tarvo::testing::TempFolder>();
  ui_ = std::make_unique<tarvo::testing::FakeUi>();
  playback_ = std::make_unique<tarvo::testing::FakePlayback>();
  core_ = std::make_unique<tarvo::Core>(*ui_, *playback_, home_->Path());
  root_ = home_->Path() + "Music/";
  for (const char* folder : {"Rock/Old/Live", "Rock/New", "Jazz", "Pop/Hits"}) {
    std::filesystem::create_directories(root_ + folder);
  }
  home_->Write("Music/Rock/Old/a.mp3", "");
  home_->Write("Music/Jazz/b.mp3", "");
  core_->playlist.MusicFolders = {root_};
}

void DirFormTest::cleanup() { core_.reset(); }

void DirFormTest::MusicFolderTreeExpandsLazilyAndSelectsTheStoredFolder() {
  core_->settings.lastBrowserRoot = root_;
  core_->settings.lastBrowserFolder = root_ + "Rock/Old";
  TDir_Form form(*core_, nullptr);
  form.show();
  QCOMPARE(form.ComboBox1()->currentText(), QString::fromStdString(root_));
  QTreeWidget* tree = form.TreeView1();
  QCOMPARE(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* top = tree->topLevelItem(0);
  QVERIFY(top->isExpanded());
  QCOMPARE(ChildTexts(top), (QStringList{"Jazz", "Pop", "Rock"}));
  QCOMPARE(form.SelectedFolder(), root_ + "Rock/Old");
  QCOMPARE(core_->settings.lastBrowserFolder, root_ + "Rock/Old");

  // A folder without subfolders has no expand button; one with subfolders
  // has a placeholder until it opens.
  QTreeWidgetItem* jazz = Child(top, "Jazz");
  QCOMPARE(jazz->childCount(), 0);
  QTreeWidgetItem* pop = Child(top, "Pop");
  QCOMPARE(ChildTexts(pop), QStringList{QStringLiteral("-")});
  pop->setExpanded(true);
  QCOMPARE(ChildTexts(pop), QStringList{QStringLiteral("Hits")});
  QTreeWidgetItem* old = Child(Child(top, "Rock"), "Old");
  QVERIFY(old->isExpanded());
  QCOMPARE(ChildTexts(old), QStringList{QStringLiteral("Live")});

  // A refresh rebuilds the tree and finds the folder again, new ones included.
  std::filesystem::create_directories(root_ + "Blues");
  form.Refresh();
  QCOMPARE(ChildTexts(tree->topLevelItem(0)), (QStringList{"Blues", "Jazz", "Pop", "Rock"}));
  QCOMPARE(form.SelectedFolder(), root_ + "Rock/Old");
}

void DirFormTest::AllDrivesFindsTheStoredFolderFromSlash() {
  core_->settings.lastBrowserRoot = root_ + "gone/";  // falls back to all drives
  core_->settings.lastBrowserFolder = root_ + "Pop/Hits/";
  TDir_Form form(*core_, nullptr);
  form.show();
  QCOMPARE(form.ComboBox1()->currentIndex(), 0);
  QCOMPARE(core_->settings.lastBrowserRoot, std::string(tarvo::kAllDrives));
  QCOMPARE(form.TreeView1()->topLevelItem(0)->text(0), QStringLiteral("/"));
  QCOMPARE(form.SelectedFolder(), root_ + "Pop/Hits");

  // A stored folder that is gone selects the first node only.
  core_->settings.lastBrowserFolder = root_ + "gone/";
  form.MusicFoldersChanged();
  QCOMPARE(form.SelectedFolder(), std::string("/"));
}

void DirFormTest::MissingRootLeavesTheTreeAlone() {
  const std::string gone = home_->Path() + "Gone/";
  std::filesystem::create_directories(gone);
  core_->playlist.MusicFolders = {root_, gone};
  core_->settings.lastBrowserRoot = root_;
  TDir_Form form(*core_, nullptr);
  form.show();
  std::filesystem::remove(gone);
  QComboBox* roots = form.ComboBox1();
  QCOMPARE(roots->count(), 3);
  roots->setCurrentIndex(2);
  Q_EMIT roots->activated(2);
  QCOMPARE(ui_->messages.size(), std::size_t{1});
  QCOMPARE(ui_->messages[0].text, gone + " does not exists or can not be opened.");
  QCOMPARE(form.TreeView1()->topLevelItem(0)->text(0), QString::fromStdString(root_));
  QCOMPARE(roots->currentIndex(), 1);
  QCOMPARE(core_->settings.lastBrowserRoot, root_);

  roots->setCurrentIndex(0);
  Q_EMIT roots->activated(0);
  QCOMPARE(form.TreeView1()->topLevelItem(0)->text(0), QStringLiteral("/"));
  QCOMPARE(core_->settings.lastBrowserRoot, std::string(tarvo::kAllDrives));
}

void DirFormTest::QuickAddOpensThenAppendsAndOkNoLongerOpens() {
  core_->playlist.PlaylistEntries = {"/m/old.mp3"};
  core_->settings.lastBrowserRoot = root_;
  core_->settings.lastBrowserFolder = root_ + "Jazz";
  TDir_Form form(*core_, nullptr);
  form.setWindowTitle(QStringLiteral("Open a folder with music files"));
  form.show();
  QCOMPARE(form.QuickAc()->text(), QStringLiteral("&Add to playlist"));
  form.QuickAc()->trigger();
  QCOMPARE(core_->playlist.PlaylistEntries, std::vector<std::string>{root_ + "Jazz/b.mp3"});
  QTreeWidgetItem* rock = Child(form.TreeView1()->topLevelItem(0), "Rock");
  rock->setExpanded(true);
  form.TreeView1()->setCurrentItem(Child(rock, "Old"));
  form.QuickAc()->trigger();
  QCOMPARE(core_->playlist.PlaylistEntries,
           (std::vector<std::string>{root_ + "Jazz/b.mp3", root_ + "Rock/Old/a.mp3"}));
  ButtonNamed(&form, QStringLiteral("확인(&O)"))->click();
  QCOMPARE(form.result(), int(QDialog::Rejected));
}

void DirFormTest::OpenFolderDialogOpensTheChosenFolder() {
  core_->settings.lastBrowserRoot = root_;
  core_->settings.lastBrowserFolder = root_ + "Rock";
  QWidget window;
  QString caption;
  QTimer::singleShot(0, [&] {
    TDir_Form* form = TDir_Form::Existing(&window);
    QVERIFY(form);
    caption = form->windowTitle();
    ButtonNamed(form, QStringLiteral("확인(&O)"))->click();
  });
  OpenFolderDialog(*core_, &window, true);
  QCOMPARE(caption, QStringLiteral("Open a folder with music files"));
  QCOMPARE(core_->playlist.PlaylistEntries, std::vector<std::string>{root_ + "Rock/Old/a.mp3"});
  QCOMPARE(core_->playlist.LastScannedFolder, root_ + "Rock");

  // The same browser again, to add without subfolders; Cancel adds nothing.
  QTimer::singleShot(0, [&] {
    TDir_Form* form = TDir_Form::Existing(&window);
    caption = form->windowTitle();
    form->reject();
  });
  OpenFolderDialog(*core_, &window, false);
  QCOMPARE(caption, QStringLiteral("Add a folder with music files"));
  QCOMPARE(core_->playlist.PlaylistEntries.size(), std::size_t{1});
  QCOMPARE(window.findChildren<TDir_Form*>().size(), 1);
}

void DirFormTest::InputFormReturnsTheEditedTextOnOk() {
  QtUi ui;
  QTimer::singleShot(0, [&] {
    auto* form = qobject_cast<TInput_Form*>(QApplication::activeModalWidget());
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), QStringLiteral("Edit playlist entry"));
    QCOMPARE(form->Label1()->text(), QStringLiteral("Entry"));
    QCOMPARE(form->Edit1()->selectedText(), QStringLiteral("/m/a.mp3"));
    QTest::keyClicks(form->Edit1(), QStringLiteral("/m/b.mp3"));  // replaces the selection
    form->accept();
  });
  QCOMPARE(ui.AskText("Edit playlist entry", "Entry", "/m/a.mp3"), std::optional<std::string>("/m/b.mp3"));

  QTimer::singleShot(0, [&] { QApplication::activeModalWidget()->close(); });
  QCOMPARE(ui.AskText("Add URL", "Internet radio URL:", "http://x"), std::optional<std::string>());
}

QTEST_MAIN(DirFormTest)
#include "dir_form_test.moc"
