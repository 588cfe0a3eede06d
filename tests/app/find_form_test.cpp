// The find window offscreen: typing narrows the rows, the keys move the
// selection and run the window's commands, and letters typed in the
// playlist open it with that letter.
#include "app/find_form.h"

#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/command_effects.h"
#include "app/command_table.h"
#include "app_window_fixture.h"
#include "controls/vemmo_listbox.h"
#include "playlist/model.h"

namespace {

const std::vector<std::string> kEntries = {
    "/music/rock/anthem.mp3",
    "/music/blues/slow.mp3",
    "/music/jazz/rock steady.ogg",
    "http://example.org/live|Rock FM",
};

QStringList ShownRows(const QListView& list) {
  QStringList rows;
  for (int row = 0; row < list.model()->rowCount(); ++row) rows << list.model()->index(row, 0).data().toString();
  return rows;
}

int SelectedRow(const QListView& list) {
  const QModelIndexList selected = list.selectionModel()->selectedRows();
  return selected.size() == 1 ? selected.first().row() : -1;
}

}  // namespace

class FindFormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void TypingNarrowsTheRowsAndEnterPlaysTheMatch();
  void ArrowKeysMoveTheSelectionWithinTheRows();
  void EnterWithoutAMatchClosesWithoutPlaying();
  void ClickedRowIsTheOneEnterPlays();
  void GraveAccentSelectsInThePlaylistWithoutPlaying();
  void F8ShowsWholeEntriesAfterRelativePaths();
  void ListFontAboveTenPointsTakesNearlyTheWholeScreen();
  void LetterTypedInThePlaylistOpensTheWindowWithIt();
  void OneEntryListOpensNoWindow();

 private:
  void Prepare(const std::string& text);
  // Runs `check` on the find window once it shows modally, then closes it.
  void WhenFindWindowShows(const std::function<void(TFind_Form&)>& check);

  std::unique_ptr<AppWindowFixture> fixture_;
  FindWindowOpener* opener_ = nullptr;
  TFind_Form* form_ = nullptr;
};

void FindFormTest::init() {
  fixture_ = std::make_unique<AppWindowFixture>();
  opener_ = ConnectCommandEffects(fixture_->core, fixture_->window).find;
  fixture_->core.playlist.PlaylistEntries = kEntries;
  tarvo::UpdateListView(fixture_->core, false, false);
  fixture_->window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&fixture_->window));
  form_ = new TFind_Form(fixture_->core, &fixture_->window);
}

void FindFormTest::cleanup() {
  fixture_.reset();
}

void FindFormTest::Prepare(const std::string& text) {
  QVERIFY(form_->PrepareFind(text));
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_));
}

void FindFormTest::TypingNarrowsTheRowsAndEnterPlaysTheMatch() {
  Prepare("");
  QCOMPARE(ShownRows(*form_->ListBox1()).size(), 4);
  QVERIFY(form_->Edit1()->hasFocus());
  // "rock" is in a folder, a file name and a stream title; the rows show
  // file names whatever matched.
  QTest::keyClicks(form_->Edit1(), QStringLiteral("rOCk"));
  QCOMPARE(ShownRows(*form_->ListBox1()), (QStringList{"anthem.mp3", "rock steady.ogg", "live|Rock FM"}));
  QTest::keyClicks(form_->Edit1(), QStringLiteral(" s"));
  QCOMPARE(ShownRows(*form_->ListBox1()), QStringList{"rock steady.ogg"});
  QCOMPARE(SelectedRow(*form_->ListBox1()), 0);

  QTest::keyClick(form_->Edit1(), Qt::Key_Return);
  QCOMPARE(fixture_->playback.played, std::vector<int>{2});
  QCOMPARE(fixture_->core.playlist.CurrentIndex, 2);
  QVERIFY(fixture_->core.listView.IsSelected(2));
  QVERIFY(!form_->isVisible());
  QCOMPARE(form_->ListBox1()->model()->rowCount(), 0);
}

void FindFormTest::ArrowKeysMoveTheSelectionWithinTheRows() {
  Prepare("");
  QTest::keyClick(form_->Edit1(), Qt::Key_Up);
  QCOMPARE(SelectedRow(*form_->ListBox1()), 0);
  QTest::keyClick(form_->Edit1(), Qt::Key_Down);
  QTest::keyClick(form_->Edit1(), Qt::Key_Down);
  QCOMPARE(SelectedRow(*form_->ListBox1()), 2);
  QTest::keyClick(form_->Edit1(), Qt::Key_PageDown);
  QCOMPARE(SelectedRow(*form_->ListBox1()), 3);
  QTest::keyClick(form_->Edit1(), Qt::Key_Down);
  QCOMPARE(SelectedRow(*form_->ListBox1()), 3);
  // The arrows never reach the field; a key in the list acts in the field.
  QCOMPARE(form_->Edit1()->text(), QString());
  QTest::keyClick(form_->ListBox1(), Qt::Key_Up);
  QCOMPARE(SelectedRow(*form_->ListBox1()), 2);
  QVERIFY(form_->Edit1()->hasFocus());

  // Insert queues the match, leaving the playing mark alone.
  QTest::keyClick(form_->Edit1(), Qt::Key_Insert);
  QCOMPARE(fixture_->core.playlist.QueueEntries, std::vector<std::string>{kEntries[2]});
  QVERIFY(fixture_->playback.played.empty());
  QVERIFY(!form_->isVisible());
}

void FindFormTest::EnterWithoutAMatchClosesWithoutPlaying() {
  Prepare("");
  // Found only at the first character of the files, not in the stream.
  QTest::keyClicks(form_->Edit1(), QStringLiteral("/M"));
  QCOMPARE(form_->ListBox1()->model()->rowCount(), 0);
  QTest::keyClick(form_->Edit1(), Qt::Key_Return);
  QVERIFY(fixture_->playback.played.empty());
  QCOMPARE(fixture_->core.playlist.CurrentIndex, -1);
  QVERIFY(!form_->isVisible());
}

void FindFormTest::ClickedRowIsTheOneEnterPlays() {
  Prepare("");
  QListView* list = form_->ListBox1();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
  QCOMPARE(form_->State().selectedRow, 1);
  QTest::keyClick(list, Qt::Key_Return);
  QCOMPARE(fixture_->playback.played, std::vector<int>{1});

  Prepare("");
  const QPoint third = list->visualRect(list->model()->index(2, 0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
  QCOMPARE(fixture_->playback.played, (std::vector<int>{1, 2}));
  QVERIFY(!form_->isVisible());
}

void FindFormTest::GraveAccentSelectsInThePlaylistWithoutPlaying() {
  Prepare("blues");
  QTest::keyClick(form_->Edit1(), Qt::Key_QuoteLeft);
  QVERIFY(!form_->isVisible());
  QVERIFY(fixture_->playback.played.empty());
  QCOMPARE(fixture_->core.listView.SelectedCount(), 1);
  QVERIFY(fixture_->core.listView.IsSelected(1));
  QCOMPARE(fixture_->core.playlist.CurrentIndex, -1);
}

void FindFormTest::F8ShowsWholeEntriesAfterRelativePaths() {
  Prepare("slow");
  QTest::keyClick(form_->Edit1(), Qt::Key_F8);
  QTest::keyClick(form_->Edit1(), Qt::Key_F8);
  QCOMPARE(ShownRows(*form_->ListBox1()), QStringList{"/music/blues/slow.mp3"});
  QCOMPARE(SelectedRow(*form_->ListBox1()), 0);
  QCOMPARE(form_->Edit1()->text(), QStringLiteral("slow"));
}

void FindFormTest::ListFontAboveTenPointsTakesNearlyTheWholeScreen() {
  QVERIFY(form_->PrepareFind(""));
  QCOMPARE(form_->size(), QSize(432, 365));
  fixture_->core.listLook.fontSize = 11;
  QVERIFY(form_->PrepareFind(""));
  const QSize screen = fixture_->window.screen()->geometry().size();
  QCOMPARE(form_->size(), screen - QSize(100, 100));
  QCOMPARE(form_->ListBox1()->font().pointSize(), 11);
}

void FindFormTest::WhenFindWindowShows(const std::function<void(TFind_Form&)>& check) {
  auto* poll = new QTimer(this);
  connect(poll, &QTimer::timeout, this, [this, poll, check] {
    TFind_Form* form = opener_->Form();
    if (form == nullptr || !form->isVisible()) return;
    poll->deleteLater();
    check(*form);
    form->reject();
  });
  poll->start(10);
}

void FindFormTest::LetterTypedInThePlaylistOpensTheWindowWithIt() {
  QStringList rows;
  QString text;
  bool caretAfterText = false;
  WhenFindWindowShows([&](TFind_Form& form) {
    QTest::qWait(10);  // the field takes the focus
    text = form.Edit1()->text();
    rows = ShownRows(*form.ListBox1());
    caretAfterText = !form.Edit1()->hasSelectedText() && form.Edit1()->cursorPosition() == 1;
  });
  fixture_->window.ListScreen()->setFocus();
  QTest::keyClick(fixture_->window.ListScreen(), Qt::Key_J);
  QTRY_COMPARE(text, QStringLiteral("j"));
  QCOMPARE(rows, QStringList{"rock steady.ogg"});
  QVERIFY(caretAfterText);
  QVERIFY(!fixture_->core.requests.findText);

  // Ctrl+F opens it with no text, every entry listed.
  WhenFindWindowShows([&](TFind_Form& form) { rows = ShownRows(*form.ListBox1()); });
  fixture_->window.Commands().Command(CommandId::FindAc)->trigger();
  QCOMPARE(rows.size(), 4);
}

void FindFormTest::OneEntryListOpensNoWindow() {
  fixture_->core.playlist.PlaylistEntries = {kEntries[0]};
  tarvo::UpdateListView(fixture_->core, false, false);
  QVERIFY(!form_->PrepareFind(""));
  // Neither Ctrl+F nor a letter opens it; the request is used up.
  fixture_->window.Commands().Command(CommandId::FindAc)->trigger();
  QTest::keyClick(fixture_->window.ListScreen(), Qt::Key_A);
  QTest::qWait(20);
  QVERIFY(opener_->Form() == nullptr || !opener_->Form()->isVisible());
  QVERIFY(!fixture_->core.requests.findText);
}

QTEST_MAIN(FindFormTest)
#include "find_form_test.moc"
