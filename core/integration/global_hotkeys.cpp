#include "integration/global_hotkeys.h"

#include <charconv>
#include <utility>

#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

constexpr std::size_t kFlagCount = 4;
constexpr std::size_t kKeyCodeStart = 5;
constexpr int kHighestKeyCode = 255;

bool IsModifierKey(int code) { return code == 16 || code == 17 || code == 18 || code == 91 || code == 92; }

// The names the player gives itself; they stand before the keyboard's own.
constexpr std::array<std::pair<int, std::string_view>, 19> kFixedKeyNames{{
    {19, "Pause"},
    {33, "Page Up"},
    {34, "Page Down"},
    {35, "End"},
    {36, "Home"},
    {45, "Insert"},
    {46, "Delete"},
    {144, "Num Lock"},
    {170, "Media key: BrowserSearch"},
    {171, "Media key: BrowserFavorites"},
    {172, "Media key: BrowserHome"},
    {173, "Media key: Mute/Unmute"},
    {174, "Media key: Volume Down"},
    {175, "Media key: Volume Up"},
    {176, "Media key: Next"},
    {177, "Media key: Previous"},
    {178, "Media key: Stop"},
    {179, "Media key: Play/Pause"},
    {255, "Key 255"},
}};

// The keyboard's names of the other keys, as a US layout labels them.
constexpr std::array<std::pair<int, std::string_view>, 29> kKeyboardNames{{
    {8, "Backspace"}, {9, "Tab"},        {13, "Enter"},     {20, "Caps Lock"},   {27, "Esc"},
    {32, "Space"},    {37, "Left"},      {38, "Up"},        {39, "Right"},       {40, "Down"},
    {44, "Print Screen"}, {93, "Application"}, {106, "Num *"}, {107, "Num +"}, {109, "Num -"},
    {110, "Num Del"}, {111, "Num /"},    {145, "Scroll Lock"}, {186, ";"},       {187, "="},
    {188, ","},       {189, "-"},        {190, "."},        {191, "/"},          {192, "`"},
    {219, "["},       {220, "\\"},       {221, "]"},        {222, "'"},
}};

std::string KeyboardKeyName(int code) {
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return std::string(1, static_cast<char>(code));
  if (code >= 96 && code <= 105) return "Num " + std::to_string(code - 96);
  if (code >= 112 && code <= 135) return "F" + std::to_string(code - 111);
  for (const auto& [key, name] : kKeyboardNames) {
    if (key == code) return std::string(name);
  }
  return std::string();
}

std::string KeyName(int code) {
  if (IsModifierKey(code)) return std::string();
  for (const auto& [key, name] : kFixedKeyNames) {
    if (key == code) return std::string(name);
  }
  return KeyboardKeyName(code);
}

int ParseKeyCode(std::string_view text) {
  int code = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, code);
  if (text.empty() || text.front() == '-' || error != std::errc() || stop != end) return 0;
  return code <= kHighestKeyCode ? code : 0;
}

}  // namespace

std::optional<HotkeyCombination> ParseHotkeyValue(std::string_view value) {
  if (value.size() <= kKeyCodeStart) return std::nullopt;
  HotkeyCombination combination{
      .windows = value[0] == '1',
      .ctrl = value[1] == '1',
      .alt = value[2] == '1',
      .shift = value[3] == '1',
      .keyCode = ParseKeyCode(value.substr(kKeyCodeStart)),
  };
  if (combination.keyCode == 0) return std::nullopt;
  return combination;
}

std::string HotkeyValueText(const HotkeyCombination& combination) {
  std::string value;
  for (const bool flag : {combination.windows, combination.ctrl, combination.alt, combination.shift}) {
    value += flag ? '1' : '0';
  }
  return value + "-" + std::to_string(combination.keyCode);
}

std::string HotkeyText(const HotkeyCombination& combination) {
  std::string text;
  if (combination.windows) text += "Winkey + ";
  if (combination.ctrl) text += "Ctrl + ";
  if (combination.alt) text += "Alt + ";
  if (combination.shift) text += "Shift + ";
  return text + KeyName(combination.keyCode);
}

std::array<std::string, kGlobalHotkeySlots> StoredHotkeyValues(const Core& core) {
  const IniDocument ini = LoadIniFile(SettingsFilePath(core)).value_or(IniDocument());
  std::array<std::string, kGlobalHotkeySlots> values;
  for (int slot = 0; slot < kGlobalHotkeySlots; ++slot) {
    values[static_cast<std::size_t>(slot)] = IniString(ini, setting::kGlobalHotkeys, std::to_string(slot), "");
  }
  return values;
}

std::array<std::string, kGlobalHotkeySlots> HotkeyListRows(const std::array<std::string, kGlobalHotkeySlots>& values) {
  std::array<std::string, kGlobalHotkeySlots> rows;
  for (std::size_t slot = 0; slot < rows.size(); ++slot) {
    rows[slot] = HotkeyFunctions[slot];
    if (const auto combination = ParseHotkeyValue(values[slot])) rows[slot] += "\t " + HotkeyText(*combination);
  }
  return rows;
}

void BindHotkey(const Core& core, int slot, const HotkeyCombination& combination) {
  if (slot < 0 || slot >= kGlobalHotkeySlots || IsModifierKey(combination.keyCode)) return;
  const std::string section(setting::kGlobalHotkeys);
  const std::string key = std::to_string(slot);
  if (combination.keyCode == 0) {
    DeleteIniKey(core, section, key);
    return;
  }
  const std::string value = HotkeyValueText(combination);
  const std::array<std::string, kGlobalHotkeySlots> stored = StoredHotkeyValues(core);
  for (std::size_t other = 0; other < stored.size(); ++other) {
    if (stored[other] == value) WriteIniString(core, section, std::to_string(other), "");
  }
  WriteIniString(core, section, key, value);
}

std::string HotkeyRefusedText(int slot) {
  return "Can't register global hotkey " + std::string(HotkeyFunctions[static_cast<std::size_t>(slot)]) + "." + "\r" +
         "Disable other global key binding software.";
}

void RegisterGlobalHotkeys(Core& core, HotkeyGrabs& grabs, bool reportFailures) {
  grabs.UngrabAll();
  const std::array<std::string, kGlobalHotkeySlots> values = StoredHotkeyValues(core);
  for (int slot = 0; slot < kGlobalHotkeySlots; ++slot) {
    const auto combination = ParseHotkeyValue(values[static_cast<std::size_t>(slot)]);
    if (!combination || grabs.Grab(slot, *combination) || !reportFailures) continue;
    core.ui.ShowMessage(MessageKind::Error, HotkeyRefusedText(slot));
  }
}

void UnregisterGlobalHotkeys(HotkeyGrabs& grabs) { grabs.UngrabAll(); }

}  // namespace tarvo
