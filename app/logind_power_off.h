// The power-off of the sleep timer on Linux: logind's PowerOff over the
// system bus, without interactive authorisation. Used by the program only;
// tests hand the core a fake. Window thread.
#pragma once

#include "platform/power_off.h"

class LogindPowerOff : public tarvo::PowerOffService {
 public:
  // Sends the request and returns at once; logind refuses it when the user
  // may not power off without asking, and then nothing happens.
  void RequestPowerOff() override;
};
