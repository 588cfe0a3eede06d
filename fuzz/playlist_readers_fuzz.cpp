// The five playlist readers through the one way files enter the list. The
// first byte picks the file's extension, the rest is the file.
#include "fuzz_support.h"
#include "playlist/load_into_playlist.h"

namespace {

constexpr const char* kExtensions[] = {".txt", ".m3u", ".m3u8", ".pls", ".asx", ".b4s"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string name = std::string("list") + kExtensions[data[0] % std::size(kExtensions)];
  tarvo::Core& core = tarvo::fuzz::FreshCore();
  const std::string path = tarvo::fuzz::WriteInput(name, data + 1, size - 1);
  tarvo::LoadIntoPlaylist(core, path, tarvo::LoadMode::AddToList);
  tarvo::LoadIntoPlaylist(core, path, tarvo::LoadMode::FromOtherInstance);
  return 0;
}
