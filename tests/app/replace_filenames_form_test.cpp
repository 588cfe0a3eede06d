// The renamer window over a scripted core window: the live preview, the
// question before more than 100 files, and the files renamed after yes.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/replace_filenames_form.h"
#include "platform/file_io.h"
#include "playlist/model.h"
#include "support/fake_playback.h"
#include "support/fake_ui.h"
#include "support/temp_folder.h"

class ReplaceFilenamesFormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void PreviewsThenRenamesAfterYes();
  void MoreThanOneHundredFilesAskFirst();
};

namespace {

struct RenamerFixture {
  RenamerFixture() : core(ui, playback, home.Path()) {}

  void SelectFiles(int count) {
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) entries.push_back(home.Write("my_song_" + std::to_string(i) + ".mp3", "x"));
    core.playlist.PlaylistEntries = entries;
    tarvo::UpdateListView(core, false, false);
    core.listView.SelectAll();
  }
  // Shows the window, types the rule, presses rename all, closes.
  QString RenameAll(const QString& find, const QString& replace) {
    TReplaceFilenames_Form form(core, nullptr);
    QString preview;
    QTimer::singleShot(0, &form, [&] {
      form.Edit1()->setText(find);
      form.Edit2()->setText(replace);
      preview = form.Memo2()->toPlainText();
      form.RenameButton()->click();
      form.reject();
    });
    form.ShowSelection();
    return preview;
  }

  tarvo::testing::TempFolder home;
  tarvo::testing::FakeUi ui;
  tarvo::testing::FakePlayback playback;
  tarvo::Core core;
};

}  // namespace

void ReplaceFilenamesFormTest::PreviewsThenRenamesAfterYes() {
  RenamerFixture fixture;
  fixture.SelectFiles(2);
  fixture.ui.answers = {true};
  QCOMPARE(fixture.RenameAll(QStringLiteral("_"), QStringLiteral(" ")),
           QStringLiteral("my song 0.mp3\nmy song 1.mp3"));
  QCOMPARE(fixture.ui.questions.size(), std::size_t{1});
  QVERIFY(tarvo::FileExists(fixture.home.Path() + "my song 1.mp3"));
  QCOMPARE(fixture.core.playlist.PlaylistEntries[0], fixture.home.Path() + "my song 0.mp3");
}

void ReplaceFilenamesFormTest::MoreThanOneHundredFilesAskFirst() {
  RenamerFixture fixture;
  fixture.SelectFiles(101);
  fixture.RenameAll(QStringLiteral("_"), QStringLiteral(" "));
  QCOMPARE(fixture.ui.questions.size(), std::size_t{1});
  QCOMPARE(fixture.ui.questions[0], std::string("You are about to rename > 100 files!\r\rContinue?"));
  // It asks with the warning icon.
  QVERIFY(fixture.ui.questionKinds[0] == tarvo::MessageKind::Warning);
  QVERIFY(tarvo::FileExists(fixture.home.Path() + "my_song_100.mp3"));
}

QTEST_MAIN(ReplaceFilenamesFormTest)
#include "replace_filenames_form_test.moc"
