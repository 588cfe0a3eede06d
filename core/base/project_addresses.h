// The project's own web and mail addresses: shown in the about window, and
// the web address is where the update check asks unless a setting says
// otherwise.
#pragma once

inline constexpr char kProjectWebAddress[] = "https://tarvo.org/";
inline constexpr char kProjectMailAddress[] = "tarvo@tarvo.org";
