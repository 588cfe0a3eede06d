// The main window on a core with a fake playback and a scratch home folder,
// as the window tests build it.
#pragma once

#include "app/main_window.h"
#include "app/qt_ui.h"
#include "support/fake_playback.h"
#include "support/temp_folder.h"

struct AppWindowFixture {
  AppWindowFixture() : core(ui, playback, home.Path()), window(core) { ui.AttachWindow(&window); }

  tarvo::testing::TempFolder home;
  tarvo::testing::FakePlayback playback;
  QtUi ui;
  tarvo::Core core;
  TAppTarvo window;
};
