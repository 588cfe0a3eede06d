// The help and file information windows on the main window: F1 opens the
// shortcut list, which F1 and Esc close and Ctrl+A selects whole; the
// credits take over the same window; F2 shows a file with the tag button
// only for MP3 files.
#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>
#include <QTest>
#include <QTimer>

#include "app/about_form.h"
#include "app/file_info_form.h"
#include "app/info_commands.h"
#include "app/info_form.h"
#include "app_window_fixture.h"
#include "help/help_texts.h"
#include "playlist/model.h"

class InfoWindowsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void ShortcutListOpensSelectsAllAndCloses();
  void ColumnsLineUpAndLongLinesWrapUnderTheirColumn();
  void FileInformationOffersTheTagViewForMp3Only();
};

void InfoWindowsTest::ShortcutListOpensSelectsAllAndCloses() {
  AppWindowFixture fixture;
  auto* info = new InfoCommands(fixture.core, fixture.window);
  fixture.window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&fixture.window));

  QTest::keyClick(&fixture.window, Qt::Key_F1);
  TInfo_Form* text = info->TextWindow().Window();
  QVERIFY(text != nullptr);
  QTRY_VERIFY(text->isVisible());
  QCOMPARE(text->windowTitle(), QStringLiteral("Additional functions"));
  QVERIFY(text->Memo1()->toPlainText().startsWith(QStringLiteral("* 메인\n  단축키\t\t\tF1\n")));

  // Offscreen, keys sent to the text window do not reach its shortcuts:
  // check the keys of its commands and run them.
  auto* selectAll = text->findChild<QAction*>(QStringLiteral("SelectallAc"));
  auto* esc = text->findChild<QAction*>(QStringLiteral("EscAc"));
  QCOMPARE(selectAll->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
  QCOMPARE(esc->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_F1)}));
  selectAll->trigger();
  QCOMPARE(text->Memo1()->textCursor().selectedText().size(), text->Memo1()->toPlainText().size());
  esc->trigger();
  QTRY_VERIFY(!text->isVisible());

  QTest::keyClick(&fixture.window, Qt::Key_F1);
  QTRY_VERIFY(text->isVisible());
  TAbout_Form about(fixture.core, info->TextWindow(), &fixture.window);
  about.ShowCredits();
  QCOMPARE(info->TextWindow().Window(), text);
  QCOMPARE(text->windowTitle(), QStringLiteral("Credits"));
  QVERIFY(text->Memo1()->toPlainText().startsWith(QStringLiteral("GENERAL\n  Path: ")));
  esc->trigger();
  QTRY_VERIFY(!text->isVisible());

  // From the About window, which is modal, the credits window belongs to it
  // and so takes input while About stays open.
  about.setWindowModality(Qt::ApplicationModal);
  about.show();
  about.ShowCredits();
  QVERIFY(text->parentWidget() == &about);
  QVERIFY(text->isVisible());
  about.close();
}

void InfoWindowsTest::ColumnsLineUpAndLongLinesWrapUnderTheirColumn() {
  AppWindowFixture fixture;
  TextWindowHost host(&fixture.window);
  const std::string longLine = "\r\n  긴 설명\t\tone two three four five six seven eight nine ten eleven twelve";
  host.ShowTextWindow("Additional functions", tarvo::ShortcutsWindowText() + longLine, "", false);
  TInfo_Form* form = host.Window();
  QVERIFY(QTest::qWaitForWindowExposed(form));
  QTextEdit* memo = form->Memo1();
  const auto leftOf = [memo](int position) {
    QTextCursor cursor(memo->document());
    cursor.setPosition(position);
    return memo->cursorRect(cursor).left();
  };
  QSet<int> keyColumns;
  for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
    const qsizetype lastTab = block.text().lastIndexOf(QLatin1Char('\t'));
    if (lastTab >= 0) keyColumns.insert(leftOf(block.position() + int(lastTab) + 1));
  }
  QCOMPARE(keyColumns.size(), 1);
  const QTextBlock last = memo->document()->lastBlock();
  QVERIFY(last.layout()->lineCount() > 1);
  QCOMPARE(leftOf(last.position() + last.layout()->lineAt(1).textStart()), *keyColumns.begin());
}

void InfoWindowsTest::FileInformationOffersTheTagViewForMp3Only() {
  AppWindowFixture fixture;
  auto* info = new InfoCommands(fixture.core, fixture.window);
  const std::string loud = fixture.home.Write("LOUD.MP3", std::string(1234, 'x'));
  const std::string quiet = fixture.home.Write("quiet.wav", "x");
  fixture.core.playlist.PlaylistEntries = {loud, quiet};
  tarvo::UpdateListView(fixture.core, false, false);

  const auto showRow = [&](int row) {
    tarvo::SelectSingle(fixture.core, row);
    bool tagShown = false;
    QString memo;
    QTimer::singleShot(0, &fixture.window, [&] {
      TFileInfo_Form* form = info->FileInfoForm();
      tagShown = form->TagButton()->isVisible();
      memo = form->Memo1()->toPlainText();
      form->reject();
    });
    info->FileInfoAc();
    return std::make_pair(tagShown, memo);
  };
  const auto [mp3Tag, mp3Memo] = showRow(0);
  QVERIFY(mp3Tag);
  QVERIFY2(mp3Memo.contains(QStringLiteral("Size: \t1,234 bytes")), qPrintable(mp3Memo));
  QVERIFY(!showRow(1).first);
}

QTEST_MAIN(InfoWindowsTest)
#include "info_windows_test.moc"
