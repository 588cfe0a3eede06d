// Favourites in the window: the menu's items, captions and Ctrl+digit keys,
// its rebuild after adding, and the organiser's commands.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

#include "app/command_effects.h"
#include "app/command_table.h"
#include "app/favorites_form.h"
#include "app/favorites_menu.h"
#include "controls/vemmo_listbox.h"
#include "platform/file_io.h"
#include "scripted_window_fixture.h"

using Entries = std::vector<std::string>;

class FavoritesWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void MenuListsFavoritesInOrderAndCtrlOneOpensTheFirst();
  void OrganizerRenamesDeletesExploresAndRefreshes();

 private:
  std::string Favorite(const std::string& name, const std::string& contents = "") {
    return fixture_->home.Write("Favorites/" + name, contents);
  }
  QStringList ListedNames() const;

  std::unique_ptr<ScriptedWindowFixture> fixture_;
  CommandHelpers helpers_;
};

void FavoritesWindowTest::init() {
  fixture_ = std::make_unique<ScriptedWindowFixture>();
  helpers_ = ConnectCommandEffects(fixture_->core, fixture_->window);
  fixture_->window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&fixture_->window));
}

void FavoritesWindowTest::cleanup() { fixture_.reset(); }

void FavoritesWindowTest::MenuListsFavoritesInOrderAndCtrlOneOpensTheFirst() {
  Favorite("2 Jazz.txt", "/m/jazz.mp3\r\n");
  Favorite("1 Rock & Roll.txt", "/m/rock.mp3\r\n/m/roll.mp3\r\n");
  for (char digit = '3'; digit <= '9'; ++digit) Favorite(std::string(1, digit) + " More.txt");
  Favorite("Notes");
  helpers_.favorites->Rebuild();

  auto* menu = fixture_->window.menuBar()->findChild<QMenu*>(QStringLiteral("FavoritesMenu"));
  QVERIFY(menu);
  const QList<QAction*> items = menu->actions();
  QCOMPARE(items.size(), 13);
  QCOMPARE(items[3]->text(), QStringLiteral("1 Rock && Roll"));
  QCOMPARE(items[3]->shortcut(), QKeySequence(QStringLiteral("Ctrl+1")));
  QCOMPARE(items[4]->text(), QStringLiteral("2 Jazz"));
  QCOMPARE(items[11]->shortcut(), QKeySequence(QStringLiteral("Ctrl+9")));
  QCOMPARE(items[12]->text(), QString());
  QVERIFY(items[12]->shortcut().isEmpty());

  fixture_->window.ListScreen()->setFocus();
  QTest::keyClick(fixture_->window.ListScreen(), Qt::Key_1, Qt::ControlModifier);
  QCOMPARE(fixture_->core.playlist.PlaylistEntries, (Entries{"/m/rock.mp3", "/m/roll.mp3"}));

  // Saving a favourite puts it in the menu at once.
  fixture_->ui.textAnswers = {"0 First"};
  fixture_->window.Commands().Command(CommandId::FavoritesAddAc)->trigger();
  QCOMPARE(menu->actions().size(), 14);
  QCOMPARE(menu->actions()[3]->text(), QStringLiteral("0 First"));
  QCOMPARE(menu->actions()[13]->text(), QString());
}

QStringList FavoritesWindowTest::ListedNames() const {
  auto* form = fixture_->window.findChild<TFavorites_Form*>();
  QStringList names;
  for (int row = 0; row < form->ListBox1()->count(); ++row) names << form->ListBox1()->item(row)->text();
  return names;
}

void FavoritesWindowTest::OrganizerRenamesDeletesExploresAndRefreshes() {
  Favorite("Jazz.txt");
  const std::string live = Favorite("old/Live.txt");
  Favorite("Rock.txt");
  auto* form = new TFavorites_Form(fixture_->core, &fixture_->window);
  form->show();
  QVERIFY(QTest::qWaitForWindowExposed(form));
  QCOMPARE(form->TipLabel()->text(), QStringLiteral("팁 : 제목앞에 숫자를 붙이면 정렬할 수 있습니다."));
  QCOMPARE(ListedNames(), (QStringList{QStringLiteral("Jazz"), QStringLiteral("Live"), QStringLiteral("Rock")}));
  QCOMPARE(form->ListBox1()->currentRow(), 0);

  form->ListBox1()->setCurrentRow(1);
  fixture_->ui.textAnswers = {"Blues"};
  form->Action(1)->trigger();
  QVERIFY(!tarvo::FileExists(live));
  QVERIFY(tarvo::FileExists(fixture_->home.Path() + "Favorites/Blues.txt"));
  QCOMPARE(ListedNames(), (QStringList{QStringLiteral("Blues"), QStringLiteral("Jazz"), QStringLiteral("Rock")}));
  QCOMPARE(form->ListBox1()->selectedItems().size(), 1);
  QCOMPARE(form->ListBox1()->currentRow(), 1);

  form->ListBox1()->item(0)->setSelected(true);
  fixture_->ui.answers = {true};
  form->Action(2)->trigger();
  QCOMPARE(fixture_->ui.questions.back(), std::string("Are you sure you want to delete the selected item(s)?"));
  QCOMPARE(ListedNames(), QStringList{QStringLiteral("Rock")});

  form->Action(3)->trigger();
  QCOMPARE(fixture_->desktop.shownFolders, (Entries{fixture_->home.Path() + "Favorites/"}));

  Favorite("Pop.txt");
  form->Action(4)->trigger();
  QCOMPARE(ListedNames(), (QStringList{QStringLiteral("Pop"), QStringLiteral("Rock")}));
  form->reject();
}

QTEST_MAIN(FavoritesWindowTest)
#include "favorites_window_test.moc"
