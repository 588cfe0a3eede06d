#include "app/window_language.h"

#include <QCoreApplication>
#include <QTranslator>
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/program_data.h"

namespace {

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// Only letters (and "_" for a country) name a language; anything else could
// reach outside the translations folder.
bool IsLanguageName(std::string_view name) {
  return !name.empty() &&
         std::ranges::all_of(name, [](unsigned char c) { return std::islower(c) != 0 || c == '_'; });
}

}  // namespace

std::string WindowLanguage(std::string_view setting, std::string_view locale) {
  if (!setting.empty()) return LowerCase(setting);
  const std::string language = LowerCase(locale.substr(0, locale.find_first_of("_.@")));
  if (language.empty() || language == "c" || language == "posix" || language == kWindowSourceLanguage) {
    return std::string(kWindowSourceLanguage);
  }
  return "en";
}

std::string MessagesLocale() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return std::string();
}

QString TranslationsFolder() { return QString::fromStdString(tarvo::ProgramDataFolder()) + QStringLiteral("translations"); }

bool InstallWindowTranslation(const std::string& language, const QString& folder) {
  if (language == kWindowSourceLanguage || !IsLanguageName(language)) return false;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("tarvo_") + QString::fromStdString(language), folder) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}
