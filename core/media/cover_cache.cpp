#include "media/cover_cache.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "base/hash.h"
#include "platform/file_io.h"

namespace tarvo {

namespace {

// Only the user reads what the files they play hold.
constexpr mode_t kPrivateFolder = 0700;

bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), kPrivateFolder) == 0 || errno == EEXIST; }

const char* ExtensionOfPicture(const std::string& mimeType) {
  if (mimeType == "image/png") return ".png";
  if (mimeType == "image/gif") return ".gif";
  if (mimeType == "image/webp") return ".webp";
  return ".jpg";
}

}  // namespace

std::string CachedCoverPath(const FileTags& tags, const std::string& cacheHome) {
  if (tags.coverBytes.empty() || cacheHome.empty()) return {};
  const std::string folder = cacheHome + "/tarvo/covers";
  if (!MakeFolder(cacheHome) || !MakeFolder(cacheHome + "/tarvo") || !MakeFolder(folder)) return {};
  char name[17];
  std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(Fnv1aHash(tags.coverBytes)));
  const std::string path = folder + "/" + name + ExtensionOfPicture(tags.coverMimeType);
  struct stat existing {};
  const bool cached = stat(path.c_str(), &existing) == 0 &&
                      existing.st_size == static_cast<off_t>(tags.coverBytes.size());
  if (!cached && !WriteFileAtomically(path, tags.coverBytes)) return {};
  return path;
}

}  // namespace tarvo
