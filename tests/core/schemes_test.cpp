#include "integration/schemes.h"

#include <gtest/gtest.h>

#include "support/core_fixture.h"

namespace tarvo {
namespace {

using testing::CoreTest;

// A desktop whose every colour differs, and a font engine that makes rows
// twice the point size plus one, so each default can be told apart.
class SchemesTest : public CoreTest {
 protected:
  SchemesTest() {
    DesktopTheme& theme = core.desktopTheme;
    theme.window = Color{0xF1F2F3};
    theme.windowText = Color{0x010203};
    theme.highlight = Color{0x224466};
    theme.highlightText = Color{0xEEDDCC};
    theme.buttonShadow = Color{0x909192};
    theme.windowFontName = "Noto Sans";
    theme.measureTextHeight = [this](const FontSpec& font) {
      measured.push_back(font);
      return font.pointSize * 2 + 1;
    };
    SetEntries({"a.mp3", "b.mp3", "c.mp3", "d.mp3"});
  }

  std::string WriteScheme(std::string_view contents) { return home.Write("Schemes/test.ini", contents); }

  std::vector<FontSpec> measured;
};

TEST(SchemeColors, TextIsRedGreenBlueFromTheHighestByte) {
  EXPECT_EQ(ColorToSchemeText(Color{0xFF6F28}), "#FF6F28");
  EXPECT_EQ(ColorToSchemeText(Color{0x000080}), "#000080");
  EXPECT_EQ(ColorToSchemeText(Color{0}), "#000000");

  const Color darkBlue = SchemeTextToColor("000080").value();
  EXPECT_EQ(darkBlue.Red(), 0);
  EXPECT_EQ(darkBlue.Green(), 0);
  EXPECT_EQ(darkBlue.Blue(), 0x80);
  EXPECT_EQ(SchemeTextToColor("#fd0247"), Color{0xFD0247});
  EXPECT_EQ(SchemeTextToColor("#Fd0247"), Color{0xFD0247});
  // Fewer digits are a smaller number, as any hexadecimal reader takes them.
  EXPECT_EQ(SchemeTextToColor("#80"), Color{0x000080});
  EXPECT_EQ(SchemeTextToColor("#00FFFFFF"), Color{0xFFFFFF});

  for (const std::uint32_t rgb : {0x000000u, 0x123ABCu, 0x800040u, 0xFFFFFFu, 0x0F0F0Fu}) {
    EXPECT_EQ(SchemeTextToColor(ColorToSchemeText(Color{rgb})), Color{rgb}) << rgb;
  }
}

TEST(SchemeColors, TextThatIsNoColourIsRefused) {
  for (const std::string_view text :
       {"", "#", "##000080", "#GG0000", "#12 345", "0x123456", "-12", "#1000000", "red", "#FFFFFFFFF"}) {
    EXPECT_FALSE(SchemeTextToColor(text).has_value()) << text;
  }
}

TEST_F(SchemesTest, MissingFileGivesTheDefaultsWithTahomaAndRowsFromTheFont) {
  core.listView.Select(2, true);
  core.listView.focusedRow = 1;
  ApplySchemeFile(core, home.Path() + "no such scheme.ini");

  const ListLook& look = core.listLook;
  EXPECT_EQ(look.backgroundColor, Color{0xF1F2F3});
  EXPECT_EQ(look.fontName, "Tahoma");
  EXPECT_EQ(look.fontSize, 8);
  EXPECT_FALSE(look.fontBold);
  EXPECT_EQ(look.itemHeight, 17);
  EXPECT_EQ(look.fontColor, Color{0x010203});
  EXPECT_EQ(look.fontColorSelected, Color{0xEEDDCC});
  EXPECT_EQ(look.selectionColor, Color{0x224466});
  EXPECT_EQ(look.selectionColorPlayingItem, Color{0x224466});
  EXPECT_EQ(look.playingItemColor, Color{0x010203});
  EXPECT_EQ(look.playingItemColorSelected, Color{0xEEDDCC});
  EXPECT_TRUE(look.playingItemBold);
  EXPECT_EQ(look.queuedItemColor, Color{0xFF6F28});
  EXPECT_EQ(look.shuffledItemColor, Color{0x909192});
  EXPECT_TRUE(ui.messages.empty());
  // The focused row is selected again, alone.
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{1});
}

TEST_F(SchemesTest, OnlyTheBackgroundWithoutNumberSignLeavesEverythingElseAtItsDefault) {
  ApplySchemeFile(core, WriteScheme("[Style]\r\nbackground_color=000080\r\n"));
  EXPECT_EQ(core.listLook.backgroundColor, Color{0x000080});
  EXPECT_EQ(core.listLook.fontColor, Color{0x010203});
  EXPECT_EQ(core.listLook.fontName, "Tahoma");
  EXPECT_EQ(core.listLook.queuedItemColor, Color{0xFF6F28});
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SchemesTest, AWholeSchemeSetsEveryField) {
  ApplySchemeFile(core, WriteScheme("; a dark look\n[STYLE]\nbackground_color=#101010\nfont_name=DejaVu Sans Mono\n"
                                    "font_size=20\nfont_bold=1\nfont_color=#a0a0a0\nfont_color_selected=#ffffff\n"
                                    "selection_color=#303060\nselection_color_playingitem=#603030\n"
                                    "playingitem_color=#ffcc00\nplayingitem_color_selected=#ffee88\n"
                                    "playingitem_bold=0\nqueueditem_color=#00c0ff\nshuffleditem_color=#505050\n"));
  const ListLook& look = core.listLook;
  EXPECT_EQ(look.backgroundColor, Color{0x101010});
  EXPECT_EQ(look.fontName, "DejaVu Sans Mono");
  EXPECT_EQ(look.fontSize, 20);
  EXPECT_TRUE(look.fontBold);
  // Rows as high as the list font's text at 20 points.
  EXPECT_EQ(look.itemHeight, 41);
  ASSERT_EQ(measured.size(), 1u);
  EXPECT_EQ(measured[0].name, "DejaVu Sans Mono");
  EXPECT_EQ(measured[0].pointSize, 20);
  EXPECT_EQ(look.fontColor, Color{0xA0A0A0});
  EXPECT_EQ(look.fontColorSelected, Color{0xFFFFFF});
  EXPECT_EQ(look.selectionColor, Color{0x303060});
  EXPECT_EQ(look.selectionColorPlayingItem, Color{0x603030});
  EXPECT_EQ(look.playingItemColor, Color{0xFFCC00});
  EXPECT_EQ(look.playingItemColorSelected, Color{0xFFEE88});
  EXPECT_FALSE(look.playingItemBold);
  EXPECT_EQ(look.queuedItemColor, Color{0x00C0FF});
  EXPECT_EQ(look.shuffledItemColor, Color{0x505050});
}

TEST_F(SchemesTest, PlayingSelectedTextDefaultsToTheSelectedTextJustRead) {
  ApplySchemeFile(core, WriteScheme("[Style]\nfont_color_selected=#00FF00\n"));
  EXPECT_EQ(core.listLook.playingItemColorSelected, Color{0x00FF00});
}

TEST_F(SchemesTest, FontSizesThatGiveNoUsableRowsAreBounded) {
  core.desktopTheme.measureTextHeight = EstimatedTextHeight;
  ApplySchemeFile(core, WriteScheme("[Style]\nfont_size=0\n"));
  EXPECT_EQ(core.listLook.fontSize, 1);
  EXPECT_GE(core.listLook.itemHeight, 1);
  ApplySchemeFile(core, WriteScheme("[Style]\nfont_size=-12\n"));
  EXPECT_GE(core.listLook.itemHeight, 1);
  ApplySchemeFile(core, WriteScheme("[Style]\nfont_size=100000\n"));
  EXPECT_EQ(core.listLook.fontSize, 200);
  // Not a number: the default.
  ApplySchemeFile(core, WriteScheme("[Style]\nfont_size=big\n"));
  EXPECT_EQ(core.listLook.fontSize, 8);
  EXPECT_EQ(core.listLook.itemHeight, 13);
}

TEST_F(SchemesTest, AColourThatIsNotHexadecimalStopsTheSchemeAtItsKey) {
  ApplyBuiltinScheme(core, kLovePlaylistScheme);
  core.listView.focusedRow = 3;
  const std::string path = WriteScheme(
      "[Style]\nbackground_color=#112233\nfont_name=Mono\nfont_size=10\n"
      "font_color=#445566\nfont_color_selected=#GG0000\n"
      "selection_color=#778899\nqueueditem_color=#123456\n");
  ApplySchemeFile(core, path);

  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(ui.messages[0].text, "'#GG0000' is not a valid colour value (#RRGGBB).\r\rColour scheme: " + path +
                                     "\rKey: font_color_selected");
  const ListLook& look = core.listLook;
  // What came before the bad key is the scheme's ...
  EXPECT_EQ(look.backgroundColor, Color{0x112233});
  EXPECT_EQ(look.fontName, "Mono");
  EXPECT_EQ(look.itemHeight, 21);
  EXPECT_EQ(look.fontColor, Color{0x445566});
  // ... the bad key and everything after it stay as they were.
  EXPECT_EQ(look.fontColorSelected, Color{0xFFFFFF});
  EXPECT_EQ(look.selectionColor, Color{0x800040});
  EXPECT_EQ(look.queuedItemColor, Color{0xFF80C0});
  // The list is back in step all the same.
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{3});
}

TEST_F(SchemesTest, BuiltinDesktopLookUsesTheThemeAndThirteenPixelRows) {
  ApplyBuiltinScheme(core, kLovePlaylistScheme);
  ApplyBuiltinScheme(core, kWindowsDefaultScheme);
  const ListLook& look = core.listLook;
  EXPECT_EQ(look.backgroundColor, Color{0xF1F2F3});
  EXPECT_EQ(look.fontName, "Noto Sans");
  EXPECT_EQ(look.fontSize, 8);
  EXPECT_EQ(look.itemHeight, 13);
  EXPECT_FALSE(look.fontBold);
  EXPECT_EQ(look.fontColor, Color{0x010203});
  EXPECT_EQ(look.fontColorSelected, Color{0xEEDDCC});
  EXPECT_EQ(look.selectionColor, Color{0x224466});
  EXPECT_EQ(look.selectionColorPlayingItem, Color{0x224466});
  EXPECT_EQ(look.playingItemColor, Color{0x010203});
  EXPECT_EQ(look.playingItemColorSelected, Color{0xEEDDCC});
  EXPECT_TRUE(look.playingItemBold);
  EXPECT_EQ(look.queuedItemColor, Color{0xFF6F28});
  EXPECT_EQ(look.shuffledItemColor, Color{0x909192});
  // Set directly, not measured.
  EXPECT_TRUE(measured.empty());
}

TEST_F(SchemesTest, LoveLookKeepsTheFontNameAndMakesRowsTwentyFourPixels) {
  ApplySchemeFile(core, WriteScheme("[Style]\nfont_name=Comic Neue\nfont_bold=1\nplayingitem_bold=0\n"));
  ApplyBuiltinScheme(core, kLovePlaylistScheme);
  const ListLook& look = core.listLook;
  EXPECT_EQ(look.fontName, "Comic Neue");
  EXPECT_EQ(look.fontSize, 14);
  EXPECT_EQ(look.itemHeight, 24);
  EXPECT_FALSE(look.fontBold);
  EXPECT_EQ(look.backgroundColor, Color{0xFD0247});
  EXPECT_EQ(look.fontColor, Color{0xFFFFFF});
  EXPECT_EQ(look.fontColorSelected, Color{0xFFFFFF});
  EXPECT_EQ(look.selectionColor, Color{0x800040});
  EXPECT_EQ(look.selectionColorPlayingItem, Color{0x800040});
  EXPECT_EQ(look.playingItemColor, Color{0xFF80FF});
  EXPECT_EQ(look.playingItemColorSelected, Color{0xFFFFFF});
  EXPECT_TRUE(look.playingItemBold);
  EXPECT_EQ(look.queuedItemColor, Color{0xFF80C0});
  EXPECT_EQ(look.shuffledItemColor, Color{0x909192});
}

TEST_F(SchemesTest, AnyOtherBuiltinNumberOnlySelectsTheFocusedRowAgain) {
  ApplyBuiltinScheme(core, kLovePlaylistScheme);
  const ListLook before = core.listLook;
  core.listView.SelectAll();
  core.listView.focusedRow = 2;
  ApplyBuiltinScheme(core, 7);
  EXPECT_EQ(core.listLook.backgroundColor, before.backgroundColor);
  EXPECT_EQ(core.listLook.itemHeight, before.itemHeight);
  EXPECT_EQ(core.listView.SelectedRows(), std::vector<int>{2});

  // With no focused row the selection is left alone but the list redrawn.
  core.listView.SelectAll();
  core.listView.focusedRow = -1;
  const int changes = ui.listViewChanges;
  ApplyBuiltinScheme(core, -1);
  EXPECT_EQ(core.listView.SelectedCount(), 4);
  EXPECT_GT(ui.listViewChanges, changes);
}

TEST_F(SchemesTest, ActiveSchemeIsReadFromTheHomeFolderOrGivesTheDesktopLook) {
  ApplyActiveScheme(core);
  EXPECT_EQ(core.listLook.fontName, "Noto Sans");
  EXPECT_EQ(core.listLook.itemHeight, 13);

  // Written on Windows, with "\" between folders.
  home.Write("Schemes/dark.ini", "[Style]\nbackground_color=#000000\nfont_color=#FFFFFF\n");
  core.settings.activeScheme = "Schemes\\dark.ini";
  ApplyActiveScheme(core);
  EXPECT_EQ(core.listLook.backgroundColor, Color{0x000000});
  EXPECT_EQ(core.listLook.fontColor, Color{0xFFFFFF});
  EXPECT_EQ(core.listLook.fontName, "Tahoma");

  core.settings.activeScheme = "Schemes/missing.ini";
  ApplyActiveScheme(core);
  EXPECT_EQ(core.listLook.backgroundColor, Color{0xF1F2F3});
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tarvo
