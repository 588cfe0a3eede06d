// Asking the system to switch the computer off. The application implements
// it over the system bus (logind); tests use a fake, so nothing they run can
// power the machine off. Window thread.
#pragma once

namespace tarvo {

class PowerOffService {
 public:
  virtual ~PowerOffService() = default;

  // Asks for the power-off without waiting for the answer and without asking
  // the user for rights. A refusal is silent: the program runs on.
  virtual void RequestPowerOff() = 0;
};

}  // namespace tarvo
