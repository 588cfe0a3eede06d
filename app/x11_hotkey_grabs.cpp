#include "app/x11_hotkey_grabs.h"

#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QMetaObject>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "app/x11_keysyms.h"

namespace {

// Where X servers put Num Lock when the modifier map does not say.
constexpr std::uint16_t kUsualNumLockMask = XCB_MOD_MASK_2;
constexpr std::uint16_t kCombinationMask =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

std::uint16_t ModifiersOf(const tarvo::HotkeyCombination& combination) {
  return static_cast<std::uint16_t>((combination.windows ? XCB_MOD_MASK_4 : 0) |
                                    (combination.ctrl ? XCB_MOD_MASK_CONTROL : 0) |
                                    (combination.alt ? XCB_MOD_MASK_1 : 0) |
                                    (combination.shift ? XCB_MOD_MASK_SHIFT : 0));
}

}  // namespace

X11HotkeyGrabs::X11HotkeyGrabs(std::function<void(int slot)> onHotkey) : onHotkey_(std::move(onHotkey)) {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return;
  connection_ = x11->connection();
  for (xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)); screen.rem;
       xcb_screen_next(&screen)) {
    roots_.push_back(screen.data->root);
  }
  qApp->installNativeEventFilter(this);
}

X11HotkeyGrabs::~X11HotkeyGrabs() {
  if (!connection_) return;
  UngrabAll();
  if (qApp) qApp->removeNativeEventFilter(this);
}

bool X11HotkeyGrabs::Grab(int slot, const tarvo::HotkeyCombination& combination) {
  if (!connection_) return false;
  ReadKeyboardMap();
  const std::uint8_t keycode = KeycodeOf(KeysymOfVirtualKey(combination.keyCode));
  if (keycode == 0) return false;
  const std::uint16_t modifiers = ModifiersOf(combination);
  // A combination runs one slot, as the system grants it once.
  const bool taken = std::any_of(grabbed_.begin(), grabbed_.end(), [&](const Grabbed& grab) {
    return grab.keycode == keycode && grab.modifiers == modifiers;
  });
  if (taken || !GrabOnRoots(keycode, modifiers)) return false;
  grabbed_.push_back({slot, keycode, modifiers});
  return true;
}

void X11HotkeyGrabs::UngrabAll() {
  for (const Grabbed& grab : grabbed_) UngrabOnRoots(grab.keycode, grab.modifiers);
  grabbed_.clear();
  keyboardMapRead_ = false;
  if (connection_) xcb_flush(connection_);
}

// The key presses of a grab come to the root window, since the grab does
// not hand them to our own windows either; the lock keys are not part of
// the combination.
bool X11HotkeyGrabs::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const std::uint8_t type = event->response_type & 0x7f;
  if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
  const auto* key = static_cast<const xcb_key_press_event_t*>(message);
  if (std::find(roots_.begin(), roots_.end(), key->event) == roots_.end()) return false;
  const std::uint16_t modifiers = key->state & kCombinationMask;
  for (const Grabbed& grab : grabbed_) {
    if (grab.keycode != key->detail || grab.modifiers != modifiers) continue;
    if (type == XCB_KEY_PRESS) {
      QMetaObject::invokeMethod(qApp, [onHotkey = onHotkey_, slot = grab.slot] { onHotkey(slot); },
                                Qt::QueuedConnection);
    }
    return true;
  }
  return false;
}

void X11HotkeyGrabs::ReadKeyboardMap() {
  if (keyboardMapRead_) return;
  keyboardMapRead_ = true;
  keysyms_.clear();
  const xcb_setup_t* setup = xcb_get_setup(connection_);
  const int count = setup->max_keycode - setup->min_keycode + 1;
  const ReplyPointer<xcb_get_keyboard_mapping_reply_t> mapping(
      xcb_get_keyboard_mapping_reply(
          connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, static_cast<std::uint8_t>(count)),
          nullptr),
      &std::free);
  if (mapping) {
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    keysyms_.assign(keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(mapping.get()));
    minKeycode_ = setup->min_keycode;
    keysymsPerKeycode_ = mapping->keysyms_per_keycode;
  }
  numLockMask_ = ReadNumLockMask();
}

std::uint8_t X11HotkeyGrabs::KeycodeOf(std::uint32_t keysym) const {
  if (keysym == 0 || keysymsPerKeycode_ == 0) return 0;
  const auto found = std::find(keysyms_.begin(), keysyms_.end(), keysym);
  if (found == keysyms_.end()) return 0;
  return static_cast<std::uint8_t>(minKeycode_ + (found - keysyms_.begin()) / keysymsPerKeycode_);
}

std::uint16_t X11HotkeyGrabs::ReadNumLockMask() const {
  const std::uint8_t numLock = KeycodeOf(XK_Num_Lock);
  const ReplyPointer<xcb_get_modifier_mapping_reply_t> mapping(
      xcb_get_modifier_mapping_reply(connection_, xcb_get_modifier_mapping(connection_), nullptr), &std::free);
  if (numLock == 0 || !mapping) return kUsualNumLockMask;
  const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(mapping.get());
  const int perModifier = mapping->keycodes_per_modifier;
  for (int index = 0; index < 8 * perModifier; ++index) {
    if (keycodes[index] == numLock) return static_cast<std::uint16_t>(1U << (index / perModifier));
  }
  return kUsualNumLockMask;
}

std::vector<std::uint16_t> X11HotkeyGrabs::LockVariants(std::uint16_t modifiers) const {
  return {modifiers, static_cast<std::uint16_t>(modifiers | XCB_MOD_MASK_LOCK),
          static_cast<std::uint16_t>(modifiers | numLockMask_),
          static_cast<std::uint16_t>(modifiers | numLockMask_ | XCB_MOD_MASK_LOCK)};
}

// A grab another client holds answers BadAccess; the checked requests bring
// that answer back here instead of to Qt's error handler.
bool X11HotkeyGrabs::GrabOnRoots(std::uint8_t keycode, std::uint16_t modifiers) {
  std::vector<xcb_void_cookie_t> cookies;
  for (const std::uint32_t root : roots_) {
    for (const std::uint16_t variant : LockVariants(modifiers)) {
      cookies.push_back(xcb_grab_key_checked(connection_, 0, root, variant, keycode, XCB_GRAB_MODE_ASYNC,
                                             XCB_GRAB_MODE_ASYNC));
    }
  }
  bool granted = true;
  for (const xcb_void_cookie_t cookie : cookies) {
    if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
      granted = false;
      std::free(error);
    }
  }
  if (!granted) UngrabOnRoots(keycode, modifiers);
  return granted;
}

// Ungrabbing touches only this client's grabs, so a half-made grab is undone
// without taking the other client's.
void X11HotkeyGrabs::UngrabOnRoots(std::uint8_t keycode, std::uint16_t modifiers) {
  for (const std::uint32_t root : roots_) {
    for (const std::uint16_t variant : LockVariants(modifiers)) xcb_ungrab_key(connection_, keycode, root, variant);
  }
}
