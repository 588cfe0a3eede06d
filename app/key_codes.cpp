#include "app/key_codes.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <array>
#include <utility>

namespace {

// Keys that are the same with and without the keypad.
constexpr std::array<std::pair<int, int>, 21> kKeys{{
    {Qt::Key_Backspace, 8},   {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},      {Qt::Key_Pause, 19},    {Qt::Key_Escape, 27},    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},     {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},       {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},       {Qt::Key_Up, 38},       {Qt::Key_Right, 39},     {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},     {Qt::Key_Delete, 46},   {Qt::Key_QuoteLeft, 192}, {Qt::Key_Equal, 187},
    {Qt::Key_Slash, 191},
}};

// The main keyboard's digit and punctuation keys by their XKB key code
// (the evdev code + 8, which X11 and Wayland report as the native scan
// code): a key keeps its code whatever character Shift or the layout makes
// it type, so Shift+"=" is still the "=" key.
constexpr std::array<std::pair<quint32, int>, 21> kMainKeysByScanCode{{
    {10, '1'}, {11, '2'}, {12, '3'}, {13, '4'}, {14, '5'}, {15, '6'}, {16, '7'},
    {17, '8'}, {18, '9'}, {19, '0'}, {20, 189}, {21, 187}, {34, 219}, {35, 221},
    {47, 186}, {48, 222}, {49, 192}, {51, 220}, {59, 188}, {60, 190}, {61, 191},
}};

// Where no scan code is known: the characters Shift types on the keys above
// on a US keyboard, with the codes of their keys.
constexpr std::array<std::pair<int, int>, 14> kShiftedCharacters{{
    {Qt::Key_Exclam, '1'}, {Qt::Key_At, '2'}, {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'}, {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'}, {Qt::Key_ParenRight, '0'}, {Qt::Key_Underscore, 189}, {Qt::Key_Plus, 187},
    {Qt::Key_AsciiTilde, 192}, {Qt::Key_Question, 191},
}};

constexpr int kNumpad0 = 96;
constexpr int kNumpadMultiply = 106;
constexpr int kNumpadAdd = 107;
constexpr int kNumpadSubtract = 109;
constexpr int kNumpadDivide = 111;
constexpr int kMinus = 189;
constexpr int kF1 = 112;

int KeypadKey(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return kNumpad0 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Plus:
      return kNumpadAdd;
    case Qt::Key_Minus:
      return kNumpadSubtract;
    case Qt::Key_Asterisk:
      return kNumpadMultiply;
    case Qt::Key_Slash:
      return kNumpadDivide;
    default:
      return 0;
  }
}

// The scan codes of X11 and Wayland are XKB key codes; other platforms
// (and synthetic events) give other numbers or none.
bool ScanCodesAreXkb() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

int MainKeyOfScanCode(quint32 scanCode) {
  for (const auto& [code, virtualKey] : kMainKeysByScanCode) {
    if (code == scanCode) return virtualKey;
  }
  return 0;
}

}  // namespace

int VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    if (const int keypad = KeypadKey(key)) return keypad;
  } else if (event.nativeScanCode() != 0 && ScanCodesAreXkb()) {
    if (const int mainKey = MainKeyOfScanCode(event.nativeScanCode())) return mainKey;
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return kF1 + (key - Qt::Key_F1);
  if (key == Qt::Key_Minus) return kMinus;
  for (const auto& [qtKey, code] : kKeys) {
    if (qtKey == key) return code;
  }
  for (const auto& [character, code] : kShiftedCharacters) {
    if (character == key) return code;
  }
  return 0;
}

int ShiftStateOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  // Shift+Tab arrives as Backtab; the shift is part of the key.
  const bool shift = modifiers.testFlag(Qt::ShiftModifier) || event.key() == Qt::Key_Backtab;
  return (shift ? 1 : 0) | (modifiers.testFlag(Qt::AltModifier) ? 2 : 0) |
         (modifiers.testFlag(Qt::ControlModifier) ? 4 : 0);
}
