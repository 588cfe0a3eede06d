// Registering key combinations with the system so that they reach the player
// while another program has the keyboard focus. The application implements
// it on X11; tests use a fake. Window thread.
#pragma once

namespace tarvo {

struct HotkeyCombination;

class HotkeyGrabs {
 public:
  virtual ~HotkeyGrabs() = default;

  // Registers `combination` under `slot`; blocks until the system answers.
  // False when the system can't take it: another program holds it, the
  // keyboard has no such key, or there is no system to ask.
  virtual bool Grab(int slot, const HotkeyCombination& combination) = 0;
  // Ends every registration made here.
  virtual void UngrabAll() = 0;
};

}  // namespace tarvo
