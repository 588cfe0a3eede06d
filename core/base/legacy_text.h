// Text from outside the program (playlists from other players, ID3v1 tags,
// station titles, file names) that is not UTF-8 was written in the legacy
// code page of the writer's system, as Windows programs did: on a Korean
// system CP949, on a Russian one CP1251. This reads it in the user's legacy
// code page, chosen by the settings or the locale.
#pragma once

#include <string>
#include <string_view>

namespace tarvo {

// Latin-1 stands for "no legacy code page": the C locale, or none set.
inline constexpr std::string_view kNoLegacyCodepage = "ISO-8859-1";

// The legacy code page of a locale name such as "ko_KR.UTF-8" (its language
// and country): CP949 for Korean, CP1251 for Russian, ..., CP1252 for any
// other language; kNoLegacyCodepage for the C and POSIX locales and none.
std::string LegacyCodepageOfLocale(std::string_view locale);

// The locale that names the character set of the environment: LC_ALL, else
// LC_CTYPE, else LANG; empty when none is set.
std::string EnvironmentLocale();

// Chooses the code page TextFromOutside reads in: `name` when iconv knows
// it, else (also for an empty name) the environment locale's. Returns the
// code page chosen. Any thread may call it; the next text read uses it.
std::string ChooseLegacyCodepage(std::string_view name);

// The code page chosen; before the first choice, the environment locale's.
std::string LegacyCodepage();
bool HasLegacyCodepage();

// `bytes` as UTF-8: valid UTF-8 stays as it is; anything else is decoded in
// the legacy code page, and each byte that code page can't decode is read as
// Latin-1. Without a legacy code page, each byte that is not part of a UTF-8
// sequence is read as Latin-1 (Utf8OrLatin1). Nothing is dropped (control
// characters are the caller's to drop). Safe on any thread.
std::string TextFromOutside(std::string_view bytes);

// Whether `bytes` is well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace tarvo
