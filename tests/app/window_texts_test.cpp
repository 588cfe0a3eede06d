// The default window in the desktop's font: the time label, the file's
// description in the status bar and the menu titles show whole, in Korean
// and in English, as do the texts of every other window; a stored size is
// kept as it is.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>
#include <memory>
#include <vector>

#include "app/about_form.h"
#include "app/dir_form.h"
#include "app/favorites_form.h"
#include "app/file_info_form.h"
#include "app/find_form.h"
#include "app/info_form.h"
#include "app/preferences_form.h"
#include "app/preferences_hotkeys.h"
#include "app/progress_panel.h"
#include "app/radio_form.h"
#include "app/replace_filenames_form.h"
#include "app/timer_form.h"
#include "app/window_language.h"
#include "app_window_fixture.h"
#include "audio/linux_audio_library.h"

class WindowTextsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void DefaultWindowShowsItsTextsWhole();
  void StoredSizeIsKept();
  void LongTextsShareTheWidthWithoutOverlapping();
  void LanguageFollowsTheSettingThenTheLocale();
  void EnglishWindowsShowTheirTextsWhole();
};

namespace {

bool ShowsWhole(const QLabel* label) {
  return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
}

// The width a label, button or group box needs to show its text whole. A
// push button's size hint asks for a least width of the style's; only its
// text and margins count here.
int NeededWidth(const QWidget& widget) {
  const auto* push = qobject_cast<const QPushButton*>(&widget);
  if (!push) return widget.minimumSizeHint().width();
  const QString text = QString(push->text()).remove(QLatin1Char('&'));
  const QStyle* style = push->style();
  return push->fontMetrics().horizontalAdvance(text) + style->pixelMetric(QStyle::PM_ButtonMargin) +
         2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

// Each label, button and group title that shows gets the width its text asks.
void VerifyTextsWhole(const QWidget& window) {
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (label && label->wordWrap()) continue;
    const bool button = qobject_cast<const QAbstractButton*>(widget) && !qobject_cast<const QToolButton*>(widget);
    if (!label && !button && !qobject_cast<const QGroupBox*>(widget)) continue;
    // Buttons and labels have a text, group boxes a title.
    const QString text = widget->property("text").toString() + widget->property("title").toString();
    QVERIFY2(NeededWidth(*widget) <= widget->width(), qPrintable(QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                                                                     .arg(window.objectName(), text)
                                                                     .arg(NeededWidth(*widget))
                                                                     .arg(widget->width())));
  }
}

QString Language(std::string_view setting, std::string_view locale) {
  return QString::fromStdString(WindowLanguage(setting, locale));
}

class NoHotkeys : public PreferencesHotkeys {
 public:
  QWidget* CreatePage(QWidget* parent) override { return new QWidget(parent); }
  void BeginEditing() override {}
  void EndEditing(bool) override {}
};

}  // namespace

void WindowTextsTest::DefaultWindowShowsItsTextsWhole() {
  AppWindowFixture fixture;
  TAppTarvo& window = fixture.window;
  QVERIFY(window.width() >= 310);
  QCOMPARE(window.height(), 370);
  fixture.core.texts.labelTime = "0:01 / 0:21 / -0:19";
  fixture.core.texts.statusPanels[3] = "128 Kbps Stereo";
  window.ShowWindowTexts();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));

  const auto* time = window.findChild<QLabel*>(QStringLiteral("LabelTime"));
  const auto* info = window.findChild<QLabel*>(QStringLiteral("StatusPanel3"));
  QVERIFY(time && info);
  QVERIFY2(ShowsWhole(time), qPrintable(QStringLiteral("time label %1 px wide").arg(time->width())));
  QVERIFY2(ShowsWhole(info), qPrintable(QStringLiteral("status text %1 px wide").arg(info->width())));
  // The menu bar hides titles that do not fit behind its extension button.
  for (const QToolButton* button : window.menuBar()->findChildren<QToolButton*>()) QVERIFY(!button->isVisible());
  QVERIFY(window.minimumWidth() <= window.width());
}

void WindowTextsTest::StoredSizeIsKept() {
  AppWindowFixture fixture;
  tarvo::RuntimeSettings& settings = fixture.core.settings;
  settings.defaultSize = false;
  settings.bounds = {40, 30, 300, 200};
  fixture.window.ApplySettings();
  QCOMPARE(fixture.window.geometry().size(), QSize(300, 200));
}

// A station's status and a recording's time left at the default width:
// each text keeps to its own place and ends in "…" where it does not fit,
// rather than being cut off under the text beside it.
void WindowTextsTest::LongTextsShareTheWidthWithoutOverlapping() {
  AppWindowFixture fixture;
  TAppTarvo& window = fixture.window;
  fixture.core.texts.statusPanels = {" 100 %", "56 Files", "Shuffle",
                                     "128 Kbps 44100 Hz - Stereo - Playing internet stream at 16 KB/s"};
  fixture.core.texts.labelTime = "Recording... Left: 129:01 (78,138 MB)";
  window.ShowWindowTexts();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));

  std::vector<QRect> places;
  for (int i = 0; i < 4; ++i) {
    const auto* panel = window.findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
    QVERIFY(panel && panel->isVisible());
    const QRect place(panel->mapTo(&window, QPoint(0, 0)), panel->size());
    QVERIFY2(window.rect().contains(place), qPrintable(QStringLiteral("panel %1 leaves the window").arg(i)));
    for (const QRect& other : places) QVERIFY2(!other.intersects(place), qPrintable(QStringLiteral("panel %1").arg(i)));
    places.push_back(place);
    QVERIFY2(panel->minimumSizeHint().width() <= panel->width(), qPrintable(QStringLiteral("panel %1").arg(i)));
  }
  const auto* time = window.findChild<QLabel*>(QStringLiteral("LabelTime"));
  QVERIFY(time->minimumSizeHint().width() <= time->width());
}

void WindowTextsTest::LanguageFollowsTheSettingThenTheLocale() {
  QCOMPARE(Language("", "ko_KR.UTF-8"), QStringLiteral("ko"));
  QCOMPARE(Language("", "C"), QStringLiteral("ko"));
  QCOMPARE(Language("", "POSIX"), QStringLiteral("ko"));
  QCOMPARE(Language("", ""), QStringLiteral("ko"));
  QCOMPARE(Language("", "de_DE.UTF-8"), QStringLiteral("en"));
  QCOMPARE(Language("", "C.UTF-8"), QStringLiteral("ko"));
  QCOMPARE(Language("ko", "en_US.UTF-8"), QStringLiteral("ko"));
  QCOMPARE(Language("EN", "C"), QStringLiteral("en"));
  // A language without a translation, or a name that is none, stays Korean.
  QVERIFY(!InstallWindowTranslation("de", TranslationsFolder()));
  QVERIFY(!InstallWindowTranslation("../translations/tarvo_en", TranslationsFolder()));
  QVERIFY(!InstallWindowTranslation("ko", TranslationsFolder()));
}

void WindowTextsTest::EnglishWindowsShowTheirTextsWhole() {
  QVERIFY(InstallWindowTranslation("en", TranslationsFolder()));
  AppWindowFixture fixture;
  TAppTarvo& window = fixture.window;
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QCOMPARE(window.menuBar()->actions().first()->text(), QStringLiteral("&File"));
  for (const QToolButton* button : window.menuBar()->findChildren<QToolButton*>()) QVERIFY(!button->isVisible());
  // Within each menu, and among the menu titles, no two items share an
  // accelerator.
  std::vector<const QWidget*> menus = {window.menuBar()};
  for (const QMenu* menu : window.menuBar()->findChildren<QMenu*>()) menus.push_back(menu);
  for (const QWidget* menu : menus) {
    QList<QKeySequence> taken;
    for (const QAction* action : menu->actions()) {
      const QKeySequence accelerator = QKeySequence::mnemonic(action->text());
      if (accelerator.isEmpty()) continue;
      QVERIFY2(!taken.contains(accelerator), qPrintable(action->text()));
      taken << accelerator;
    }
  }

  tarvo::audio::LinuxAudioLibrary audio(tarvo::audio::ParseOutputChoice("null"));
  fixture.core.audio = &audio;
  NoHotkeys hotkeys;
  TextWindowHost texts(&window);
  auto* preferences = new TPreferences_Form(fixture.core, hotkeys, nullptr, &window);
  const std::vector<QWidget*> windows = {
      preferences,
      new TFind_Form(fixture.core, &window),
      new TFavorites_Form(fixture.core, &window),
      new TDir_Form(fixture.core, &window),
      new TFileInfo_Form(fixture.core, texts, &window),
      new TReplaceFilenames_Form(fixture.core, &window),
      new TTimer_Form(fixture.core, [] {}, &window),
      new TAbout_Form(fixture.core, texts, &window),
      new TRadio_Form(fixture.core, &window)};
  for (QWidget* shown : windows) {
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    VerifyTextsWhole(*shown);
    shown->hide();
  }
  preferences->show();
  for (int page = 0; page < TPreferences_Form::PageCount; ++page) {
    preferences->TreeView1()->setCurrentItem(preferences->TreeView1()->topLevelItem(page));
    VerifyTextsWhole(*preferences);
  }
  for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
}

QTEST_MAIN(WindowTextsTest)
#include "window_texts_test.moc"
