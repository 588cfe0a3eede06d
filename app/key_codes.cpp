#include "app/key_codes.h"

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

}  // namespace

int VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    if (const int keypad = KeypadKey(key)) return keypad;
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return kF1 + (key - Qt::Key_F1);
  if (key == Qt::Key_Minus) return kMinus;
  for (const auto& [qtKey, code] : kKeys) {
    if (qtKey == key) return code;
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
