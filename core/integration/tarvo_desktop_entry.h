// The desktop entry "tarvo.desktop" that the file associations name: written
// into the user's applications folder, it names the running program's path,
// so that a copy anywhere (a build tree, a moved folder) is the program the
// file manager starts.
#pragma once

#include <string>
#include <string_view>

namespace tarvo {

inline constexpr char kTarvoDesktopId[] = "tarvo.desktop";

// The "Exec=" value that starts `programPath` with one file: the path
// quoted and escaped only when it holds characters that need it (some
// readers, xdg-mime among them, take an unquoted first word), then "%f".
std::string DesktopExecValue(const std::string& programPath);

// The whole entry: name, categories, the MIME types Tarvo opens, the icon
// (the program's own scalable icon when it lies beside it in
// "../share/icons", else the theme's "tarvo") and a key that marks the file
// as written here.
std::string TarvoDesktopEntryText(const std::string& programPath);

// The entry's "Exec=" starts `programPath`.
bool DesktopEntryStartsProgram(std::string_view entryText, const std::string& programPath);
// The entry carries the mark of one written by TarvoDesktopEntryText.
bool IsWrittenByTarvo(std::string_view entryText);

}  // namespace tarvo
