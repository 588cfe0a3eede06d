// The project's own web and mail addresses, shown in the about window.
#pragma once

inline constexpr char kProjectWebAddress[] = "https://tarvo.org/";
inline constexpr char kProjectMailAddress[] = "tarvo@tarvo.org";
