#include "update/update_check.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "base/text.h"
#include "base/untrusted_text.h"
#include "platform/file_io.h"
#include "platform/net/http_download.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

constexpr int kDaysBetweenChecks = 7;
// A message box of more lines than this would not fit on a screen.
constexpr std::size_t kMostMessageLines = 30;
// The offered version is kept in "Tarvo.ini"; no real version text is
// longer, and a longer line is no answer to this question.
constexpr std::size_t kLongestVersionChars = 64;

void ShowCheckStatus(SettingsCore& core, const std::string& text) {
  core.texts.Panel(StatusPanel::Progress) = text;
  core.ui.WindowTextsChanged();
}

// The server's answer, or nothing when no answer came.
std::optional<UpdateOffer> FetchOffer(SettingsCore& core) {
  const std::string answerFile = core.homeFolder + "temp";
  std::optional<UpdateOffer> offer;
  if (DownloadToFile(core.ui, UpdateCheckAddress(core.settings.updateServer), answerFile) > 0) {
    const std::optional<std::string> answer = ReadWholeFile(answerFile);
    if (answer) offer = OfferIn(*answer);
  }
  std::remove(answerFile.c_str());
  return offer;
}

}  // namespace

std::optional<UpdateOffer> OfferIn(const std::string& answer) {
  const std::vector<std::string> lines = SplitLines(answer);
  UpdateOffer offer;
  if (!lines.empty()) offer.address = lines[0];
  if (lines.size() > 1) {
    if (lines[1].size() > kLongestVersionChars) return std::nullopt;
    // Stored and compared as it is shown: no control characters.
    offer.version = ShowableNetworkText(lines[1], kLongestVersionChars);
  }
  for (std::size_t line = 2; line < lines.size() && line < 2 + kMostMessageLines; ++line) {
    if (line > 2) offer.message += "\n";
    offer.message += ShowableNetworkText(lines[line]);
  }
  return offer;
}

// Only a web page may be handed to the desktop: the answer comes over the
// network, and a file, a path or a program there must never be started.
bool IsWebAddress(const std::string& address) {
  const std::string lower = AsciiLowerCopy(address);
  const std::size_t schemeLength = StartsWith(lower, "https://") ? 8 : StartsWith(lower, "http://") ? 7 : 0;
  if (schemeLength == 0 || address.size() == schemeLength) return false;
  for (const char c : address) {
    if (static_cast<unsigned char>(c) <= ' ') return false;
  }
  return true;
}

std::string UpdateCheckAddress(std::string server) {
  if (server.find("://") == std::string::npos) server = "https://" + server;
  if (!server.ends_with('/')) server += '/';
  return server + "updatecheck.php?app=tarvo&version=" + kVersionText;
}

bool RunWeeklyUpdateCheck(SettingsCore& core, std::chrono::sys_days today) {
  if (!core.settings.autoUpdate || core.settings.updateServer.empty()) return false;
  const auto days = (today - ReadLastVersionCheck(core)).count();
  if (std::abs(days) < kDaysBetweenChecks) return false;
  return CheckForUpdate(core, today);
}

bool CheckForUpdate(SettingsCore& core, std::chrono::sys_days today) {
  ShowCheckStatus(core, "Checking for updates...");
  core.ui.ProcessPendingEvents();
  const std::optional<UpdateOffer> offer = FetchOffer(core);
  ShowCheckStatus(core, "");
  // The week counts from every attempt, answered or not.
  WriteLastVersionCheck(core, today);
  if (!offer || offer->version == kVersionText || offer->version == ReadLastNewVersion(core)) return false;
  if (!IsWebAddress(offer->address)) return false;
  if (!core.ui.AskYesNo(offer->message)) {
    WriteLastNewVersion(core, offer->version);
    return false;
  }
  return core.desktop && core.desktop->OpenWithDefaultApplication(offer->address, {});
}

}  // namespace tarvo
