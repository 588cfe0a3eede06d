#include "integration/associations.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "integration/association_types.h"
#include "integration/tarvo_desktop_entry.h"
#include "platform/desktop_database.h"
#include "platform/file_io.h"
#include "platform/xdg_key_file.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace {

constexpr char kDefaults[] = "Default Applications";
constexpr char kDesktopListSuffix[] = "-mimeapps.list";

using DesktopList = std::vector<std::string>;

bool Configured(const Core& core) {
  return !core.programPath.empty() && !core.xdg.configHome.empty() && !core.xdg.dataHome.empty();
}

std::string MimeAppsPath(const Core& core) { return core.xdg.configHome + "/mimeapps.list"; }
std::string BackupPath(const Core& core) { return core.xdg.configHome + "/tarvo/mimeapps-backup.list"; }
std::string ApplicationsFolder(const Core& core) { return core.xdg.dataHome + "/applications"; }
std::string DesktopEntryPath(const Core& core) { return ApplicationsFolder(core) + "/" + kTarvoDesktopId; }

// The desktops' own lists in the config folder ("gnome-mimeapps.list", ...),
// in name order.
std::vector<std::string> DesktopSpecificLists(const Core& core) {
  std::vector<std::string> paths;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(core.xdg.configHome, error)) {
    const std::string name = item.path().filename().string();
    if (name.size() > std::string_view(kDesktopListSuffix).size() && name.ends_with(kDesktopListSuffix) &&
        item.is_regular_file(error)) {
      paths.push_back(item.path().string());
    }
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::optional<XdgKeyFile> ReadKeyFile(const std::string& path) {
  const std::optional<std::string> text = ReadWholeFile(path);
  return text ? XdgKeyFile::Parse(*text) : std::nullopt;
}

// A key file being changed, with the text it had, so that an unchanged file
// is not rewritten.
struct EditedFile {
  std::string path;
  XdgKeyFile file;
  std::string original;
};

// Nothing when the file may not be changed: read-only, unreadable, or not
// a key file. A missing file is an empty one.
std::optional<EditedFile> OpenForEditing(const std::string& path) {
  if (!FileExists(path)) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, error))) return std::nullopt;
    return EditedFile{path, XdgKeyFile(), ""};
  }
  if (IsReadOnlyFile(path) || access(path.c_str(), W_OK) != 0) return std::nullopt;
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return std::nullopt;
  std::optional<XdgKeyFile> file = XdgKeyFile::Parse(*text);
  if (!file) return std::nullopt;
  return EditedFile{path, std::move(*file), *text};
}

// Writes the file when it changed; a backup left empty goes away.
bool Save(const EditedFile& edited, bool removeWhenEmpty = false) {
  const std::string text = edited.file.Text();
  if (text == edited.original) return true;
  if (removeWhenEmpty && edited.file.Empty()) return std::remove(edited.path.c_str()) == 0;
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(edited.path).parent_path(), ignored);
  return WriteFileAtomically(edited.path, text);
}

DesktopList ListOf(const XdgKeyFile& file, const std::string& mimeType) {
  const std::optional<std::string> value = file.Value(kDefaults, mimeType);
  return value ? SplitKeyFileList(*value) : DesktopList();
}

bool Names(const DesktopList& list, std::string_view id) { return std::find(list.begin(), list.end(), id) != list.end(); }

DesktopList Without(DesktopList list, std::string_view id) {
  std::erase(list, std::string(id));
  return list;
}

void StoreList(XdgKeyFile& file, const std::string& mimeType, const DesktopList& list) {
  if (list.empty()) {
    file.Erase(kDefaults, mimeType);
  } else {
    file.Set(kDefaults, mimeType, JoinKeyFileList(list));
  }
}

bool AnotherProgramFirst(const XdgKeyFile& file, const std::string& mimeType) {
  const DesktopList list = ListOf(file, mimeType);
  return !list.empty() && list.front() != kTarvoDesktopId;
}

void WriteDesktopEntry(const Core& core) {
  const std::string path = DesktopEntryPath(core);
  const std::string text = TarvoDesktopEntryText(core.programPath);
  if (ReadWholeFile(path) == text) return;
  std::error_code ignored;
  std::filesystem::create_directories(ApplicationsFolder(core), ignored);
  WriteFileAtomically(path, text);
}

void ClaimInMimeApps(const Core& core, const std::vector<std::string>& mimeTypes) {
  std::optional<EditedFile> defaults = OpenForEditing(MimeAppsPath(core));
  if (!defaults) return;
  // Without a usable backup the claim still keeps the other programs in the
  // list, behind Tarvo, so a release gives them back all the same.
  std::optional<EditedFile> backup = OpenForEditing(BackupPath(core));
  for (const std::string& mimeType : mimeTypes) {
    const DesktopList list = ListOf(defaults->file, mimeType);
    if (!list.empty() && list.front() == kTarvoDesktopId) continue;
    const DesktopList others = Without(list, kTarvoDesktopId);
    if (backup) backup->file.Set(kDefaults, mimeType, JoinKeyFileList(others));
    DesktopList claimed{kTarvoDesktopId};
    claimed.insert(claimed.end(), others.begin(), others.end());
    StoreList(defaults->file, mimeType, claimed);
  }
  // The backup first: a crash in between never loses the previous default.
  if (backup && !Save(*backup)) return;
  Save(*defaults);
}

void ClaimInDesktopLists(const Core& core, const std::vector<std::string>& mimeTypes) {
  for (const std::string& path : DesktopSpecificLists(core)) {
    std::optional<EditedFile> edited = OpenForEditing(path);
    if (!edited) continue;
    for (const std::string& mimeType : mimeTypes) {
      if (!AnotherProgramFirst(edited->file, mimeType)) continue;
      DesktopList claimed{kTarvoDesktopId};
      const DesktopList others = Without(ListOf(edited->file, mimeType), kTarvoDesktopId);
      claimed.insert(claimed.end(), others.begin(), others.end());
      StoreList(edited->file, mimeType, claimed);
    }
    Save(*edited);
  }
}

// The backup's programs in their order, then any program added since.
DesktopList RestoredList(const DesktopList& current, const DesktopList& previous) {
  DesktopList restored = Without(previous, kTarvoDesktopId);
  for (const std::string& id : current) {
    if (id != kTarvoDesktopId && !Names(restored, id)) restored.push_back(id);
  }
  return restored;
}

void ReleaseInMimeApps(const Core& core, const std::vector<std::string>& mimeTypes) {
  std::optional<EditedFile> defaults = OpenForEditing(MimeAppsPath(core));
  if (!defaults) return;
  std::optional<EditedFile> backup = OpenForEditing(BackupPath(core));
  for (const std::string& mimeType : mimeTypes) {
    const DesktopList current = ListOf(defaults->file, mimeType);
    std::optional<std::string> previous;
    if (backup) previous = backup->file.Value(kDefaults, mimeType);
    if (backup) backup->file.Erase(kDefaults, mimeType);
    // A type another program took over since keeps that program's list.
    if (!Names(current, kTarvoDesktopId)) continue;
    StoreList(defaults->file, mimeType,
              previous ? RestoredList(current, SplitKeyFileList(*previous)) : Without(current, kTarvoDesktopId));
  }
  if (!Save(*defaults)) return;
  if (backup) Save(*backup, true);
}

void ReleaseInDesktopLists(const Core& core, const std::vector<std::string>& mimeTypes) {
  for (const std::string& path : DesktopSpecificLists(core)) {
    std::optional<EditedFile> edited = OpenForEditing(path);
    if (!edited) continue;
    for (const std::string& mimeType : mimeTypes) {
      const DesktopList list = ListOf(edited->file, mimeType);
      if (Names(list, kTarvoDesktopId)) StoreList(edited->file, mimeType, Without(list, kTarvoDesktopId));
    }
    Save(*edited);
  }
}

bool AnyTypeNamesTarvo(const Core& core) {
  std::vector<std::string> paths = DesktopSpecificLists(core);
  paths.push_back(MimeAppsPath(core));
  for (const std::string& path : paths) {
    const std::optional<XdgKeyFile> file = ReadKeyFile(path);
    if (!file) continue;
    for (const std::string& mimeType : AllAssociationMimeTypes()) {
      if (Names(ListOf(*file, mimeType), kTarvoDesktopId)) return true;
    }
  }
  return false;
}

// Only an entry written here: one the user made stays.
void RemoveDesktopEntryWhenUnused(const Core& core) {
  if (AnyTypeNamesTarvo(core)) return;
  const std::string path = DesktopEntryPath(core);
  const std::optional<std::string> text = ReadWholeFile(path);
  if (text && IsWrittenByTarvo(*text)) std::remove(path.c_str());
}

}  // namespace

bool IsAssociated(const Core& core, const std::string& extension) {
  const std::vector<std::string> mimeTypes = MimeTypesOf(extension);
  if (mimeTypes.empty() || !Configured(core)) return false;
  const std::optional<XdgKeyFile> defaults = ReadKeyFile(MimeAppsPath(core));
  if (!defaults) return false;
  for (const std::string& mimeType : mimeTypes) {
    const DesktopList list = ListOf(*defaults, mimeType);
    if (list.empty() || list.front() != kTarvoDesktopId) return false;
  }
  const std::optional<std::string> entry = ReadWholeFile(DesktopEntryPath(core));
  if (!entry || !DesktopEntryStartsProgram(*entry, core.programPath)) return false;
  for (const std::string& path : DesktopSpecificLists(core)) {
    const std::optional<XdgKeyFile> file = ReadKeyFile(path);
    if (!file) continue;
    for (const std::string& mimeType : mimeTypes) {
      if (AnotherProgramFirst(*file, mimeType)) return false;
    }
  }
  return true;
}

void ClaimAssociation(const Core& core, const std::string& extension) {
  const std::vector<std::string> mimeTypes = MimeTypesOf(extension);
  if (!mimeTypes.empty() && Configured(core)) {
    // The entry first, so that no list ever names a missing one.
    WriteDesktopEntry(core);
    ClaimInDesktopLists(core, mimeTypes);
    ClaimInMimeApps(core, mimeTypes);
  }
  WriteAssociationFlag(core, extension, true);
}

void ReleaseAssociation(const Core& core, const std::string& extension) {
  const std::vector<std::string> mimeTypes = MimeTypesOf(extension);
  if (!mimeTypes.empty() && Configured(core)) {
    ReleaseInDesktopLists(core, mimeTypes);
    ReleaseInMimeApps(core, mimeTypes);
    RemoveDesktopEntryWhenUnused(core);
  }
  WriteAssociationFlag(core, extension, false);
}

void NotifyAssociationsChanged(const Core& core) {
  if (Configured(core)) UpdateDesktopDatabase(ApplicationsFolder(core));
}

void ClaimAssociationsAtStartup(const Core& core) {
  if (!core.settings.claimAssociationsAtStartup) return;
  for (const char* extension : kAudioAssociationExtensions) {
    // The stored wish first: it is one read of "Tarvo.ini", and most users
    // never gave Tarvo a type.
    if (ReadAssociationFlag(core, extension) && !IsAssociated(core, extension)) ClaimAssociation(core, extension);
  }
}

void ClaimAllAssociations(const Core& core) {
  for (const char* extension : kAssociationExtensions) ClaimAssociation(core, extension);
  NotifyAssociationsChanged(core);
}

void ReleaseAllAssociations(const Core& core) {
  for (const char* extension : kAssociationExtensions) {
    if (IsAssociated(core, extension)) ReleaseAssociation(core, extension);
  }
  NotifyAssociationsChanged(core);
}

}  // namespace tarvo
