#include "app/startup.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <thread>

#include "app/command_effects.h"
#include "app/command_switches.h"
#include "app/file_drop.h"
#include "app/level_timer.h"
#include "app/main_window.h"
#include "app/qt_desktop.h"
#include "app/qt_ui.h"
#include "app/single_instance.h"
#include "app/startup_warmup.h"
#include "app/status_timer.h"
#include "app/tarvo_style.h"
#include "app/tray_icon.h"
#include "app/window_state.h"
#include "controls/vemmo_progress.h"
#include "platform/home_folder.h"
#include "platform/process.h"
#include "playback/audio/linux_audio_library.h"
#include "playback/engine.h"
#include "playback/level_meter.h"
#include "playback/sequencing.h"
#include "playlist/playlist_prefetch.h"
#include "playback/volume.h"
#include "playlist/formats_write.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"
#include "settings/settings_store.h"

namespace {

// A later start hands its file to the running instance, or brings it to the
// front; true when this process should end because of that.
bool HandedToRunningInstance(tarvo::Core& core, const SingleInstance& instance) {
  if (!core.startArgument.empty()) {
    return instance.SendToRunning(InstanceRequest::Open, QString::fromStdString(core.startArgument));
  }
  if (tarvo::ReadIniBool(core, "General", "MultipleInstances", false)) return false;
  return instance.SendToRunning(InstanceRequest::BringToFront);
}

void HandleInstanceRequest(tarvo::Core& core, TAppTarvo& window, InstanceRequest request,
                           const QString& argument) {
  switch (request) {
    case InstanceRequest::Open:
      // A one-character text is no path.
      if (argument.size() > 1) {
        tarvo::LoadIntoPlaylist(core, argument.toStdString(), tarvo::LoadMode::FromOtherInstance);
      }
      window.BringToFront();
      break;
    case InstanceRequest::BringToFront:
      window.BringToFront();
      break;
    case InstanceRequest::Quit:
      QCoreApplication::quit();
      break;
  }
}

// Settings, bounds and the playlist, in the order the window is built.
void LoadState(tarvo::Core& core, TAppTarvo& window) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  tarvo::LoadSettings(core, screen.width(), screen.height());
  core.settings.bounds = tarvo::FitWindowBounds(core.settings.bounds, screen.width(), screen.height());
  window.ApplySettings();
  tarvo::ApplyLevelMeterStyle(core, core.settings.levelMeterStyle);

  core.playlist.PlaylistEntries.clear();
  if (!core.startArgument.empty()) {
    tarvo::LoadIntoPlaylist(core, core.startArgument, tarvo::LoadMode::OpenFromShell);
  } else {
    tarvo::LoadIntoPlaylist(core, tarvo::PlaylistAutosaveFile(core), tarvo::LoadMode::ReplaceList);
    core.settings.startupPlayRequest = -1;
  }
}

// Runs once the event loop is up: checks that the output device opens (and
// releases it until something plays), then plays a file given on the
// command line.
void DeferredStartup(tarvo::Core& core, tarvo::PlaybackEngine& engine) {
  core.ui.ProcessPendingEvents();
  engine.EnsureAudioDevice();
  engine.StopPlayback(true);
  const int request = core.settings.startupPlayRequest;
  if (request >= 0 && request <= 2) engine.PlayEntry(core.playlist.CurrentIndex);
  tarvo::TrimWorkingSet();
}

// The seek bar's mouse drives the engine's seek.
void ConnectSeekBar(TVemmoProgress& bar, tarvo::PlaybackEngine& engine) {
  bar.onLeftDown = [&engine](int x, int width) { engine.SeekBarDown(x, width); };
  bar.onMove = [&engine](int x, int width) { engine.SeekBarMove(x, width); };
  bar.onLeftUp = [&engine] { engine.SeekBarUp(); };
}

void Shutdown(tarvo::Core& core, TAppTarvo& window) {
  const bool maximized = window.isMaximized();
  window.hide();
  tarvo::SavePlaylistFile(core, tarvo::PlaylistAutosaveFile(core), tarvo::SaveFormat::Text);
  tarvo::SaveSettings(core, maximized);
}

}  // namespace

int RunTarvo(int argc, char* argv[]) {
  const std::string home = tarvo::ResolveHomeFolder(tarvo::ProgramFolder());
  // Without an argument the playlist of the last run is loaded: read it on
  // the second core while Qt sets up.
  std::optional<tarvo::PlaylistPrefetch> prefetch;
  if (argc < 2) prefetch.emplace(home + "Playlist.txt");
  std::jthread fontConfiguration(LoadFontConfiguration);
  // The window keeps its own menu bar: asking the desktop for a global one
  // goes over D-Bus and costs a good part of the start-up.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  QApplication application(argc, argv);
  std::jthread sessionBus(ConnectSessionBus);
  QApplication::setStyle(new TarvoStyle);
  QApplication::setApplicationName(QStringLiteral("Tarvo"));

  QtUi ui;
  tarvo::audio::LinuxAudioLibrary library;
  StatusTimer statusTimer(nullptr);
  LevelTimer levelTimer(nullptr);
  tarvo::PlaybackEngine engine(library, statusTimer);
  engine.SetLevelThread(&levelTimer);
  statusTimer.OnTick([&engine] { engine.StatusTick(); });
  tarvo::Core core(ui, engine, home);
  QtDesktop desktop;
  core.desktop = &desktop;
  core.audio = &library;
  if (prefetch) core.playlistPrefetch = &*prefetch;
  engine.Attach(core);
  if (argc > 1) core.startArgument = argv[1];

  SingleInstance instance(QString::fromStdString(core.homeFolder), nullptr);
  if (IsCommandSwitch(core.startArgument)) {
    RunCommandSwitch(core, instance, core.startArgument);
    return 0;
  }
  if (HandedToRunningInstance(core, instance)) return 0;

  TAppTarvo window(core);
  ui.AttachWindow(&window);
  LoadState(core, window);
  instance.Listen([&](InstanceRequest request, const QString& argument) {
    HandleInstanceRequest(core, window, request, argument);
  });
  ConnectSeekBar(*window.Progres(), engine);
  levelTimer.OnTick([&] {
    if (tarvo::LevelThreadRound(core, levelTimer, library, engine.OutputStream())) window.ShowLevelMeters();
  });
  const CommandHelpers helpers = ConnectCommandEffects(core, window);
  helpers.tray->onMinimizedToTray = [&core] { tarvo::RequestLevelMeterPause(core); };
  helpers.tray->onRestored = [&] {
    const tarvo::audio::AudioHandle output = engine.OutputStream();
    if (output == 0 || library.ChannelIsActive(output) == tarvo::audio::ChannelState::Stopped) return;
    if (statusTimer.IsSuspended()) statusTimer.Resume();
    tarvo::WakeLevelMeter(core, levelTimer);
  };
  // Both follow the window from its first show on.
  new WindowState(core, window);
  new FileDrop(core, window);
  tarvo::SetVolume(core, core.settings.volume);
  tarvo::ShowPlayMode(core);
  window.ShowFirstTime();
  QTimer::singleShot(0, &window, [&core, &engine] { DeferredStartup(core, engine); });
  application.exec();
  Shutdown(core, window);
  engine.StopPlayback(true);
  return 0;
}
