// The language of the window's texts. The window is written in Korean;
// another language is a Qt translation file, "tarvo_<language>.qm", in the
// translations folder of the program's data.
#pragma once

#include <QString>
#include <string>
#include <string_view>

inline constexpr std::string_view kWindowSourceLanguage = "ko";

// `setting` ("ko", "en") when it is set; else Korean for a Korean locale and
// for the C or POSIX locale (or none), English for any other locale.
std::string WindowLanguage(std::string_view setting, std::string_view locale);

// The locale that names the language of messages: LC_ALL, else LC_MESSAGES,
// else LANG; empty when none is set.
std::string MessagesLocale();

// The translations folder beside the program: the data folder's
// "translations/", installed or in the build tree.
QString TranslationsFolder();

// Installs the translation of `language` from `folder` into the running
// application. Korean, a language without a file and a name that is no
// language leave the window Korean, silently. True when a translation is in
// use. Call it before the first window is built: widgets take their texts
// once, when they are made.
bool InstallWindowTranslation(const std::string& language, const QString& folder);
