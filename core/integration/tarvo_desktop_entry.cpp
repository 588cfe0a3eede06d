#include "integration/tarvo_desktop_entry.h"

#include <filesystem>

#include "integration/association_types.h"
#include "platform/xdg_key_file.h"

namespace tarvo {

namespace {

constexpr char kEntryGroup[] = "Desktop Entry";
constexpr char kMarkKey[] = "X-Tarvo-Associations";

// Characters that make an argument of "Exec=" need double quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// The escapes of a key file's string values.
std::string StringValueEscaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string IconValue(const std::string& programPath) {
  const std::filesystem::path icon =
      (std::filesystem::path(programPath).parent_path() / "../share/icons/hicolor/scalable/apps/tarvo.svg")
          .lexically_normal();
  std::error_code ignored;
  return std::filesystem::is_regular_file(icon, ignored) ? StringValueEscaped(icon.string()) : "tarvo";
}

}  // namespace

std::string DesktopExecValue(const std::string& programPath) {
  std::string argument;
  for (const char c : programPath) {
    // A field code starts with "%"; a literal one is doubled.
    if (c == '%') argument += '%';
    argument += c;
  }
  if (programPath.find_first_of(kReserved) != std::string::npos) {
    std::string quoted = "\"";
    for (const char c : argument) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
      quoted += c;
    }
    argument = quoted + "\"";
  }
  return StringValueEscaped(argument) + " %f";
}

std::string TarvoDesktopEntryText(const std::string& programPath) {
  return std::string("[Desktop Entry]\n") +
         "# Written by Tarvo when it became the default program of a file type; removed when it gives\n"
         "# the last one back.\n"
         "Type=Application\n"
         "Name=Tarvo\n"
         "GenericName=Audio Player\n"
         "Comment=Play a large folder of music files and internet radio\n"
         "Exec=" + DesktopExecValue(programPath) + "\n" +
         "Icon=" + IconValue(programPath) + "\n" +
         "Terminal=false\n"
         "Categories=AudioVideo;Audio;Player;\n"
         "MimeType=" + JoinKeyFileList(AllAssociationMimeTypes()) + "\n" +
         kMarkKey + "=true\n";
}

bool DesktopEntryStartsProgram(std::string_view entryText, const std::string& programPath) {
  const std::optional<XdgKeyFile> entry = XdgKeyFile::Parse(entryText);
  return entry && entry->Value(kEntryGroup, "Exec") == DesktopExecValue(programPath);
}

bool IsWrittenByTarvo(std::string_view entryText) {
  const std::optional<XdgKeyFile> entry = XdgKeyFile::Parse(entryText);
  return entry && entry->Value(kEntryGroup, kMarkKey) == "true";
}

}  // namespace tarvo
