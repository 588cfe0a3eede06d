// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.
#pragma once

#include <string>
#include <string_view>

namespace tarvo::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, ending in "/".
  const std::string& Path() const { return path_; }
  // Writes `contents` to `relativePath`, creating folders on the way; returns
  // the full path.
  std::string Write(std::string_view relativePath, std::string_view contents) const;
  std::string Read(std::string_view relativePath) const;

 private:
  std::string path_;
};

}  // namespace tarvo::testing
