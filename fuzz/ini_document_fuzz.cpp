// The INI document on any text: lookups, changes and writing back.
#include <string_view>

#include "fuzz_support.h"
#include "settings/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  tarvo::IniDocument document(contents);
  // Names and a value taken from the input itself, so that they can match.
  const std::string_view section = contents.substr(0, std::min<std::size_t>(size, 8));
  const std::string_view key = contents.substr(std::min<std::size_t>(size, 8), 8);
  document.HasSection(section);
  document.Value(section, key);
  document.Value("General", "EnqueueOption");
  document.Set(section, key, "1");
  document.Set("Window", "Width", "310");
  document.Erase(section, "path0");
  document.EraseSection("Root media");
  tarvo::IniDocument again(document.Text());
  again.Value("Window", "Width");
  return 0;
}
