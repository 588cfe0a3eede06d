#include "platform/home_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "platform/file_io.h"
#include "support/temp_folder.h"

namespace tarvo {
namespace {

// Sets (or, with nothing, removes) an environment variable for the test's
// length.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnvironment() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(HomeFolder, TheProgramFolderIsTheHomeOnlyWhenItHoldsATarvoIni) {
  testing::TempFolder scratch;
  const ScopedEnvironment noHome("TARVO_HOME", std::nullopt);
  const ScopedEnvironment config("XDG_CONFIG_HOME", scratch.Path() + "config");
  const std::string program = scratch.Path() + "bin";
  scratch.Write("bin/tarvo", "");

  // Writable, but no portable copy: a build tree or ~/.local/bin.
  EXPECT_EQ(ResolveHomeFolder(program), scratch.Path() + "config/tarvo/");
  EXPECT_TRUE(FolderExists(scratch.Path() + "config/tarvo"));
  EXPECT_FALSE(FileExists(program + "/Tarvo.ini"));

  scratch.Write("bin/Tarvo.ini", "");
  EXPECT_EQ(ResolveHomeFolder(program), program + "/");

  const ScopedEnvironment home("TARVO_HOME", scratch.Path() + "chosen");
  EXPECT_EQ(ResolveHomeFolder(program), scratch.Path() + "chosen/");
}

}  // namespace
}  // namespace tarvo
