#include "settings/settings_store.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "integration/saved_settings.h"
#include "settings/ini_file.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

using namespace std::chrono;
using testing::CoreTest;

class SettingsStoreTest : public CoreTest {
 protected:
  std::string IniPath() const { return home.Path() + "Tarvo.ini"; }
  void WriteIni(std::string_view contents) { home.Write("Tarvo.ini", contents); }
  std::string IniText() const { return home.Read("Tarvo.ini"); }
  IniDocument Ini() const { return IniDocument(IniText()); }
  void FreezeIni() { chmod(IniPath().c_str(), 0444); }
  std::vector<std::string> HomeFiles() const {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(home.Path())) {
      names.push_back(item.path().filename().string());
    }
    return names;
  }
};

TEST_F(SettingsStoreTest, ValuesAreEncodedAndDecodedAsStored) {
  WriteIniInteger(core, "General", "Device", -3);
  WriteIniBool(core, "General", "RecordAhead", true);
  WriteIniBool(core, "General", "MultipleInstances", false);
  WriteIniString(core, "General", "RecordTempPath", "/tmp/rec/");
  EXPECT_EQ(IniText(), "[General]\r\nDevice=-3\r\nRecordAhead=1\r\nMultipleInstances=0\r\nRecordTempPath=/tmp/rec/\r\n");
  EXPECT_EQ(ReadIniInteger(core, "general", "device", 1), -3);
  EXPECT_TRUE(ReadIniBool(core, "General", "RecordAhead", false));
  EXPECT_FALSE(ReadIniBool(core, "General", "MultipleInstances", true));
  EXPECT_EQ(ReadIniString(core, "General", "RecordTempPath", ""), "/tmp/rec/");

  WriteIni("[General]\nA=12abc\nB=99999999999\nC=yes\nD=2\nE=\nF= 42 \n");
  EXPECT_EQ(ReadIniInteger(core, "General", "A", 7), 7);
  EXPECT_EQ(ReadIniInteger(core, "General", "B", 7), 7);
  EXPECT_EQ(ReadIniInteger(core, "General", "F", 7), 42);
  EXPECT_TRUE(ReadIniBool(core, "General", "C", true));
  EXPECT_FALSE(ReadIniBool(core, "General", "C", false));
  EXPECT_TRUE(ReadIniBool(core, "General", "D", false));
  EXPECT_TRUE(ReadIniBool(core, "General", "E", true));
  EXPECT_EQ(ReadIniString(core, "General", "E", "default"), "");
  EXPECT_EQ(ReadIniString(core, "General", "Missing", "default"), "default");

  DeleteIniKey(core, "GENERAL", "a");
  EXPECT_EQ(ReadIniString(core, "General", "A", "gone"), "gone");
}

TEST_F(SettingsStoreTest, WritersKeepUnknownLinesAndLeaveNoTemporaryFiles) {
  WriteIni("\xEF\xBB\xBF; hand-written\n[Tweak]\nsoftmute_percent=50\nnonsense\n[General]\nVolume=1\n");
  WriteEnqueueOption(core, 1);
  WriteAssociationFlag(core, "mp3", true);
  EXPECT_EQ(IniText(),
            "\xEF\xBB\xBF; hand-written\r\n[Tweak]\r\nsoftmute_percent=50\r\nnonsense\r\n[General]\r\nVolume=1\r\n"
            "EnqueueOption=1\r\n\r\n[Associations]\r\nmp3=1\r\n");
  EXPECT_EQ(ReadEnqueueOption(core), 1);
  EXPECT_TRUE(ReadAssociationFlag(core, "MP3"));
  EXPECT_FALSE(ReadAssociationFlag(core, "ogg"));
  EXPECT_EQ(HomeFiles(), std::vector<std::string>{"Tarvo.ini"});
}

TEST_F(SettingsStoreTest, ReadOnlyFileStaysByteForByteAndGenericReadersGiveDefaults) {
  const std::string original = "[General]\nDevice=4\nEnqueueOption=0\nlastnewversion=2.0\nlastversioncheck=2024-05-01\n"
                               "[Root media]\npath0=/m/\n[Associations]\nwav=1\n";
  WriteIni(original);
  FreezeIni();

  EXPECT_EQ(ReadIniInteger(core, "General", "Device", 1), 1);
  EXPECT_EQ(ReadIniString(core, "General", "lastnewversion", "x"), "x");
  EXPECT_FALSE(ReadIniBool(core, "Associations", "wav", false));
  // The named readers and the load read it all the same.
  EXPECT_EQ(ReadEnqueueOption(core), 0);
  EXPECT_TRUE(ReadAssociationFlag(core, "wav"));
  EXPECT_EQ(ReadLastNewVersion(core), "2.0");
  EXPECT_EQ(ReadLastVersionCheck(core), sys_days(2024y / May / 1));
  LoadSettings(core, 1920, 1080);
  EXPECT_EQ(core.playlist.MusicFolders, std::vector<std::string>{"/m/"});

  WriteIniInteger(core, "General", "Device", 2);
  WriteIniBool(core, "General", "RecordAhead", true);
  WriteIniString(core, "General", "RecordTempPath", "/x/");
  DeleteIniKey(core, "General", "Device");
  WriteEnqueueOption(core, 2);
  WriteAssociationFlag(core, "wav", false);
  WriteLastVersionCheck(core, sys_days(2030y / January / 1));
  WriteLastNewVersion(core, "none");
  core.playlist.MusicFolders = {"/a/", "/b/"};
  SaveMusicFolders(core);
  core.settings.volume = 5;
  SaveSettings(core, false);
  SaveSettings(core, true);

  EXPECT_EQ(IniText(), original);
  EXPECT_EQ(HomeFiles(), std::vector<std::string>{"Tarvo.ini"});
}

TEST_F(SettingsStoreTest, SomethingUnreadableInPlaceOfTheFileIsNeverReplaced) {
  std::filesystem::create_directory(IniPath());
  home.Write("Tarvo.ini/keep", "x");
  LoadSettings(core, 1920, 1080);
  EXPECT_EQ(core.settings.volume, 1000);
  WriteIniInteger(core, "General", "Volume", 1);
  SaveSettings(core, false);
  EXPECT_TRUE(std::filesystem::is_directory(IniPath()));
  EXPECT_EQ(home.Read("Tarvo.ini/keep"), "x");
}

TEST_F(SettingsStoreTest, MissingFileGivesTheDefaults) {
  LoadSettings(core, 1920, 1080);
  const RuntimeSettings& settings = core.settings;
  EXPECT_EQ(settings.bounds.width, 310);
  EXPECT_EQ(settings.bounds.height, 370);
  EXPECT_EQ(settings.bounds.left, 1920 / 2 - 310 / 2);
  EXPECT_EQ(settings.bounds.top, 1080 / 2 - 370 / 2);
  EXPECT_FALSE(settings.maximized);
  EXPECT_TRUE(settings.playBar && settings.progressPanel && settings.statusBar);
  EXPECT_EQ(settings.levelMeterStyle, 1);
  EXPECT_EQ(settings.volume, 1000);
  EXPECT_EQ(settings.playMode, 0);
  EXPECT_TRUE(settings.autoUpdate);
  EXPECT_TRUE(settings.minimizeToTray && settings.claimAssociationsAtStartup);
  EXPECT_EQ(settings.softMutePercent, 30);
  EXPECT_EQ(settings.cachingTime, 120);
  EXPECT_EQ(settings.startupPlayRequest, -1);
  EXPECT_FALSE(settings.recordTempPath.empty());
  EXPECT_EQ(settings.recordTempPath.back(), '/');
  EXPECT_EQ(settings.globalHotkeys[0], "");
  EXPECT_EQ(core.playlist.CurrentIndex, -1);
  EXPECT_EQ(core.playlist.SortingWay, 0);
  EXPECT_EQ(core.playlist.ViewFormat, 0);
  EXPECT_TRUE(core.playlist.MusicFolders.empty());
  EXPECT_EQ(core.playlist.RelativeDelimiter, " / ");
  EXPECT_EQ(ReadLastVersionCheck(core), kDayZero);
  EXPECT_EQ(ReadLastNewVersion(core), "none");
  EXPECT_EQ(ReadEnqueueOption(core), 2);
  // Storing the level meter style is the first write; it creates the file.
  EXPECT_EQ(IniText(), "[Window]\r\nVUStyle=1\r\n");
}

TEST_F(SettingsStoreTest, LoadFillsTheRunTimeCopies) {
  WriteIni(
      "[Window]\nWidth=800\nHeight=600\nMaximized=1\nPlayBar=0\nProgressPanel=0\nStatusBar=0\nVUStyle=2\n"
      "[Playlist]\nTrack=12\nSortingWay=1\nViewFormat=2\n"
      "[DirBox]\nLastOpenedDir=/music/rock/\nLastOpenedDrive=/music/\n"
      "[Tweak]\nminimize_to_tray=0\nsoftmute_percent=10\nclaim_associations_at_startup=0\n"
      "RelativeDelimiter=\" | \"\n"
      "[General]\nActiveScheme=Schemes/dark.ini\nPlayMode=3\nVolume=5000\nAutoUpdate=0\nEnqueueOption=1\n"
      "RecordTempPath=/rec/\n"
      "[Recording]\nCachingTime=30\n"
      "[Global hotkeys]\n0=4,80\n12=bogus\n");
  LoadSettings(core, 1920, 1080);
  const RuntimeSettings& settings = core.settings;
  EXPECT_EQ(settings.bounds.width, 800);
  EXPECT_EQ(settings.bounds.left, 1920 / 2 - 400);
  EXPECT_EQ(settings.bounds.top, 1080 / 2 - 300);
  EXPECT_TRUE(settings.maximized);
  EXPECT_FALSE(settings.playBar || settings.progressPanel || settings.statusBar);
  EXPECT_EQ(settings.levelMeterStyle, 2);
  EXPECT_EQ(core.playlist.CurrentIndex, 12);
  EXPECT_EQ(core.playlist.SortingWay, 1);
  EXPECT_EQ(core.playlist.ViewFormat, 2);
  EXPECT_EQ(core.playlist.LastScannedFolder, "/music/rock/");
  EXPECT_EQ(settings.lastBrowserFolder, "/music/rock/");
  EXPECT_EQ(settings.lastBrowserRoot, "/music/");
  EXPECT_FALSE(settings.minimizeToTray || settings.claimAssociationsAtStartup);
  EXPECT_EQ(settings.softMutePercent, 10);
  EXPECT_EQ(core.playlist.RelativeDelimiter, " | ");
  EXPECT_EQ(settings.activeScheme, "Schemes/dark.ini");
  EXPECT_EQ(settings.playMode, 3);
  EXPECT_EQ(settings.volume, 1000);
  EXPECT_FALSE(settings.autoUpdate);
  EXPECT_EQ(settings.startupPlayRequest, -1);  // no start argument
  EXPECT_EQ(settings.recordTempPath, "/rec/");
  EXPECT_EQ(settings.cachingTime, 30);
  EXPECT_EQ(settings.globalHotkeys[0], "4,80");
  EXPECT_EQ(settings.globalHotkeys[12], "bogus");

  WriteIni("[General]\nVolume=-20\n");
  LoadSettings(core, 1920, 1080);
  EXPECT_EQ(core.settings.volume, 0);
}

TEST_F(SettingsStoreTest, StartArgumentUsesWindow2AndLeavesWindowAlone) {
  WriteIni("[Window]\nWidth=900\nHeight=700\nLeft=10\nTop=11\nMaximized=1\n[Window2]\nWidth=200\nHeight=100\n"
           "[General]\nEnqueueOption=1\n");
  core.startArgument = "/music/a.mp3";
  LoadSettings(core, 1000, 800);
  EXPECT_EQ(core.settings.bounds.width, 200);
  EXPECT_EQ(core.settings.bounds.height, 100);
  EXPECT_EQ(core.settings.bounds.left, 400);
  EXPECT_EQ(core.settings.bounds.top, 350);
  EXPECT_FALSE(core.settings.maximized);
  EXPECT_EQ(core.settings.startupPlayRequest, 1);

  core.settings.bounds = {.left = 1, .top = 2, .width = 3, .height = 4};
  SaveSettings(core, false);
  IniDocument ini = Ini();
  EXPECT_EQ(ini.Value("Window2", "Left"), "1");
  EXPECT_EQ(ini.Value("Window2", "Height"), "4");
  EXPECT_EQ(ini.Value("Window", "Width"), "900");
  EXPECT_EQ(ini.Value("Window", "Maximized"), "1");
  EXPECT_FALSE(ini.Value("Window2", "Maximized"));

  WriteIni("[Window]\nMaximized=0\n");
  SaveSettings(core, true);
  ini = Ini();
  EXPECT_EQ(ini.Value("Window", "Maximized"), "1");
  EXPECT_FALSE(ini.Value("Window2", "Width"));

  WriteIni("");
  LoadSettings(core, 1000, 800);
  EXPECT_EQ(core.settings.startupPlayRequest, 0);
}

TEST_F(SettingsStoreTest, SaveKeepsKeysWrittenAtOnceAndTypedByHand) {
  WriteIni("; mine\n[Tweak]\nRelativeDelimiter=\" / \"\n[Window]\nVUStyle=1\nWidth=500\n");
  LoadSettings(core, 1920, 1080);
  // While the program runs, dialogs write their keys at once.
  WriteEnqueueOption(core, 0);
  WriteIniBool(core, "General", "AutoUpdate", false);
  SetEntries({});
  core.playlist.CurrentIndex = 4;
  core.playlist.ViewFormat = 1;
  core.settings.volume = 640;
  core.settings.playMode = 2;
  core.settings.lastBrowserFolder = "/m/jazz/";
  core.settings.bounds = {.left = 5, .top = 6, .width = 700, .height = 800};
  SaveSettings(core, false);

  const IniDocument ini = Ini();
  EXPECT_EQ(ini.Value("Tweak", "RelativeDelimiter"), "\" / \"");
  EXPECT_EQ(ini.Value("General", "EnqueueOption"), "0");
  EXPECT_EQ(ini.Value("General", "AutoUpdate"), "0");
  EXPECT_EQ(ini.Value("General", "Volume"), "640");
  EXPECT_EQ(ini.Value("General", "PlayMode"), "2");
  EXPECT_EQ(ini.Value("Playlist", "ViewFormat"), "1");
  EXPECT_FALSE(ini.Value("Playlist", "Track"));  // the list is empty
  EXPECT_EQ(ini.Value("DirBox", "LastOpenedDir"), "/m/jazz/");
  EXPECT_EQ(ini.Value("Window", "Width"), "700");
  EXPECT_EQ(ini.Value("Window", "Maximized"), "0");
  EXPECT_EQ(IniText().substr(0, 8), "; mine\r\n");

  SetEntries({"/m/a.mp3"});
  core.playlist.CurrentIndex = 0;
  SaveSettings(core, true);
  EXPECT_EQ(Ini().Value("Playlist", "Track"), "0");
  EXPECT_EQ(Ini().Value("Window", "Maximized"), "1");
  EXPECT_EQ(Ini().Value("Window", "Width"), "700");  // maximized bounds are never stored
}

TEST_F(SettingsStoreTest, MusicFoldersStopAtTheFirstGap) {
  WriteIni("[Root media]\npath0=/music/\npath1=/home/u/songs\npath3=/never/\n");
  LoadMusicFolders(core);
  EXPECT_EQ(core.playlist.MusicFolders, (std::vector<std::string>{"/music/", "/home/u/songs/"}));
  WriteIni("[Root media]\npath0=\npath1=/b/\n");
  LoadMusicFolders(core);
  EXPECT_TRUE(core.playlist.MusicFolders.empty());
}

TEST_F(SettingsStoreTest, AllMusicFoldersAreSavedAndTwentyReadBack) {
  WriteIni("[Root media]\n; kept\npath0=/old/\npath30=/stale/\n[General]\nVolume=3\n");
  core.playlist.MusicFolders.clear();
  for (int i = 0; i < 25; ++i) core.playlist.MusicFolders.push_back("/m/" + std::to_string(i));
  core.playlist.MusicFolders[3] = "/line\nend/";  // cannot be stored on one line
  core.settings.lastBrowserFolder = "/m/1/";
  core.settings.lastBrowserRoot = "/m/";
  SaveMusicFolders(core);

  const IniDocument ini = Ini();
  EXPECT_EQ(ini.Value("Root media", "path0"), "/m/0/");
  EXPECT_EQ(ini.Value("Root media", "path3"), "/m/4/");
  EXPECT_EQ(ini.Value("Root media", "path23"), "/m/24/");
  EXPECT_FALSE(ini.Value("Root media", "path24"));
  EXPECT_FALSE(ini.Value("Root media", "path30"));
  EXPECT_EQ(ini.Value("DirBox", "LastOpenedDir"), "/m/1/");
  EXPECT_EQ(ini.Value("DirBox", "LastOpenedDrive"), "/m/");
  EXPECT_EQ(ini.Value("General", "Volume"), "3");
  EXPECT_NE(IniText().find("; kept"), std::string::npos);

  LoadMusicFolders(core);
  ASSERT_EQ(core.playlist.MusicFolders.size(), 20u);
  EXPECT_EQ(core.playlist.MusicFolders.back(), "/m/20/");
}

TEST_F(SettingsStoreTest, DatesAreIsoAndUnparsableOnesGiveTheDefault) {
  WriteLastVersionCheck(core, sys_days(2024y / February / 29));
  EXPECT_EQ(Ini().Value("General", "lastversioncheck"), "2024-02-29");
  EXPECT_EQ(ReadLastVersionCheck(core), sys_days(2024y / February / 29));
  WriteLastVersionCheck(core, kDayZero);
  EXPECT_EQ(Ini().Value("General", "lastversioncheck"), "1899-12-30");
  EXPECT_EQ(ReadLastVersionCheck(core), kDayZero);

  for (const char* bad : {"", "29.02.2024", "2023-02-29", "2024-13-01", "2024-1-01", "-024-01-01", "2024-01-01x"}) {
    WriteIni(std::string("[General]\nlastversioncheck=") + bad + "\n");
    EXPECT_EQ(ReadLastVersionCheck(core), kDayZero) << bad;
  }
}

TEST(FitWindowBounds, OffScreenOrOversizedBoundsAreReset) {
  const WindowBounds reset{.left = 20, .top = 20, .width = 300, .height = 400};
  const auto fitted = [](WindowBounds bounds) { return FitWindowBounds(bounds, 1920, 1080); };
  const auto same = [](const WindowBounds& a, const WindowBounds& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
  };
  EXPECT_TRUE(same(fitted({.left = 5000, .top = 10, .width = 310, .height = 370}), reset));
  EXPECT_TRUE(same(fitted({.left = 10, .top = 1081, .width = 310, .height = 370}), reset));
  EXPECT_TRUE(same(fitted({.left = 10, .top = 10, .width = 1921, .height = 370}), reset));
  EXPECT_TRUE(same(fitted({.left = 10, .top = 10, .width = 310, .height = 1081}), reset));
  EXPECT_TRUE(same(fitted({.left = 10, .top = 10, .width = 0, .height = 370}), reset));
  const WindowBounds edge{.left = 1920, .top = -40, .width = 1920, .height = 1080};
  EXPECT_TRUE(same(fitted(edge), edge));
}

}  // namespace
}  // namespace tarvo
