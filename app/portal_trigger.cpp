#include "app/portal_trigger.h"

#include <X11/Xlib.h>

#include "app/x11_keysyms.h"

std::string PortalTrigger(const tarvo::HotkeyCombination& combination) {
  // XKB key names are X11's keysym names; looking one up needs no display.
  const std::uint32_t keysym = KeysymOfVirtualKey(combination.keyCode);
  const char* key = keysym == 0 ? nullptr : XKeysymToString(keysym);
  if (!key) return {};
  std::string trigger;
  if (combination.windows) trigger += "LOGO+";
  if (combination.ctrl) trigger += "CTRL+";
  if (combination.alt) trigger += "ALT+";
  if (combination.shift) trigger += "SHIFT+";
  return trigger + key;
}
