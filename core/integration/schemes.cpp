#include "integration/schemes.h"

#include <algorithm>
#include <cstdio>

#include "base/text.h"
#include "playlist/model.h"
#include "settings/ini_file.h"

namespace tarvo {

namespace {

constexpr std::string_view kStyle = "Style";
constexpr std::string_view kDefaultFontName = "Tahoma";
constexpr int kDefaultFontSize = 8;
// A size of 0 or less would give rows without height, which the view divides
// by; a huge one would give rows taller than any screen.
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 200;
constexpr Color kDefaultQueuedColor{0xFF6F28};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string BadColorMessage(const std::string& path, std::string_view key, std::string_view text) {
  return "'" + std::string(text) + "' is not a valid colour value (#RRGGBB).\r\rColour scheme: " + path +
         "\rKey: " + std::string(key);
}

// Reads the colour keys of one scheme file, remembering the first one that
// could not be read.
class ColorReader {
 public:
  ColorReader(const IniDocument& ini, const std::string& path) : ini_(ini), path_(path) {}

  // A missing key takes `defaultColor`; false (and `field` unchanged) when
  // the key's text is not a colour.
  bool Read(std::string_view key, Color defaultColor, Color& field) {
    const std::string text = IniString(ini_, kStyle, key, ColorToSchemeText(defaultColor));
    const std::optional<Color> color = SchemeTextToColor(text);
    if (!color) {
      error_ = BadColorMessage(path_, key, text);
      return false;
    }
    field = *color;
    return true;
  }

  const std::string& Error() const { return error_; }

 private:
  const IniDocument& ini_;
  const std::string& path_;
  std::string error_;
};

// Reads section Style in the order of its keys, each field as soon as its key
// is read, so that a bad colour leaves the fields before it set. Returns the
// message for a bad colour; empty when every key was read.
std::string ReadSchemeStyle(Core& core, const IniDocument& ini, const std::string& path) {
  ListLook& look = core.listLook;
  const DesktopTheme& theme = core.desktopTheme;
  ColorReader color(ini, path);

  if (!color.Read("background_color", theme.window, look.backgroundColor)) return color.Error();
  look.fontName = IniString(ini, kStyle, "font_name", kDefaultFontName);
  look.fontSize = std::clamp(IniInteger(ini, kStyle, "font_size", kDefaultFontSize), kMinFontSize, kMaxFontSize);
  look.fontBold = IniBool(ini, kStyle, "font_bold", false);
  // Rows are as high as the list font's text.
  look.itemHeight = std::max(1, theme.measureTextHeight(look.Font()));

  // The default of playingitem_color_selected is the value just read for
  // font_color_selected, so the calls must run in this order.
  if (!color.Read("font_color", theme.windowText, look.fontColor) ||
      !color.Read("font_color_selected", theme.highlightText, look.fontColorSelected) ||
      !color.Read("selection_color", theme.highlight, look.selectionColor) ||
      !color.Read("selection_color_playingitem", theme.highlight, look.selectionColorPlayingItem) ||
      !color.Read("playingitem_color", theme.windowText, look.playingItemColor) ||
      !color.Read("playingitem_color_selected", look.fontColorSelected, look.playingItemColorSelected)) {
    return color.Error();
  }
  look.playingItemBold = IniBool(ini, kStyle, "playingitem_bold", true);
  if (!color.Read("queueditem_color", kDefaultQueuedColor, look.queuedItemColor) ||
      !color.Read("shuffleditem_color", theme.buttonShadow, look.shuffledItemColor)) {
    return color.Error();
  }
  return {};
}

// A new row height moves the rows, so the focused row is selected again to
// bring the view back in step. An empty list is still redrawn in the new look.
void ReselectAfterLookChange(Core& core, int row) {
  if (row >= 0 && row < core.listView.RowCount()) {
    SelectSingle(core, row);
  } else {
    core.ui.ListViewChanged();
  }
}

// The fields both built-in looks set alike.
void SetBuiltinCommonFields(ListLook& look, const DesktopTheme& theme) {
  look.fontBold = false;
  look.selectionColorPlayingItem = look.selectionColor;
  look.playingItemColorSelected = look.fontColorSelected;
  look.playingItemBold = true;
  look.shuffledItemColor = theme.buttonShadow;
}

}  // namespace

std::string ColorToSchemeText(Color color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(color.rgb & 0xFFFFFF));
  return text;
}

std::optional<Color> SchemeTextToColor(std::string_view text) {
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
    if (value > 0xFFFFFF) return std::nullopt;
  }
  return Color{value};
}

void ApplySchemeFile(Core& core, const std::string& path) {
  const int focused = core.listView.focusedRow;
  // A file that is there but cannot be read gives the defaults like a
  // missing one.
  const IniDocument ini = LoadIniFile(path).value_or(IniDocument());
  const std::string error = ReadSchemeStyle(core, ini, path);
  ReselectAfterLookChange(core, focused);
  if (!error.empty()) core.ui.ShowMessage(MessageKind::Error, error);
}

void ApplyBuiltinScheme(Core& core, int number) {
  const int focused = core.listView.focusedRow;
  ListLook& look = core.listLook;
  const DesktopTheme& theme = core.desktopTheme;
  if (number == kWindowsDefaultScheme) {
    look.backgroundColor = theme.window;
    look.fontName = theme.windowFontName;
    look.fontSize = 8;
    look.itemHeight = 13;
    look.fontColor = theme.windowText;
    look.fontColorSelected = theme.highlightText;
    look.selectionColor = theme.highlight;
    look.playingItemColor = look.fontColor;
    look.queuedItemColor = kDefaultQueuedColor;
    SetBuiltinCommonFields(look, theme);
  } else if (number == kLovePlaylistScheme) {
    // The font name stays: the love look only makes it larger.
    look.backgroundColor = Color{0xFD0247};
    look.fontSize = 14;
    look.itemHeight = 24;
    look.fontColor = Color{0xFFFFFF};
    look.fontColorSelected = Color{0xFFFFFF};
    look.selectionColor = Color{0x800040};
    look.playingItemColor = Color{0xFF80FF};
    look.queuedItemColor = Color{0xFF80C0};
    SetBuiltinCommonFields(look, theme);
  }
  ReselectAfterLookChange(core, focused);
}

void ApplyActiveScheme(Core& core) {
  const std::string& scheme = core.settings.activeScheme;
  if (scheme.empty()) {
    ApplyBuiltinScheme(core, kWindowsDefaultScheme);
    return;
  }
  // Values written by hand on Windows separate folders with "\".
  const std::string relative = ReplaceAll(scheme, "\\", "/");
  ApplySchemeFile(core, StartsWith(relative, "/") ? relative : core.homeFolder + relative);
}

}  // namespace tarvo
