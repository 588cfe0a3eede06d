// What the commands need of the desktop: the clipboard, the trash, the file
// manager and the default applications. The application implements it (the
// clipboard, the file manager and the default applications through Qt and
// D-Bus, the trash with MoveToFreedesktopTrash) and
// hands it to the core at start-up; tests use a fake. Every method is called
// on the window thread.
#pragma once

#include <functional>
#include <string>

namespace tarvo {

// What became of one file handed to the trash.
struct TrashOutcome {
  bool moved = false;
  // Why the file stayed where it was, for the user; empty when moved.
  std::string error;
};

class DesktopServices {
 public:
  virtual ~DesktopServices() = default;

  // The clipboard's plain text; empty when it holds none. Does not block.
  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;

  // Moves one file to the user's trash, where the file manager can restore
  // it. Blocks for the file system only (a rename, no copy).
  virtual TrashOutcome MoveToTrash(const std::string& path) = 0;

  // Run later on the window thread when a launcher that did start (xdg-open)
  // ends saying that the desktop has no program for what it was given. May be
  // empty.
  using NoProgramFound = std::function<void()>;

  // Shows `folder` in the file manager without waiting for it; false when no
  // file manager could be asked.
  virtual bool ShowFolder(const std::string& folder, NoProgramFound noProgram) = 0;

  // Opens a local file or a web or mail address with the desktop's default
  // application, without waiting for it; false when nothing could be asked.
  virtual bool OpenWithDefaultApplication(const std::string& pathOrAddress, NoProgramFound noProgram) = 0;

  // Asks the file manager to show the properties of `path`. Silent: when no
  // file manager answers, nothing happens.
  virtual void ShowItemProperties(const std::string& path) = 0;
};

}  // namespace tarvo
