// The weekly question to the update server whether a newer version exists,
// run by the deferred start-up on the window thread. The transfer runs on
// another thread with bounded times while the window keeps painting; no
// failure is ever reported to the user.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "base/version.h"
#include "settings/settings_core.h"

namespace tarvo {

// What the server's answer offers: line 1 the address, line 2 the version,
// the rest (at most 30 lines, made safe to show) the message.
struct UpdateOffer {
  std::string address;
  std::string version;
  std::string message;
};
// Nothing when the version line is too long to be a version.
std::optional<UpdateOffer> OfferIn(const std::string& answer);

// True for an http:// or https:// address with something after the scheme
// and no blank or control character: the only kind of address of an
// answer that is handed to the desktop.
bool IsWebAddress(const std::string& address);

// The address of the update script on `server` (Tweak/update_server); an
// address without a scheme is asked over https.
std::string UpdateCheckAddress(std::string server);

// Runs CheckForUpdate when the check is on (AutoUpdate, a server address)
// and the last check lies 7 days or more from `today`, either way (a clock
// set back checks too). True when the user chose to download the new
// version: the program should end.
bool RunWeeklyUpdateCheck(SettingsCore& core, std::chrono::sys_days today);

// Asks the server, stores `today` as the date of the last check, and offers
// a version that is neither the running one nor the one declined before.
// Yes opens the answer's web address with the desktop's default application
// and returns true; No stores the version as declined. An answer whose
// address is not http:// or https:// is never opened nor offered.
bool CheckForUpdate(SettingsCore& core, std::chrono::sys_days today);

}  // namespace tarvo
