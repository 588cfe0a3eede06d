#include "base/legacy_text.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "base/single_byte_text.h"

namespace tarvo {

namespace {

struct LocaleCodepage {
  std::string_view locale;  // a language, or a language and country
  std::string_view codepage;
};

// Windows' ANSI code page of each system language. A language and country
// ("zh_TW") is looked up before the language alone.
constexpr std::array kLocaleCodepages{
    LocaleCodepage{"ko", "CP949"},     LocaleCodepage{"ja", "CP932"},     LocaleCodepage{"zh_CN", "GB18030"},
    LocaleCodepage{"zh_SG", "GB18030"}, LocaleCodepage{"zh_TW", "BIG5"},   LocaleCodepage{"zh_HK", "BIG5"},
    LocaleCodepage{"zh", "GB18030"},   LocaleCodepage{"ru", "CP1251"},    LocaleCodepage{"uk", "CP1251"},
    LocaleCodepage{"be", "CP1251"},    LocaleCodepage{"bg", "CP1251"},    LocaleCodepage{"sr", "CP1251"},
    LocaleCodepage{"mk", "CP1251"},    LocaleCodepage{"el", "CP1253"},    LocaleCodepage{"tr", "CP1254"},
    LocaleCodepage{"he", "CP1255"},    LocaleCodepage{"ar", "CP1256"},    LocaleCodepage{"vi", "CP1258"},
    LocaleCodepage{"th", "CP874"},     LocaleCodepage{"pl", "CP1250"},    LocaleCodepage{"cs", "CP1250"},
    LocaleCodepage{"sk", "CP1250"},    LocaleCodepage{"hu", "CP1250"},    LocaleCodepage{"ro", "CP1250"},
    LocaleCodepage{"hr", "CP1250"},    LocaleCodepage{"sl", "CP1250"},
};
constexpr std::string_view kDefaultCodepage = "CP1252";

// The chosen code page; empty until the first choice or use.
std::mutex chosenMutex;
std::string chosen;

bool IconvKnows(const std::string& codepage) {
  const iconv_t converter = iconv_open("UTF-8", codepage.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(converter);
  return true;
}

void AppendLatin1(std::string& text, unsigned char byte) {
  if (byte < 0x80) {
    text.push_back(static_cast<char>(byte));
    return;
  }
  text.push_back(static_cast<char>(0xC0 | (byte >> 6)));
  text.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
}

// Decodes `bytes` in `codepage`; a byte it can't decode, or an incomplete
// sequence at the end, is read as Latin-1 and decoding goes on after it.
std::string Decode(std::string_view bytes, const std::string& codepage) {
  const iconv_t converter = iconv_open("UTF-8", codepage.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return Utf8OrLatin1(bytes);
  std::string text;
  // Four UTF-8 bytes per input byte covers every code page.
  std::string buffer(bytes.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* out = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    text.append(buffer.data(), static_cast<std::size_t>(out - buffer.data()));
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    AppendLatin1(text, static_cast<unsigned char>(*in));
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(converter);
  return text;
}

}  // namespace

std::string LegacyCodepageOfLocale(std::string_view locale) {
  // "ko_KR.UTF-8@euro": the language and country come before "." and "@".
  const std::string_view name = locale.substr(0, locale.find_first_of(".@"));
  if (name.empty() || name == "C" || name == "POSIX") return std::string(kNoLegacyCodepage);
  const std::string_view language = name.substr(0, name.find('_'));
  for (const std::string_view key : {name, language}) {
    const auto match = std::ranges::find(kLocaleCodepages, key, &LocaleCodepage::locale);
    if (!key.empty() && match != kLocaleCodepages.end()) return std::string(match->codepage);
  }
  return std::string(kDefaultCodepage);
}

std::string EnvironmentLocale() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

std::string ChooseLegacyCodepage(std::string_view name) {
  std::string codepage(name);
  if (codepage.empty() || !IconvKnows(codepage)) codepage = LegacyCodepageOfLocale(EnvironmentLocale());
  const std::scoped_lock lock(chosenMutex);
  chosen = codepage;
  return codepage;
}

std::string LegacyCodepage() {
  {
    const std::scoped_lock lock(chosenMutex);
    if (!chosen.empty()) return chosen;
  }
  return ChooseLegacyCodepage("");
}

bool HasLegacyCodepage() { return LegacyCodepage() != kNoLegacyCodepage; }

std::string TextFromOutside(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  const std::string codepage = LegacyCodepage();
  // Latin-1 can't tell a UTF-8 sequence in mixed text from two Latin-1
  // characters; the sequence wins, as it always has. In a real legacy code
  // page it can't: a CP949 pair such as C7 A1 is a valid UTF-8 sequence too.
  if (codepage == kNoLegacyCodepage) return Utf8OrLatin1(bytes);
  return Decode(bytes, codepage);
}

bool IsValidUtf8(std::string_view bytes) {
  // Playlists of 100,000 lines pass through here: plain ASCII is skipped
  // eight bytes at a time.
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  for (std::size_t at = 0; at < bytes.size();) {
    std::uint64_t eight = 0;
    if (at + sizeof eight <= bytes.size()) {
      std::memcpy(&eight, bytes.data() + at, sizeof eight);
      if ((eight & kHighBits) == 0) {
        at += sizeof eight;
        continue;
      }
    }
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = Utf8SequenceAt(bytes, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

}  // namespace tarvo
