// The key parser shared by stream headers and metadata, with separators and
// delimiters of one or two characters (they may overlap): it must end, stay
// linear and keep its rules on any text. The first byte picks the
// separator, delimiter and clearing; the rest is a tag block and a text.
#include <cstdlib>
#include <string>
#include <string_view>

#include "radio/stream_keys.h"

namespace {

constexpr std::string_view kSeparators[] = {":", "=", "=:", ";", "''"};
constexpr std::string_view kDelimiters[] = {";", ";;", ":", "\n", "';"};

bool IsBlank(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) > ' ') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t pick = data[0];
  const std::string_view separator = kSeparators[pick % std::size(kSeparators)];
  const std::string_view delimiter = kDelimiters[(pick / 8) % std::size(kDelimiters)];
  const bool clearFirst = (pick & 0x80) != 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

  tarvo::TKeys keys{{"kept", "value"}};
  tarvo::ParseKeys(tarvo::FlattenTagList(text), keys, ":", true, ";");
  tarvo::ParseKeys(text, keys, separator, clearFirst, delimiter);
  for (const tarvo::TKey& key : keys) {
    if (IsBlank(key.name) || IsBlank(key.value)) abort();
    if (key.name.size() + key.value.size() > text.size() + 9) abort();
  }
  const std::size_t cut = text.find(separator);
  const tarvo::TKey found = tarvo::FindKey(text.substr(0, cut == std::string::npos ? 0 : cut), keys);
  if (!found.name.empty() && IsBlank(found.value)) abort();
  return 0;
}
