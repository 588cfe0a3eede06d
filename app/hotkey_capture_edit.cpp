#include "app/hotkey_capture_edit.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <array>
#include <utility>

#include "app/key_codes.h"

namespace {

constexpr int kBackspace = 8;
constexpr int kDelete = 46;
constexpr int kF13 = 124;
constexpr int kShift = 16;
constexpr int kControl = 17;
constexpr int kAlt = 18;
constexpr int kLeftWindows = 91;
constexpr int kRightWindows = 92;

constexpr std::array<std::pair<int, int>, 25> kCaptureOnlyKeys{{
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Print, 44},
    {Qt::Key_Help, 47},
    {Qt::Key_Meta, 91},
    {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},
    {Qt::Key_Sleep, 95},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Search, 170},
    {Qt::Key_Favorites, 171},
    {Qt::Key_HomePage, 172},
    {Qt::Key_VolumeMute, 173},
    {Qt::Key_VolumeDown, 174},
    {Qt::Key_VolumeUp, 175},
    {Qt::Key_MediaNext, 176},
    {Qt::Key_MediaPrevious, 177},
    {Qt::Key_MediaStop, 178},
    {Qt::Key_MediaPlay, 179},
    {Qt::Key_MediaTogglePlayPause, 179},
}};

}  // namespace

int HotkeyKeyOf(const QKeyEvent& key) {
  for (const auto& [qtKey, code] : kCaptureOnlyKeys) {
    if (qtKey == key.key()) return code;
  }
  if (key.key() >= Qt::Key_F13 && key.key() <= Qt::Key_F24) return kF13 + (key.key() - Qt::Key_F13);
  return VirtualKeyOf(key);
}

HotkeyCaptureEdit::HotkeyCaptureEdit(tarvo::HotkeyCombination& captured, QWidget* parent)
    : QLineEdit(parent), captured_(captured) {
  // Nothing but captured keys shows here: no input method, no pasting.
  setReadOnly(true);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setContextMenuPolicy(Qt::NoContextMenu);
}

bool HotkeyCaptureEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // The key is this field's, even when it is a shortcut of the dialog.
    event->accept();
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    Capture(static_cast<const QKeyEvent&>(*event));
    return true;
  }
  return QLineEdit::event(event);
}

void HotkeyCaptureEdit::Capture(const QKeyEvent& key) {
  captured_ = tarvo::HotkeyCombination();
  clear();
  const int code = HotkeyKeyOf(key);
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  const bool held = modifiers != Qt::NoModifier || QGuiApplication::mouseButtons() != Qt::NoButton;
  if ((code == kBackspace || code == kDelete) && !held) return;
  // A modifier key pressed alone counts as held, whether or not the window
  // system has added it to the event's state yet.
  captured_ = tarvo::HotkeyCombination{
      .windows = modifiers.testFlag(Qt::MetaModifier) || code == kLeftWindows || code == kRightWindows,
      .ctrl = modifiers.testFlag(Qt::ControlModifier) || code == kControl,
      .alt = modifiers.testFlag(Qt::AltModifier) || code == kAlt,
      .shift = modifiers.testFlag(Qt::ShiftModifier) || code == kShift,
      .keyCode = code,
  };
  setText(QString::fromStdString(tarvo::HotkeyText(captured_)));
}
