#include "media/file_info.h"

#include <sys/stat.h>

#include <algorithm>

#include "base/legacy_text.h"
#include "base/text.h"
#include "media/file_tags.h"
#include "media/id3v1.h"
#include "media/media_messages.h"
#include "media/number_texts.h"
#include "platform/file_io.h"
#include "platform/safe_rename.h"
#include "playlist/entry.h"
#include "playlist/model.h"

namespace tarvo {

namespace messages = media_messages;

namespace {

constexpr char kLine[] = "\r\n";

int FocusedEntryIndex(const PlaylistCore& core) {
  const int index = core.listView.focusedRow;
  const int count = static_cast<int>(core.playlist.PlaylistEntries.size());
  return index >= 0 && index < count ? index : -1;
}

bool SelectionHasStream(const PlaylistCore& core) {
  const std::vector<std::string>& entries = core.playlist.PlaylistEntries;
  const std::vector<int> rows = core.listView.SelectedRows();
  return std::any_of(rows.begin(), rows.end(), [&](int row) {
    return row < static_cast<int>(entries.size()) && EntryKindOf(entries[row]) == EntryKind::Stream;
  });
}

std::string FileSizeText(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return "";
  return GroupDigits(std::to_string(info.st_size)) + " bytes";
}

// The entry plays (or is paused) from its file right now.
bool IsPlayingEntry(const PlaylistCore& core, int index) {
  return index == core.playlist.CurrentIndex && core.playback.DeviceOpen() &&
         core.playlist.PlayingEntry == core.playlist.PlaylistEntries[index];
}

bool IsMp3Name(std::string_view path) { return AsciiLowerCopy(ExtensionOf(path)) == ".mp3"; }

// Every field TagLib reads from the file, one "KEY: value" line each.
std::string FieldsViewText(const std::string& path) {
  const FileTags tags = ReadFileTags(path);
  const std::string rule = std::string(60, '-') + kLine;
  std::string text = std::string(FolderOf(path)) + kLine + std::string(FileNameOf(path)) + kLine + kLine;
  text += rule + (tags.codec.empty() ? std::string("Tags:") : tags.codec + " tags:") + kLine;
  for (const auto& [key, value] : tags.fields) {
    // A value of several lines is joined into one, so each field keeps its line.
    text += key + ": " + ReplaceAll(ReplaceAll(value, "\r\n", " "), "\n", " ") + kLine;
  }
  text += rule;
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

}  // namespace

FileInfoWindow ChooseFileInfoWindow(PlaylistCore& core) {
  if (core.playlist.PlaylistEntries.empty()) return FileInfoWindow::None;
  if (core.listView.SelectedCount() >= 2) {
    if (!SelectionHasStream(core)) return FileInfoWindow::Renamer;
    ShowMessageBox(core, MessageKind::Information, messages::kInvalidPropertiesRequest);
    return FileInfoWindow::None;
  }
  const int index = FocusedEntryIndex(core);
  if (index < 0) return FileInfoWindow::None;
  const std::string& entry = core.playlist.PlaylistEntries[index];
  if (EntryKindOf(entry) == EntryKind::Stream) return FileInfoWindow::StreamEditor;
  if (FileExists(entry)) return FileInfoWindow::FileInformation;
  ShowMessageBox(core, MessageKind::Warning, messages::FileNotFound(entry));
  return FileInfoWindow::None;
}

std::string FileInfoText(PlaylistCore& core, const std::string& path) {
  const FileDescription sound = core.playback.DescribeFile(path);
  std::string text = TextFromOutside(FolderOf(path));
  text += std::string(kLine) + kLine + "Size: \t" + FileSizeText(path);
  text += std::string(kLine) + "Format: \t" + sound.format;
  if (!sound.coding.empty()) text += std::string(kLine) + "Codec: \t" + sound.coding;
  text += std::string(kLine) + "Length: \t" + (sound.lengthMs >= 0 ? FormatDurationMs(sound.lengthMs) : "");
  return text;
}

std::string TidyFileName(std::string_view name) {
  std::string tidy = ReplaceAll(ReplaceAll(name, "_", " "), "%20", " ");
  for (int pass = 0; pass < 3; ++pass) tidy = ReplaceAll(tidy, "  ", " ");
  return tidy;
}

bool HasTagButton(std::string_view path) {
  // WAV and Ogg Vorbis files keep the window they always had, without one.
  const std::string extension = AsciiLowerCopy(ExtensionOf(path));
  return EntryKindOf(path) == EntryKind::Audio && extension != ".wav" && extension != ".ogg" &&
         extension != ".mp2" && extension != ".mp1";
}

std::string TagViewCaption(std::string_view path) { return IsMp3Name(path) ? "View MP3 tags" : "View tags"; }

RenameOutcome RenameEntryFile(PlaylistCore& core, int index, const std::string& newName) {
  std::string& entry = core.playlist.PlaylistEntries.at(index);
  const std::string oldPath = entry;
  const std::string newPath = std::string(FolderOf(oldPath)) + newName;
  // A name that is not UTF-8 is edited as its decoded text: left as shown,
  // it keeps its own bytes.
  if (newPath == oldPath || newName == TextFromOutside(FileNameOf(oldPath))) return RenameOutcome::Unchanged;
  if (ExtensionOf(newPath).empty()) {
    ShowMessageBox(core, MessageKind::Information, messages::kEndWithExtension);
    return RenameOutcome::NeedsExtension;
  }
  // A playing file keeps playing through the rename (its decoder holds the
  // file open), so a refused rename leaves playback alone.
  const bool playing = IsPlayingEntry(core, index);
  if (!RenameWithoutReplacing(oldPath, newPath)) {
    ShowMessageBox(core, MessageKind::Information, messages::kCantRename);
    return RenameOutcome::Refused;
  }
  entry = newPath;
  if (playing) {
    const bool paused = core.playback.IsPaused();
    const std::int64_t position = core.playback.ElapsedBytes();
    core.playback.StopPlayback(false);
    core.playback.PlayEntry(core.playlist.CurrentIndex);
    core.playback.SeekTo(position);
    if (paused) core.playback.PauseOrResume();
  }
  UpdateListView(core, true, true);
  return RenameOutcome::Renamed;
}

std::string TagViewText(const std::string& path) {
  if (!IsMp3Name(path)) return FieldsViewText(path);
  TID3v1 tag;
  tag.ReadTag(path);
  const std::string rule = std::string(60, '-') + kLine;
  std::string text = TextFromOutside(FolderOf(path)) + kLine + TextFromOutside(FileNameOf(path)) + kLine + kLine;
  text += rule + "MP3v1 Tags:" + kLine;
  text += "Title: " + tag.Title + kLine;
  text += "Artist: " + tag.Artist + kLine;
  text += "Album: " + tag.Album + kLine;
  text += "Year: " + tag.Year + kLine;
  text += "Genre: " + tag.GenreText() + kLine;
  text += "Comments: " + tag.Comment + kLine;
  text += rule;
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

void PropertiesAc(PlaylistCore& core) {
  const int index = FocusedEntryIndex(core);
  if (index < 0 || core.desktop == nullptr) return;
  const std::string& entry = core.playlist.PlaylistEntries[index];
  if (EntryKindOf(entry) != EntryKind::Stream) core.desktop->ShowItemProperties(entry);
}

}  // namespace tarvo
