#include "playback/volume.h"

#include <gtest/gtest.h>

#include "support/core_fixture.h"

namespace tarvo {
namespace {

using testing::CoreTest;
using VolumeTest = CoreTest;

TEST(VolumeToLibrary, SquareLawWithHalvesToEven) {
  const std::pair<int, int> cases[] = {{1000, 1000}, {600, 360}, {300, 90}, {100, 10}, {10, 1},  {5, 0},
                                       {0, 0},       {50, 2},    {150, 22}, {250, 62}, {11, 0},  {680, 462},
                                       {-40, 0},     {1500, 1000}};
  for (const auto& [volume, library] : cases) EXPECT_EQ(VolumeToLibrary(volume), library) << volume;
}

TEST_F(VolumeTest, SetVolumeClampsAppliesAndShowsThePercentage) {
  SetVolume(core, 680);
  EXPECT_EQ(core.settings.volume, 680);
  EXPECT_EQ(playback.appliedVolumes.back(), 462);
  EXPECT_EQ(core.texts.labelVolume, "68 %");
  EXPECT_EQ(core.texts.volumeBarPosition, 68);
  EXPECT_EQ(core.texts.statusPanels[0], " 68 %");

  SetVolume(core, 1025);
  EXPECT_EQ(core.settings.volume, 1000);
  EXPECT_EQ(core.texts.statusPanels[0], " 100 %");
}

TEST_F(VolumeTest, SoftMuteDropsToItsPercentageAndComesBack) {
  SetVolume(core, 800);
  ToggleSoftMute(core);
  EXPECT_EQ(core.settings.volume, 240);
  ToggleSoftMute(core);
  EXPECT_EQ(core.settings.volume, 800);
  EXPECT_EQ(core.volume.SoftMuteSaved, -1);

  // Another change in between ends soft mute; the next press mutes afresh.
  ToggleSoftMute(core);
  SetVolume(core, 270);
  ToggleSoftMute(core);
  EXPECT_EQ(core.settings.volume, 81);
  EXPECT_EQ(core.volume.SoftMuteSaved, 270);

  // Volume down at 0 changes nothing, so the volume to return to is kept.
  core.settings.softMutePercent = 0;
  SetVolume(core, 500);
  ToggleSoftMute(core);
  SetVolume(core, -30);
  ToggleSoftMute(core);
  EXPECT_EQ(core.settings.volume, 500);
}

TEST_F(VolumeTest, SoftMuteAtOneHundredPercentKeepsRestoringTheSameValue) {
  core.settings.softMutePercent = 100;
  SetVolume(core, 640);
  for (int press = 0; press < 3; ++press) {
    ToggleSoftMute(core);
    EXPECT_EQ(core.settings.volume, 640);
    EXPECT_EQ(core.volume.SoftMuteSaved, 640);
  }
}

TEST_F(VolumeTest, DraggingUpIsLouderAndReleaseEndsSoftMute) {
  SetVolume(core, 500);
  BeginVolumeDrag(core, 40);
  MoveVolumeDrag(core, 30, 300);
  EXPECT_EQ(core.settings.volume, 680);
  EXPECT_EQ(core.texts.statusPanels[0], " 68 %");
  MoveVolumeDrag(core, 100, 370);
  EXPECT_EQ(core.settings.volume, 0);
  MoveVolumeDrag(core, 35, 0);  // the pointer is at the top of the screen
  EXPECT_EQ(core.settings.volume, 1000);

  ToggleSoftMute(core);
  EXPECT_NE(core.volume.SoftMuteSaved, -1);
  EndVolumeDrag(core);
  EXPECT_FALSE(core.volume.dragging);
  EXPECT_EQ(core.volume.SoftMuteSaved, -1);
}

TEST_F(VolumeTest, ResetMixerWarnsResetsTheSystemAndGoesToFullVolume) {
  SetVolume(core, 200);
  bool mixerReset = false;
  ResetMixer(core, [&] {
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(core.settings.volume, 200);
    mixerReset = true;
  });
  EXPECT_TRUE(mixerReset);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(ui.messages[0].text,
            "This operation will unmute the wave and main output channel.\r"
            "Panning/volume will be resetted/maximized.\rMind your speakers.");
  EXPECT_EQ(core.settings.volume, 1000);
}

}  // namespace
}  // namespace tarvo
