// The stored hotkey values and their texts, and the registration that skips
// a slot it can't read. Binding is checked through the page's window test.
#include <gtest/gtest.h>

#include <set>

#include "integration/global_hotkeys.h"
#include "settings/settings_store.h"
#include "support/core_fixture.h"

namespace tarvo {
namespace {

constexpr HotkeyCombination kCtrlShiftP{.ctrl = true, .shift = true, .keyCode = 'P'};

class FakeHotkeyGrabs : public HotkeyGrabs {
 public:
  bool Grab(int slot, const HotkeyCombination&) override {
    grabbed.insert(slot);
    return !refused.contains(slot);
  }
  void UngrabAll() override { grabbed.clear(); }

  std::set<int> grabbed;
  std::set<int> refused;
};

class GlobalHotkeysTest : public testing::CoreTest {
 protected:
  void Store(int slot, const std::string& value) { WriteIniString(core, "Global hotkeys", std::to_string(slot), value); }
};

TEST(HotkeyValueTest, ValuesReadAndShowAsTheUserPressedThem) {
  EXPECT_EQ(ParseHotkeyValue("0101-80"), kCtrlShiftP);
  EXPECT_EQ(HotkeyValueText(kCtrlShiftP), "0101-80");
  EXPECT_EQ(HotkeyText(kCtrlShiftP), "Ctrl + Shift + P");
  // A flag is "1" alone; position 5 is not read.
  EXPECT_EQ(ParseHotkeyValue("x1y1+80"), kCtrlShiftP);
  EXPECT_EQ(HotkeyText(*ParseHotkeyValue("0000-179")), "Media key: Play/Pause");
  EXPECT_EQ(HotkeyText(*ParseHotkeyValue("1111-116")), "Winkey + Ctrl + Alt + Shift + F5");
  EXPECT_EQ(HotkeyText({.shift = true, .keyCode = 16}), "Shift + ");
  for (const char* unbound : {"", "0000-", "0101-8a", "0101- 80", "0101--80", "0101-0", "0101-99999999999"}) {
    EXPECT_FALSE(ParseHotkeyValue(unbound)) << unbound;
  }
}

TEST_F(GlobalHotkeysTest, AnUnreadableSlotIsSkippedAndTheOthersRegister) {
  for (int slot = 3; slot < kGlobalHotkeySlots; ++slot) Store(slot, "0110-" + std::to_string(65 + slot));
  Store(3, "0110-x");
  const auto rows = HotkeyListRows(StoredHotkeyValues(core));
  EXPECT_EQ(rows[3], "Next track");
  EXPECT_EQ(rows[4], "Previous track\t Ctrl + Alt + E");

  FakeHotkeyGrabs grabs;
  grabs.refused = {4};
  RegisterGlobalHotkeys(core, grabs, false);
  EXPECT_EQ(grabs.grabbed, (std::set<int>{4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_TRUE(ui.messages.empty());

  // After the dialog, each refusal is named.
  RegisterGlobalHotkeys(core, grabs, true);
  ASSERT_EQ(ui.messages.size(), 1U);
  EXPECT_EQ(ui.messages[0].text, "Can't register global hotkey Previous track.\rDisable other global key binding software.");
  UnregisterGlobalHotkeys(grabs);
  EXPECT_TRUE(grabs.grabbed.empty());
}

}  // namespace
}  // namespace tarvo
