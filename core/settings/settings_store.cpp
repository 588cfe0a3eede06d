#include "settings/settings_store.h"

#include <cstdlib>

#include "base/text.h"
#include "platform/file_io.h"
#include "settings/ini_file.h"

namespace tarvo {

namespace {

using setting::kAssociations;
using setting::kMusicFolders;
constexpr int kMusicFoldersRead = 20;

// What the generic readers see: nothing when the file is read-only, so a
// frozen file shows the program's defaults.
std::optional<IniDocument> LoadUnlessReadOnly(const SettingsCore& core) {
  const std::string path = SettingsFilePath(core);
  if (IsReadOnlyFile(path)) return std::nullopt;
  return LoadIniFile(path);
}

std::string MusicFolderKey(int n) { return "path" + std::to_string(n); }

std::string WithTrailingSlash(std::string folder) {
  if (!EndsWith(folder, "/")) folder += '/';
  return folder;
}

}  // namespace

std::string SettingsFilePath(const SettingsCore& core) {
  std::string_view folder = core.homeFolder;
  if (EndsWith(folder, "/")) folder.remove_suffix(1);
  return std::string(folder) + "/Tarvo.ini";
}

int ReadIniInteger(const SettingsCore& core, const std::string& section, const std::string& key, int defaultValue) {
  const std::optional<IniDocument> ini = LoadUnlessReadOnly(core);
  return ini ? IniInteger(*ini, section, key, defaultValue) : defaultValue;
}

bool ReadIniBool(const SettingsCore& core, const std::string& section, const std::string& key, bool defaultValue) {
  const std::optional<IniDocument> ini = LoadUnlessReadOnly(core);
  return ini ? IniBool(*ini, section, key, defaultValue) : defaultValue;
}

std::string ReadIniString(const SettingsCore& core, const std::string& section, const std::string& key,
                          const std::string& defaultValue) {
  const std::optional<IniDocument> ini = LoadUnlessReadOnly(core);
  return ini ? IniString(*ini, section, key, defaultValue) : defaultValue;
}

void WriteIniInteger(const SettingsCore& core, const std::string& section, const std::string& key, int value) {
  UpdateIniFile(SettingsFilePath(core), [&](IniDocument& ini) { SetIniInteger(ini, section, key, value); });
}

void WriteIniBool(const SettingsCore& core, const std::string& section, const std::string& key, bool value) {
  UpdateIniFile(SettingsFilePath(core), [&](IniDocument& ini) { SetIniBool(ini, section, key, value); });
}

void WriteIniString(const SettingsCore& core, const std::string& section, const std::string& key,
                    const std::string& value) {
  UpdateIniFile(SettingsFilePath(core), [&](IniDocument& ini) { ini.Set(section, key, value); });
}

void DeleteIniKey(const SettingsCore& core, const std::string& section, const std::string& key) {
  UpdateIniFile(SettingsFilePath(core), [&](IniDocument& ini) { ini.Erase(section, key); });
}

namespace {

template <typename T>
T ReadOne(const SettingsCore& core, const Setting<T>& setting) {
  const std::optional<IniDocument> ini = LoadUnlessReadOnly(core);
  return ini ? Value(*ini, setting) : setting.defaultValue;
}

template <typename T, typename V>
void WriteOne(const SettingsCore& core, const Setting<T>& setting, const V& value) {
  UpdateIniFile(SettingsFilePath(core), [&](IniDocument& ini) { Store(ini, setting, value); });
}

}  // namespace

int ReadSetting(const SettingsCore& core, const IntSetting& setting) { return ReadOne(core, setting); }
bool ReadSetting(const SettingsCore& core, const BoolSetting& setting) { return ReadOne(core, setting); }
std::string ReadSetting(const SettingsCore& core, const TextSetting& setting) { return ReadOne(core, setting); }
void WriteSetting(const SettingsCore& core, const IntSetting& setting, int value) { WriteOne(core, setting, value); }
void WriteSetting(const SettingsCore& core, const BoolSetting& setting, bool value) { WriteOne(core, setting, value); }
void WriteSetting(const SettingsCore& core, const TextSetting& setting, const std::string& value) {
  WriteOne(core, setting, value);
}

int Value(const IniDocument& ini, const IntSetting& setting) {
  return IniInteger(ini, setting.section, setting.key, setting.defaultValue);
}
bool Value(const IniDocument& ini, const BoolSetting& setting) {
  return IniBool(ini, setting.section, setting.key, setting.defaultValue);
}
std::string Value(const IniDocument& ini, const TextSetting& setting) {
  return IniString(ini, setting.section, setting.key, setting.defaultValue);
}
void Store(IniDocument& ini, const IntSetting& setting, int value) { SetIniInteger(ini, setting.section, setting.key, value); }
void Store(IniDocument& ini, const BoolSetting& setting, bool value) { SetIniBool(ini, setting.section, setting.key, value); }
void Store(IniDocument& ini, const TextSetting& setting, const std::string& value) {
  ini.Set(setting.section, setting.key, value);
}

int ReadEnqueueOption(const SettingsCore& core) {
  const std::optional<IniDocument> ini = LoadIniFile(SettingsFilePath(core));
  return ini ? Value(*ini, setting::kEnqueueOption) : setting::kEnqueueOption.defaultValue;
}

void WriteEnqueueOption(const SettingsCore& core, int value) { WriteSetting(core, setting::kEnqueueOption, value); }

bool ReadAssociationFlag(const SettingsCore& core, const std::string& extension) {
  const std::optional<IniDocument> ini = LoadIniFile(SettingsFilePath(core));
  return ini && IniBool(*ini, kAssociations, extension, false);
}

void WriteAssociationFlag(const SettingsCore& core, const std::string& extension, bool value) {
  WriteIniBool(core, std::string(kAssociations), extension, value);
}

std::chrono::sys_days ReadLastVersionCheck(const SettingsCore& core) {
  const DateSetting& check = setting::kLastVersionCheck;
  const std::optional<IniDocument> ini = LoadIniFile(SettingsFilePath(core));
  return ini ? IniDate(*ini, check.section, check.key, check.defaultValue) : check.defaultValue;
}

void WriteLastVersionCheck(const SettingsCore& core, std::chrono::sys_days date) {
  const DateSetting& check = setting::kLastVersionCheck;
  UpdateIniFile(SettingsFilePath(core), [&](IniDocument& ini) { SetIniDate(ini, check.section, check.key, date); });
}

std::string ReadLastNewVersion(const SettingsCore& core) {
  const std::optional<IniDocument> ini = LoadIniFile(SettingsFilePath(core));
  return ini ? Value(*ini, setting::kLastNewVersion) : setting::kLastNewVersion.defaultValue;
}

void WriteLastNewVersion(const SettingsCore& core, const std::string& version) {
  WriteSetting(core, setting::kLastNewVersion, version);
}

std::vector<std::string> MusicFoldersIn(const IniDocument& ini) {
  std::vector<std::string> folders;
  folders.reserve(kMusicFoldersRead);
  for (int n = 0; n < kMusicFoldersRead; ++n) {
    const std::optional<std::string_view> folder = ini.Value(kMusicFolders, MusicFolderKey(n));
    if (!folder || folder->empty()) break;
    // A hand-edited folder may lack the separator that the path rules expect.
    folders.push_back(WithTrailingSlash(std::string(*folder)));
  }
  return folders;
}

void SetMusicFolders(IniDocument& ini, const std::vector<std::string>& folders) {
  ini.EraseSection(kMusicFolders);
  // Numbering skips what cannot be stored (an empty folder, a line end in
  // the name), since a gap would end the list when it is read back.
  int n = 0;
  for (const std::string& folder : folders) {
    if (!folder.empty() && ini.Set(kMusicFolders, MusicFolderKey(n), WithTrailingSlash(folder))) ++n;
  }
}

std::string SystemTemporaryFolder() {
  const char* variable = std::getenv("TMPDIR");
  std::string folder = variable != nullptr && *variable != '\0' ? variable : "/tmp";
  if (!EndsWith(folder, "/")) folder += '/';
  return folder;
}

}  // namespace tarvo
