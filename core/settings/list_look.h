// The look of the playlist view as plain values, and the desktop's colours and
// font engine that the built-in looks and the scheme defaults come from. The
// window fills DesktopTheme from its palette before the first show and draws
// every row from ListLook. Window thread only.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

namespace tarvo {

// A 24-bit colour, 0xRRGGBB.
struct Color {
  std::uint32_t rgb = 0;

  constexpr int Red() const { return static_cast<int>((rgb >> 16) & 0xFF); }
  constexpr int Green() const { return static_cast<int>((rgb >> 8) & 0xFF); }
  constexpr int Blue() const { return static_cast<int>(rgb & 0xFF); }
  friend constexpr bool operator==(Color, Color) = default;
};

// Text of a stream row that is neither selected nor playing.
inline constexpr Color kStreamItemColor{0x008000};

struct FontSpec {
  std::string name;
  int pointSize = 8;
  bool bold = false;
};

// Rows as high as a font's text at 96 dots per inch with the usual 1.2 line
// spacing: 13 pixels at 8 points. Used until the window attaches its own
// font engine.
inline int EstimatedTextHeight(const FontSpec& font) {
  return static_cast<int>(std::lround(font.pointSize * 96.0 / 72.0 * 1.2));
}

// The user's desktop colours in the roles the looks refer to, the main
// window's font, and a way to measure text. Defaults are a light theme; the
// window overwrites them (window: QPalette::Base, windowText: Text,
// highlight: Highlight, highlightText: HighlightedText, buttonShadow: Dark).
struct DesktopTheme {
  Color window{0xFFFFFF};
  Color windowText{0x000000};
  Color highlight{0x3399FF};
  Color highlightText{0xFFFFFF};
  Color buttonShadow{0xA0A0A0};
  std::string windowFontName = "Sans Serif";
  // The pixel height of the text "a" in a font.
  std::function<int(const FontSpec&)> measureTextHeight = EstimatedTextHeight;
};

// Field names follow the scheme file's keys. Starts as the Windows default
// look over the default theme; the window applies the real one before the
// first row is drawn.
struct ListLook {
  Color backgroundColor{0xFFFFFF};            // background_color
  std::string fontName = "Sans Serif";        // font_name
  int fontSize = 8;                           // font_size, points
  bool fontBold = false;                      // font_bold
  Color fontColor{0x000000};                  // font_color
  Color fontColorSelected{0xFFFFFF};          // font_color_selected
  Color selectionColor{0x3399FF};             // selection_color
  Color selectionColorPlayingItem{0x3399FF};  // selection_color_playingitem
  Color playingItemColor{0x000000};           // playingitem_color
  Color playingItemColorSelected{0xFFFFFF};   // playingitem_color_selected
  bool playingItemBold = true;                // playingitem_bold
  Color queuedItemColor{0xFF6F28};            // queueditem_color
  Color shuffledItemColor{0xA0A0A0};          // shuffleditem_color
  // Row height in pixels, never below 1.
  int itemHeight = 13;

  FontSpec Font() const { return FontSpec{fontName, fontSize, fontBold}; }
};

}  // namespace tarvo
