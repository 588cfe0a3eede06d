// The playlist's look as the main window sets it: the desktop's colours and
// font at the first show, a scheme file named by ActiveScheme, and the love
// playlist's look with a maximized window; the drawn play bar pictures.
#include <QTest>

#include "app/drawn_icons.h"
#include "app_window_fixture.h"
#include "controls/vemmo_listbox.h"

namespace {

tarvo::Color ToColor(const QColor& color) { return tarvo::Color{static_cast<std::uint32_t>(color.rgb() & 0xFFFFFF)}; }

}  // namespace

class WindowLookTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void WithoutSchemeTheListTakesTheDesktopLook();
  void ActiveSchemeFileIsAppliedAtFirstShow();
  void LovePlaylistRequestSetsItsLookAndMaximizes();
  void DrawnPicturesFillTheSizeAskedAndFadeWhenDisabled();
};

void WindowLookTest::WithoutSchemeTheListTakesTheDesktopLook() {
  AppWindowFixture fixture;
  fixture.window.ShowFirstTime();
  const tarvo::ListLook& look = fixture.core.listLook;
  const QPalette palette = fixture.window.ListScreen()->palette();
  QCOMPARE(look.backgroundColor, ToColor(palette.color(QPalette::Base)));
  QCOMPARE(look.fontColor, ToColor(palette.color(QPalette::Text)));
  QCOMPARE(look.selectionColor, ToColor(palette.color(QPalette::Highlight)));
  QCOMPARE(look.shuffledItemColor, ToColor(palette.color(QPalette::Dark)));
  QCOMPARE(QString::fromStdString(look.fontName), fixture.window.font().family());
  QCOMPARE(look.fontSize, 8);
  QCOMPARE(look.itemHeight, 13);
}

void WindowLookTest::ActiveSchemeFileIsAppliedAtFirstShow() {
  AppWindowFixture fixture;
  fixture.home.Write("Schemes/night.ini", "[Style]\nbackground_color=000080\nfont_size=20\n");
  fixture.core.settings.activeScheme = "Schemes\\night.ini";
  fixture.window.ShowFirstTime();
  const tarvo::ListLook& look = fixture.core.listLook;
  QCOMPARE(look.backgroundColor, tarvo::Color{0x000080});
  // Rows as high as a line of the list font, as the window's font engine
  // measures it.
  QFont font(QString::fromStdString(look.fontName));
  font.setPointSize(20);
  QCOMPARE(look.itemHeight, QFontMetrics(font).height());
  QVERIFY(look.itemHeight > 13);
  // Keys the file leaves out keep the desktop's colours.
  QCOMPARE(look.fontColor, ToColor(fixture.window.ListScreen()->palette().color(QPalette::Text)));
}

void WindowLookTest::LovePlaylistRequestSetsItsLookAndMaximizes() {
  AppWindowFixture fixture;
  fixture.window.ShowFirstTime();
  QVERIFY(QTest::qWaitForWindowExposed(&fixture.window));
  const std::string fontName = fixture.core.listLook.fontName;
  fixture.core.requests.loveLook = true;
  fixture.core.ui.WindowTextsChanged();
  QVERIFY(!fixture.core.requests.loveLook);
  QCOMPARE(fixture.core.listLook.backgroundColor, tarvo::Color{0xFD0247});
  QCOMPARE(fixture.core.listLook.itemHeight, 24);
  QCOMPARE(fixture.core.listLook.fontName, fontName);
  QTRY_VERIFY(fixture.window.windowState() & Qt::WindowMaximized);
}

void WindowLookTest::DrawnPicturesFillTheSizeAskedAndFadeWhenDisabled() {
  const QIcon stop = DrawnIcon(DrawnPicture::Stop, QColor(200, 0, 0));
  // The square of the stop picture covers its middle half at every size.
  for (const int side : {16, 32, 48}) {
    const QImage image = stop.pixmap(side, side).toImage();
    QCOMPARE(image.size(), QSize(side, side));
    QCOMPARE(image.pixelColor(side / 2, side / 2), QColor(200, 0, 0));
    QCOMPARE(image.pixelColor(side / 2, side / 2 - side * 3 / 8).alpha(), 0);
    QCOMPARE(image.pixelColor(1, 1).alpha(), 0);
  }
  const QImage disabled = stop.pixmap(QSize(16, 16), QIcon::Disabled).toImage();
  QCOMPARE(disabled.pixelColor(8, 8).alpha(), 90);
}

QTEST_MAIN(WindowLookTest)
#include "window_look_test.moc"
