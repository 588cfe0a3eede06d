// Whole-file and block-wise reads, and crash-safe whole-file writes.
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

// The file's bytes; nothing when it does not exist, is not a regular file or
// cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Reads a file block by block through one small buffer, giving `take` each
// block in order, so that a large file need not be held whole. False when
// the file does not exist, is not a regular file or a read fails (`take` may
// have seen some blocks by then).
bool ForEachFileBlock(const std::string& path, const std::function<void(std::string_view block)>& take);

// Writes all of `contents` to the open file `fd`, at its current offset or
// at `offset`, going on after short writes and interruptions. False when a
// write fails (a full disk).
bool WriteAll(int fd, std::string_view contents);
bool WriteAllAt(int fd, std::string_view contents, off_t offset);

// Writes `contents` to a temporary file in the same folder and renames it over
// `path`, so that a crash or a full disk never leaves a half-written file. The
// new file keeps the old one's permission bits; a symbolic link stays a link
// and the file it names is replaced. False when anything failed;
// the old file is then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view contents);

// Removes what saves of `path` that never finished (the program was killed
// while writing) left behind: regular files named `path` + "." + six letters
// or digits, as WriteFileAtomically names them, that were last written more
// than a minute ago, so that a save under way in another instance is not
// disturbed. Other files are never touched.
void RemoveStaleTemporaries(const std::string& path);

// The file exists and nobody may write it (no write permission bit set): the
// user froze it. Checked by the mode, so it also holds for root.
bool IsReadOnlyFile(const std::string& path);

// Renames `from` to `to` unless something is already at `to`, which is then
// left as it was; false when nothing was renamed.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

}  // namespace tarvo
