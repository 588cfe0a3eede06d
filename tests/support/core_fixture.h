// A core with a fake window and fake playback over a temporary home folder.
#pragma once

#include <gtest/gtest.h>

#include "core.h"
#include "support/fake_playback.h"
#include "support/fake_ui.h"
#include "support/temp_folder.h"

namespace tarvo::testing {

class CoreTest : public ::testing::Test {
 protected:
  CoreTest() : core(ui, playback, home.Path()) {}

  // Replaces the list and re-synchronises the view.
  void SetEntries(std::vector<std::string> entries);

  TempFolder home;
  FakeUi ui;
  FakePlayback playback;
  Core core;
};

}  // namespace tarvo::testing
