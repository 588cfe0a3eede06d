// The temporary files of a recording: "tarvo0.pcm" (the recording) and
// "tarvo1.pcm" ... "tarvo4.pcm" (the pre-record cache), kept in a folder of
// the user's own under the chosen temporary folder. The names are fixed, so
// they never go straight into a shared folder, where another user could
// plant a link under one of them; and no link is ever followed.
#pragma once

#include <string>

namespace tarvo {

inline constexpr int kRecordTempFiles = 5;

// "tarvo" + n + ".pcm".
std::string RecordTempName(int n);

// The folder the files go in: "tarvo-<user id>/" under `base` (a missing
// trailing "/" of `base` is added; an empty `base` is the system's
// temporary folder).
std::string RecordTempFolderUnder(const std::string& base);

// Opens `folder` (from RecordTempFolderUnder), making it with rights for the
// user alone when it is missing. A descriptor of it, or -1 when it is not a
// real folder (a link is refused), belongs to someone else or lets others
// in. The caller closes it.
int OpenRecordTempFolder(const std::string& folder);

// Creates (truncates) file `n` in the open folder for writing; a link in its
// place is removed, not followed. -1 on failure.
int CreateRecordTemp(int folder, int n);
// Opens file `n` for reading, never through a link; -1 when it is missing.
int OpenRecordTempForReading(int folder, int n);
// Deletes the five files; missing ones are ignored.
void DeleteRecordTemps(int folder);

}  // namespace tarvo
