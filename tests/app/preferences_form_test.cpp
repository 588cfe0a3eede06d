// The preferences dialog over a scratch home: the page it opens on, the keys
// each control writes at once, the music folder commit, the output level
// texts and the hotkeys page's hand-over.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>
#include <memory>

#include "app/dir_form.h"
#include "app/preferences_form.h"
#include "app/preferences_hotkeys.h"
#include "audio/linux_audio_library.h"
#include "scripted_window_fixture.h"
#include "settings/settings_store.h"

namespace {

class FakeHotkeys : public PreferencesHotkeys {
 public:
  QWidget* CreatePage(QWidget* parent) override {
    ++pagesMade;
    return new QLabel(QStringLiteral("hotkeys"), parent);
  }
  void BeginEditing() override { ++editings; }
  void EndEditing(bool reportFailures) override { endings.push_back(reportFailures); }

  int pagesMade = 0;
  int editings = 0;
  std::vector<bool> endings;
};

}  // namespace

class PreferencesFormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void OpensOnTheLastClosedPage();
  void EachControlWritesItsKeyAtOnce();
  void MusicFoldersAreCommittedAndTheBrowserFollows();
  void OutputLevelTexts();

 private:
  void Open() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
  }
  QString Ini(const char* section, const char* key) const {
    return QString::fromStdString(tarvo::ReadIniString(fixture_->core, section, key, "(none)"));
  }

  std::unique_ptr<ScriptedWindowFixture> fixture_;
  std::unique_ptr<tarvo::audio::LinuxAudioLibrary> audio_;
  std::unique_ptr<FakeHotkeys> hotkeys_;
  TPreferences_Form* form_ = nullptr;
};

void PreferencesFormTest::init() {
  fixture_ = std::make_unique<ScriptedWindowFixture>();
  audio_ = std::make_unique<tarvo::audio::LinuxAudioLibrary>(tarvo::audio::ParseOutputChoice("null"));
  fixture_->core.audio = audio_.get();
  hotkeys_ = std::make_unique<FakeHotkeys>();
  form_ = new TPreferences_Form(fixture_->core, *hotkeys_, nullptr, &fixture_->window);
}

void PreferencesFormTest::cleanup() {
  fixture_.reset();
  audio_.reset();
}

void PreferencesFormTest::OpensOnTheLastClosedPage() {
  QCOMPARE(hotkeys_->pagesMade, 1);
  Open();
  QCOMPARE(form_->TreeView1()->currentItem()->text(0), QStringLiteral("Setup"));
  QVERIFY(form_->Group(TPreferences_Form::SetupPage)->isVisible());
  QCOMPARE(hotkeys_->editings, 1);
  form_->TreeView1()->setCurrentItem(form_->TreeView1()->topLevelItem(TPreferences_Form::DevicePage));
  QVERIFY(!form_->Group(TPreferences_Form::SetupPage)->isVisible());
  QTest::keyClick(form_, Qt::Key_Escape);
  QVERIFY(!form_->isVisible());
  QCOMPARE(Ini("General", "PreferencesHistory"), QStringLiteral("5"));

  Open();
  QCOMPARE(form_->TreeView1()->currentItem()->text(0), QStringLiteral("Device"));
  QVERIFY(form_->Group(TPreferences_Form::DevicePage)->isVisible());
  form_->TreeView1()->setCurrentItem(form_->TreeView1()->topLevelItem(TPreferences_Form::HotkeysPage));
  QTest::mouseClick(form_->CloseButton(), Qt::LeftButton);
  // Registration failures are reported only when the hotkeys page was shown.
  QCOMPARE(hotkeys_->endings, (std::vector<bool>{false, true}));

  tarvo::WriteIniInteger(fixture_->core, "General", "PreferencesHistory", 9);
  Open();
  QCOMPARE(form_->TreeView1()->currentItem()->text(0), QStringLiteral("Setup"));
  QCOMPARE(hotkeys_->pagesMade, 1);
  form_->reject();
}

void PreferencesFormTest::EachControlWritesItsKeyAtOnce() {
  tarvo::testing::FakeUi& ui = fixture_->ui;
  tarvo::WriteLastNewVersion(fixture_->core, "9.9");
  Open();
  // Filling the controls on show writes nothing back.
  QCOMPARE(Ini("General", "RecordSecAhead"), QStringLiteral("(none)"));
  QVERIFY(form_->RadioEnqueue(2)->isChecked());
  QVERIFY(form_->CheckBoxUpdate()->isChecked());

  form_->AssociationBox(1)->click();
  form_->RadioEnqueue(0)->click();
  form_->CheckBoxUpdate()->click();
  form_->CheckMI()->click();
  form_->RadioLed(2)->click();
  form_->CheckBox6()->click();
  QCOMPARE(Ini("Associations", "mp3"), QStringLiteral("1"));
  QCOMPARE(Ini("General", "EnqueueOption"), QStringLiteral("0"));
  QCOMPARE(Ini("General", "AutoUpdate"), QStringLiteral("0"));
  QCOMPARE(Ini("General", "lastnewversion"), QStringLiteral("none"));
  QCOMPARE(Ini("General", "MultipleInstances"), QStringLiteral("1"));
  QCOMPARE(Ini("Window", "VUStyle"), QStringLiteral("2"));
  QCOMPARE(Ini("General", "RecordAhead"), QStringLiteral("1"));

  // The cache seconds: integers of up to a day are written, nothing else.
  form_->Edit3()->setText(QStringLiteral("45"));
  for (const char* bad : {"4x5", "abc", "-3", "86401", ""}) form_->Edit3()->setText(QString::fromLatin1(bad));
  QCOMPARE(Ini("General", "RecordSecAhead"), QStringLiteral("45"));

  const std::string folder = fixture_->home.Path() + "records/";
  ui.chosenFolders = {folder};
  form_->Button10()->click();
  QCOMPARE(Ini("General", "RecordTempPath"), QString::fromStdString(folder));
  form_->Button10()->click();  // cancelled
  QCOMPARE(Ini("General", "RecordTempPath"), QString::fromStdString(tarvo::SystemTemporaryFolder()));
  QCOMPARE(ui.folderDialogs.back(), std::string("Choose temp folder"));

  QCOMPARE(form_->ComboDevice()->count(), 1);
  QCOMPARE(form_->ComboDevice()->itemText(0), QStringLiteral("No sound"));
  form_->ComboDevice()->addItem(QStringLiteral("Second"));
  form_->ComboDevice()->setCurrentIndex(1);
  QCOMPARE(fixture_->playback.deviceSwitches, std::vector<int>{2});
  form_->reject();

  // Reopened, the controls show what was written.
  Open();
  QVERIFY(form_->RadioEnqueue(0)->isChecked());
  QVERIFY(!form_->CheckBoxUpdate()->isChecked());
  QVERIFY(form_->CheckMI()->isChecked() && form_->CheckBox6()->isChecked() && form_->RadioLed(2)->isChecked());
  QCOMPARE(form_->Edit3()->text(), QStringLiteral("45"));
  QCOMPARE(fixture_->playback.deviceSwitches.size(), std::size_t{1});
  form_->reject();
}

void PreferencesFormTest::MusicFoldersAreCommittedAndTheBrowserFollows() {
  tarvo::testing::FakeUi& ui = fixture_->ui;
  TDir_Form& browser = TDir_Form::Of(fixture_->core, &fixture_->window);
  Open();
  ui.chosenFolders = {"/music/a/", "/music/b/"};
  form_->AddMusicFolderButton()->click();
  form_->AddMusicFolderButton()->click();
  form_->AddMusicFolderButton()->click();  // cancelled: nothing added
  QCOMPARE(ui.folderDialogs, std::vector<std::string>(3, "Set your music folder"));
  QCOMPARE(Ini("Root media", "path1"), QStringLiteral("/music/b/"));
  QCOMPARE(browser.ComboBox1()->count(), 3);

  form_->ListMusicFolders()->setCurrentRow(0);
  form_->DeleteMusicFolderButton()->click();
  QCOMPARE(Ini("Root media", "path0"), QStringLiteral("/music/b/"));
  QCOMPARE(Ini("Root media", "path1"), QStringLiteral("(none)"));
  QCOMPARE(fixture_->core.playlist.MusicFolders, std::vector<std::string>{"/music/b/"});
  QCOMPARE(browser.ComboBox1()->itemText(1), QStringLiteral("/music/b/"));

  form_->RadioSort1()->click();
  QCOMPARE(fixture_->core.playlist.SortingWay, 1);
  QCOMPARE(Ini("Playlist", "SortingWay"), QStringLiteral("(none)"));
  form_->reject();
}

void PreferencesFormTest::OutputLevelTexts() {
  QCOMPARE(LevelToDbText(1000), QStringLiteral("0,0 dB"));
  QCOMPARE(LevelToDbText(0), QStringLiteral("-oo dB"));
  QCOMPARE(LevelToDbText(900), QStringLiteral("-0.9 dB"));
  QCOMPARE(LevelToDbText(100), QStringLiteral("-20,0 dB"));

  fixture_->core.settings.volume = 0;
  Open();
  QCOMPARE(form_->OutputLevelLabel()->text(), QStringLiteral("Tarvo output level: -oo dB"));
  QCOMPARE(form_->BufferLabel()->text(), QStringLiteral("Buffer length: 3000 ms"));
  form_->reject();
  fixture_->core.settings.volume = 1000;
  fixture_->core.playlist.PlayingEntry = "http://radio.example/live";
  Open();
  QCOMPARE(form_->OutputLevelLabel()->text(), QStringLiteral("Tarvo output level: 0,0 dB"));
  QCOMPARE(form_->BufferLabel()->text(), QStringLiteral("Buffer length: 5000 ms"));

  fixture_->core.settings.volume = 500;
  form_->Button6()->click();
  QCOMPARE(fixture_->ui.messages.size(), std::size_t{1});
  QCOMPARE(fixture_->core.settings.volume, 1000);
  QCOMPARE(form_->OutputLevelLabel()->text(), QStringLiteral("Tarvo output level: 0 dB"));
  form_->reject();
}

QTEST_MAIN(PreferencesFormTest)
#include "preferences_form_test.moc"
