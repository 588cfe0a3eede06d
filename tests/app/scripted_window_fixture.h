// The main window on a core whose questions and dialogs are answered by a
// scripted fake, for window tests of commands that ask the user.
#pragma once

#include "app/main_window.h"
#include "support/fake_desktop.h"
#include "support/fake_playback.h"
#include "support/fake_ui.h"
#include "support/temp_folder.h"

struct ScriptedWindowFixture {
  ScriptedWindowFixture() : core(ui, playback, home.Path()), window(core) { core.desktop = &desktop; }

  tarvo::testing::TempFolder home;
  tarvo::testing::FakePlayback playback;
  tarvo::testing::FakeUi ui;
  tarvo::testing::FakeDesktop desktop;
  tarvo::Core core;
  TAppTarvo window;
};
