#include "app/startup.h"

#include <QApplication>
#include <QWidget>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <optional>
#include <thread>

#include "app/autosave.h"
#include "app/command_effects.h"
#include "app/command_switches.h"
#include "app/exit_signals.h"
#include "app/favorites_menu.h"
#include "app/file_drop.h"
#include "app/global_hotkeys.h"
#include "app/level_timer.h"
#include "app/logind_power_off.h"
#include "app/main_window.h"
#include "app/mpris_service.h"
#include "app/preferences_command.h"
#include "app/program_icon.h"
#include "app/progress_panel.h"
#include "app/qt_desktop.h"
#include "app/qt_ui.h"
#include "app/single_instance.h"
#include "app/startup_warmup.h"
#include "app/status_timer.h"
#include "app/tarvo_style.h"
#include "app/tray_icon.h"
#include "app/window_language.h"
#include "app/window_state.h"
#include "app/x11_window_cover.h"
#include "audio/linux_audio_library.h"
#include "controls/vemmo_progress.h"
#include "integration/associations.h"
#include "integration/favorites.h"
#include "integration/music_folder_choice.h"
#include "integration/saved_settings.h"
#include "platform/file_io.h"
#include "platform/home_folder.h"
#include "platform/process.h"
#include "platform/system_date.h"
#include "platform/xdg_folders.h"
#include "playback/engine.h"
#include "playback/level_meter.h"
#include "playback/sequencing.h"
#include "playback/volume.h"
#include "playlist/entry.h"
#include "playlist/formats_write.h"
#include "playlist/load_into_playlist.h"
#include "playlist/model.h"
#include "playlist/outside_path.h"
#include "playlist/playlist_prefetch.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"
#include "update/update_check.h"

namespace {

// A later start hands its file to the running instance, or brings it to the
// front; true when this process should end because of that.
bool HandedToRunningInstance(tarvo::Core& core, const SingleInstance& instance) {
  if (!core.startArgument.empty()) {
    return instance.SendToRunning(InstanceRequest::Open, core.startArgument);
  }
  if (tarvo::ReadSetting(core, tarvo::setting::kMultipleInstances)) return false;
  return instance.SendToRunning(InstanceRequest::BringToFront);
}

void HandleInstanceRequest(tarvo::Core& core, TAppTarvo& window, const std::function<void()>& requestExit,
                           InstanceRequest request, const std::string& argument) {
  switch (request) {
    case InstanceRequest::Open:
      // A one-character text is no path.
      if (QString::fromStdString(argument).size() > 1) {
        tarvo::LoadIntoPlaylist(core, argument, tarvo::LoadMode::FromOtherInstance);
      }
      window.BringToFront();
      break;
    case InstanceRequest::BringToFront:
      window.BringToFront();
      break;
    case InstanceRequest::Quit:
      requestExit();
      break;
  }
}

// The first parameter as the list keeps it: switches as they are, paths and
// "file://" URIs as absolute paths, since the running instance that may take
// them works in another folder.
std::string StartArgumentOf(int argc, char* argv[]) {
  if (argc < 2) return std::string();
  const std::string argument = argv[1];
  if (IsCommandSwitch(argument)) return argument;
  return tarvo::PathFromOutside(argument, tarvo::WorkingFolder());
}

// False for a local file that is not there: a mistyped name adds nothing.
bool MayAddEntries(const std::string& argument) {
  if (argument.empty()) return false;
  const tarvo::EntryKind kind = tarvo::EntryKindOf(argument);
  if (kind != tarvo::EntryKind::Audio && kind != tarvo::EntryKind::Module) return true;
  return tarvo::FileExists(argument) || tarvo::FolderExists(argument);
}

// Ends the program through the normal exit path from wherever it is: a
// question or message box open at the time is closed first (a question
// answers No), a long operation stops, and a request that comes before the
// event loop runs is kept for it.
class ExitRequest {
 public:
  explicit ExitRequest(tarvo::Core& core) : core_(core) {}

  void operator()() {
    requested_ = true;
    // A running scan stops at its next folder.
    core_.playlist.ExitRequested = true;
    for (int open = 0; open < kMostNestedBoxes; ++open) {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) break;
      modal->close();
    }
    QCoreApplication::quit();
  }
  bool Requested() const { return requested_; }

 private:
  static constexpr int kMostNestedBoxes = 8;
  tarvo::Core& core_;
  bool requested_ = false;
};

// Settings, bounds and the playlist, in the order the window is built.
void LoadState(tarvo::Core& core, TAppTarvo& window) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  tarvo::LoadSettings(core, screen.width(), screen.height());
  core.settings.bounds = tarvo::FitWindowBounds(core.settings.bounds, screen.width(), screen.height());
  window.ApplySettings();
  tarvo::ApplyLevelMeterStyle(core, core.settings.levelMeterStyle);

  core.playlist.PlaylistEntries.clear();
  const int storedTrack = core.playlist.CurrentIndex;
  if (MayAddEntries(core.startArgument)) {
    tarvo::LoadIntoPlaylist(core, core.startArgument, tarvo::LoadMode::OpenFromShell);
  }
  // An argument that added nothing (a missing file, a kind the program does
  // not play, an empty playlist) leaves the list of the last run as a start
  // without argument loads it, so that it is saved back unchanged.
  if (core.playlist.PlaylistEntries.empty()) {
    core.playlist.CurrentIndex = storedTrack;
    tarvo::LoadIntoPlaylist(core, tarvo::PlaylistAutosaveFile(core), tarvo::LoadMode::ReplaceList);
    core.settings.startupPlayRequest = -1;
  }
}

// Runs once the event loop is up: finishes the window, checks that the output
// device opens (and releases it until something plays), plays a file given
// on the command line, and asks once a week for a new version; a user who
// goes to download it ends the program.
void DeferredStartup(tarvo::Core& core, tarvo::PlaybackEngine& engine, const std::function<void()>& finishWindow,
                     const std::function<void()>& requestExit) {
  core.ui.ProcessPendingEvents();
  finishWindow();
  engine.EnsureAudioDevice();
  engine.StopPlayback(true);
  const int request = core.settings.startupPlayRequest;
  if (request >= 0 && request <= 2) engine.PlayEntry(core.playlist.CurrentIndex);
  if (tarvo::RunWeeklyUpdateCheck(core, tarvo::SystemToday())) {
    requestExit();
    return;
  }
  tarvo::ClaimAssociationsAtStartup(core);
  tarvo::TrimWorkingSet();
}

// The seek bar's mouse drives the engine's seek.
void ConnectSeekBar(TVemmoProgress& bar, tarvo::PlaybackEngine& engine) {
  bar.onLeftDown = [&engine](int x, int width) { engine.SeekBarDown(x, width); };
  bar.onMove = [&engine](int x, int width) { engine.SeekBarMove(x, width); };
  bar.onLeftUp = [&engine] { engine.SeekBarUp(); };
}

// The window repaints small areas many times a second: the level meter
// every 20 ms, the time every second. Through X shared memory each of those
// repaints first waits for a round trip to the X server, which costs more
// than sending such small images. Only this process's connection is set up
// so: programs it starts get the environment as it was, and a user's own
// choice stands.
void StartApplicationSendingImages(std::optional<QApplication>& application, int& argc, char* argv[]) {
  static constexpr char kNoSharedImages[] = "QT_XCB_NO_MITSHM";
  const bool userChose = qEnvironmentVariableIsSet(kNoSharedImages);
  if (!userChose) qputenv(kNoSharedImages, "1");
  application.emplace(argc, argv);
  if (!userChose) qunsetenv(kNoSharedImages);
}

// Read as the other settings are read at start, from a read-only file too.
std::string LanguageSetting(const tarvo::Core& core) {
  const std::optional<tarvo::IniDocument> ini = tarvo::LoadIniFile(tarvo::SettingsFilePath(core));
  return ini ? tarvo::Value(*ini, tarvo::setting::kLanguage) : std::string();
}

void Shutdown(tarvo::Core& core, TAppTarvo& window) {
  const bool maximized = window.isMaximized();
  window.hide();
  tarvo::SavePlaylistFile(core, tarvo::PlaylistAutosaveFile(core), tarvo::SaveFormat::Text);
  tarvo::SaveSettings(core, maximized);
}

}  // namespace

int RunTarvo(int argc, char* argv[]) {
  // --help and --version answer before anything else: no running instance,
  // settings or playlist is touched.
  if (argc >= 2) {
    if (const std::optional<int> status = RunInformationSwitch(argv[1])) return *status;
  }
  // Declared first so that it outlives every object below, but made only
  // once a window is needed: the switches and the hand-over work without a
  // display.
  std::optional<QApplication> application;
  const std::string home = tarvo::ResolveHomeFolder(tarvo::ProgramFolder());
  // Without an argument the playlist of the last run is loaded: read it on
  // the second core while Qt sets up.
  std::optional<tarvo::PlaylistPrefetch> prefetch;
  if (argc < 2) prefetch.emplace(home + "Playlist.txt");

  QtUi ui;
  tarvo::audio::LinuxAudioLibrary library;
  TickClock tickClock(nullptr);
  StatusTimer statusTimer(tickClock);
  LevelTimer levelTimer(tickClock);
  tarvo::PlaybackEngine engine(library, statusTimer);
  engine.SetLevelThread(&levelTimer);
  statusTimer.OnTick([&engine] { engine.StatusTick(); });
  tarvo::Core core(ui, engine, home);
  core.audio = &library;
  if (prefetch) core.playlistPrefetch = &*prefetch;
  engine.Attach(core);
  core.startArgument = StartArgumentOf(argc, argv);
  core.programPath = tarvo::ProgramPath();
  core.xdg = tarvo::XdgFoldersFromEnvironment();

  SingleInstance instance(QString::fromStdString(core.homeFolder), nullptr);
  if (core.startArgument == "-setrootpath") {
    // The one switch that shows a window: the music-folder question.
    application.emplace(argc, argv);
    tarvo::SetRootPathSwitch(core);
    return 0;
  }
  if (IsCommandSwitch(core.startArgument)) {
    RunCommandSwitch(core, instance, core.startArgument);
    return 0;
  }
  if (HandedToRunningInstance(core, instance)) return 0;

  std::jthread fontConfiguration(LoadFontConfiguration);
  // The window keeps its own menu bar: asking the desktop for a global one
  // goes over D-Bus and costs a good part of the start-up.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  StartApplicationSendingImages(application, argc, argv);
  // Before the first widget takes its texts.
  InstallWindowTranslation(WindowLanguage(LanguageSetting(core), MessagesLocale()), TranslationsFolder());
  std::jthread sessionBus(ConnectSessionBus);
  QApplication::setStyle(new TarvoStyle);
  QApplication::setApplicationName(QStringLiteral("Tarvo"));
  QtDesktop desktop;
  core.desktop = &desktop;
  LogindPowerOff powerOff;
  core.powerOff = &powerOff;
  ExitRequest exitRequest(core);
  const ExitSignals exitSignals([&exitRequest] { exitRequest(); }, nullptr);
  // Saves killed half-way leave their temporary files; none of them is
  // being written now that this instance is the one.
  tarvo::RemoveStaleTemporaries(tarvo::PlaylistAutosaveFile(core));
  tarvo::RemoveStaleTemporaries(tarvo::SettingsFilePath(core));
  tarvo::RemoveStaleFavoriteTemporaries(core);

  TAppTarvo window(core);
  ui.AttachWindow(&window);
  LoadState(core, window);
  const std::function<void()> requestExit = [&exitRequest] { exitRequest(); };
  GlobalHotkeys hotkeys(core, window, requestExit);
  instance.Listen([&](InstanceRequest request, const std::string& argument) {
    HandleInstanceRequest(core, window, requestExit, request, argument);
  });
  ConnectSeekBar(*window.Progres(), engine);
  levelTimer.OnTick([&] {
    if (tarvo::LevelThreadRound(core, levelTimer, library, engine.OutputStream())) window.ShowLevelMeters();
  });
  levelTimer.FollowMeters(window, {window.ProgressPanel()->LevelMeter6(), window.ProgressPanel()->LevelMeter14()},
                          [&core] { tarvo::ForgetDisplayedLevels(core); });
  std::optional<X11WindowCover> windowCover;
  const CommandHelpers helpers = ConnectCommandEffects(core, window);
  ConnectPreferences(core, window, hotkeys);
  helpers.favorites->Rebuild();
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
  Autosave* autosave = new Autosave(core, window);
  ui.OnChanges([autosave] { autosave->ListChanged(); }, [autosave] { autosave->TextsChanged(); });
  QObject::connect(&*application, &QGuiApplication::commitDataRequest, autosave, [autosave] { autosave->SaveNow(); });
  // What the first map does not show waits until the window is up: the icon
  // (which the tray shows too) decodes all its sizes, the hotkeys ask the
  // desktop portal over D-Bus, the cover watch and the hash of the list that
  // spares its rewrite take a round trip to the X server and a pass over
  // every entry.
  const std::function<void()> finishWindow = [&] {
    QApplication::setWindowIcon(ProgramIcon());
    hotkeys.RegisterAtStart();
    windowCover.emplace(window, [&levelTimer](bool covered) { levelTimer.SetWindowCovered(covered); });
    autosave->RememberStartingList();
  };
  QTimer::singleShot(0, &window, [&] { DeferredStartup(core, engine, finishWindow, requestExit); });
  // Offered once the window is up: the desktop's media controls.
  MprisService mpris(core, engine, ui, window, requestExit);
  QTimer::singleShot(0, &mpris, [&mpris] { mpris.Register(); });
  if (!exitRequest.Requested()) application->exec();
  ui.OnChanges(nullptr, nullptr);
  Shutdown(core, window);
  // Closing the window (not Esc) ends a recording without asking.
  engine.Recorder().LeaveRecording(core);
  engine.StopPlayback(true);
  return 0;
}
