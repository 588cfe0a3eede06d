// Global hotkeys on X11: each combination is grabbed on the root window of
// Qt's own X connection, and the key presses of the grabs are taken out of
// Qt's event stream before any window sees them. Without an X server (the
// offscreen platform, Wayland without Xwayland) every grab fails. Window
// thread only.
#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>
#include <vector>

#include "integration/global_hotkeys.h"

struct xcb_connection_t;

class X11HotkeyGrabs : public tarvo::HotkeyGrabs, public QAbstractNativeEventFilter {
 public:
  // `onHotkey` runs with the slot of a pressed combination, from the event
  // loop (never inside the filter, so a command may open a dialog).
  explicit X11HotkeyGrabs(std::function<void(int slot)> onHotkey);
  ~X11HotkeyGrabs() override;
  X11HotkeyGrabs(const X11HotkeyGrabs&) = delete;
  X11HotkeyGrabs& operator=(const X11HotkeyGrabs&) = delete;

  // Grabs `combination` for `slot`, with and without Num Lock and Caps Lock.
  // Blocks for one round trip to the X server. False, with nothing grabbed,
  // when there is no X server, the key is on no key of the keyboard, or
  // another client holds the combination.
  bool Grab(int slot, const tarvo::HotkeyCombination& combination) override;
  void UngrabAll() override;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  struct Grabbed {
    int slot;
    std::uint8_t keycode;
    std::uint16_t modifiers;
  };

  // The keyboard's map, read once per round of grabs: a round starts with
  // UngrabAll, and the user may have changed the keyboard since the last.
  void ReadKeyboardMap();
  std::uint8_t KeycodeOf(std::uint32_t keysym) const;
  std::uint16_t ReadNumLockMask() const;
  bool GrabOnRoots(std::uint8_t keycode, std::uint16_t modifiers);
  void UngrabOnRoots(std::uint8_t keycode, std::uint16_t modifiers);
  std::vector<std::uint16_t> LockVariants(std::uint16_t modifiers) const;

  std::function<void(int)> onHotkey_;
  xcb_connection_t* connection_ = nullptr;
  std::vector<std::uint32_t> roots_;
  std::vector<Grabbed> grabbed_;

  bool keyboardMapRead_ = false;
  std::uint8_t minKeycode_ = 0;
  int keysymsPerKeycode_ = 0;
  std::vector<std::uint32_t> keysyms_;
  std::uint16_t numLockMask_ = 0;
};
