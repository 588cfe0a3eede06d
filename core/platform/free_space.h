// How much room is left for a file system's files, asked by folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvo {

class FreeSpaceService {
 public:
  virtual ~FreeSpaceService() = default;
  // The bytes an ordinary user may still write on the file system that
  // holds `folder`; nothing when it can't be asked.
  virtual std::optional<std::uint64_t> FreeBytes(const std::string& folder) = 0;
};

// The system's answer (statvfs).
class SystemFreeSpace final : public FreeSpaceService {
 public:
  std::optional<std::uint64_t> FreeBytes(const std::string& folder) override;
};

}  // namespace tarvo
