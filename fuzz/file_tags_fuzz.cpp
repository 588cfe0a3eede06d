// The tag reader (TagLib) on arbitrary bytes: the first byte picks the kind
// of file the name would say, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "media/file_tags.h"
#include "media/replay_gain.h"

namespace {

constexpr std::string_view kExtensions[] = {".flac", ".opus", ".mp3", ".wav", ".m4a"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view extension = kExtensions[data[0] % std::size(kExtensions)];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const tarvo::FileTags tags = tarvo::ReadFileTagsOfBytes(bytes, extension, tarvo::CoverWanted::Yes);
  tarvo::ReplayGainFactor(tags, tarvo::ReplayGainMode::Album);
  return 0;
}
