// Everything the program knows while it runs, owned by the window thread: the
// layers of the floors below (settings, playlist, radio, playback) and what
// only the program as a whole needs. The routines of the core are plain
// functions over the layer of their floor; the window and the tests hand in
// the outward services.
#pragma once

#include <string>

#include "platform/power_off.h"
#include "platform/xdg_folders.h"
#include "playback/playback_core.h"

namespace tarvo {

struct Core : PlaybackCore {
  using PlaybackCore::PlaybackCore;

  // The sleep timer's power-off, set by the application only; without it
  // the timer's power-off does nothing.
  PowerOffService* powerOff = nullptr;
  // The first command-line parameter; empty when there is none.
  std::string startArgument;
  // The full path of the running program file, and the desktop's per-user
  // folders: what the file associations write and name. Set by the
  // application; while either is empty the associations leave the desktop's
  // files alone.
  std::string programPath;
  XdgFolders xdg;
};

}  // namespace tarvo
