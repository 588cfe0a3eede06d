#include "app/command_switches.h"

#include <cstdio>

#include <array>
#include <utility>

#include "app/single_instance.h"
#include "base/version.h"
#include "integration/associations.h"
#include "platform/system_date.h"
#include "settings/settings_store.h"

namespace {

// The multimedia keys: play/pause, stop, next, previous, volume up and down,
// and Pause for soft mute.
constexpr std::array<std::pair<const char*, const char*>, 7> kMultimediaHotkeys{{
    {"1", "0000-179"},
    {"2", "0000-178"},
    {"3", "0000-176"},
    {"4", "0000-177"},
    {"5", "0000-175"},
    {"6", "0000-174"},
    {"7", "0000-19"},
}};

}  // namespace

bool IsCommandSwitch(const std::string& argument) {
  for (const char* name : {"-quit", "-reg", "-unreg", "-setrootpath", "-setlastupdatecheck", "-setglobalhotkeys"}) {
    if (argument == name) return true;
  }
  return false;
}

void RunCommandSwitch(tarvo::Core& core, const SingleInstance& instance, const std::string& argument) {
  if (argument == "-quit") {
    // No running instance: nothing to end, and nothing to say.
    instance.SendToRunning(InstanceRequest::Quit);
  } else if (argument == "-reg") {
    tarvo::ClaimAllAssociations(core);
  } else if (argument == "-unreg") {
    tarvo::ReleaseAllAssociations(core);
  } else if (argument == "-setlastupdatecheck") {
    tarvo::WriteLastVersionCheck(core, tarvo::SystemToday());
  } else if (argument == "-setglobalhotkeys") {
    const std::string section(tarvo::setting::kGlobalHotkeys);
    for (const auto& [slot, value] : kMultimediaHotkeys) tarvo::WriteIniString(core, section, slot, value);
  }
  // "-setrootpath" shows a window, so the start-up runs it itself.
}

std::optional<int> RunInformationSwitch(const std::string& argument) {
  static constexpr char kUsage[] =
      "Usage: tarvo [FILE | FOLDER | PLAYLIST | ADDRESS | SWITCH]\n"
      "Plays the file, folder, playlist or internet address, handing it to the\n"
      "running Tarvo when there is one. Only the first parameter counts.\n"
      "\n"
      "  -quit                ends the running Tarvo, which saves its playlist\n"
      "  -reg, -unreg         makes Tarvo the default program for mp3, wav, ogg,\n"
      "                       m3u and pls files, or gives them back\n"
      "  -setrootpath         asks for the music folder\n"
      "  -setlastupdatecheck  stores today as the date of the last update check\n"
      "  -setglobalhotkeys    binds the multimedia keys as global hotkeys\n"
      "  --help               shows this text\n"
      "  --version            shows the version\n";
  if (argument == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argument == "--version") {
    std::printf("Tarvo %s\n", tarvo::kVersionText);
    return 0;
  }
  if (argument.starts_with("--")) {
    std::fprintf(stderr, "tarvo: unknown option %s\n%s", argument.c_str(), kUsage);
    return 2;
  }
  return std::nullopt;
}
