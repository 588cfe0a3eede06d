#include "playlist/entry.h"

#include <utility>

#include "base/text.h"

namespace tarvo {

namespace {

constexpr std::size_t kMaxTitleBytes = 1000;

constexpr std::pair<std::string_view, EntryKind> kExtensionKinds[] = {
    {".mp3", EntryKind::Audio},   {".wav", EntryKind::Audio},   {".ogg", EntryKind::Audio},
    {".mp2", EntryKind::Audio},   {".mp1", EntryKind::Audio},   {".flac", EntryKind::Audio},
    {".opus", EntryKind::Audio},  {".oga", EntryKind::Audio},   {".m4a", EntryKind::Audio},
    {".m4b", EntryKind::Audio},   {".mp4", EntryKind::Audio},   {".aac", EntryKind::Audio},
    {".xm", EntryKind::Module},
    {".mod", EntryKind::Module},  {".s3m", EntryKind::Module},  {".it", EntryKind::Module},
    {".mtm", EntryKind::Module},  {".mo3", EntryKind::Module},  {".wma", EntryKind::Stream},
    {".m3u", EntryKind::M3uList}, {".m3u8", EntryKind::M3uList}, {".pls", EntryKind::PlsList},
    {".asx", EntryKind::AsxList},
    {".b4s", EntryKind::B4sList}, {".txt", EntryKind::TxtList},
};

}  // namespace

bool IsStreamAddress(std::string_view location) {
  return location.size() > 6 && location.find("://") != std::string_view::npos;
}

EntryKind EntryKindOf(std::string_view entry) {
  const std::string_view location = EntryLocation(entry);
  if (IsStreamAddress(location)) return EntryKind::Stream;
  const std::string extension = AsciiLowerCopy(ExtensionOf(location));
  if (extension.empty()) return EntryKind::Unsupported;
  for (const auto& [known, kind] : kExtensionKinds) {
    if (extension == known) return kind;
  }
  return EntryKind::Unsupported;
}

std::string_view EntryLocation(std::string_view entry) {
  const std::size_t bar = entry.find('|');
  return bar == std::string_view::npos ? entry : entry.substr(0, bar);
}

std::string_view EntryTitle(std::string_view entry) {
  const std::size_t bar = entry.find('|');
  if (bar == std::string_view::npos) return entry;
  return TruncateUtf8(entry.substr(bar + 1), kMaxTitleBytes);
}

}  // namespace tarvo
