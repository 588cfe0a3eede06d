// Text in a legacy code page, made with iconv as another program would have
// written it.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

#include "base/legacy_text.h"

namespace tarvo::testing {

inline std::string Encoded(std::string_view utf8, const char* codepage) {
  const iconv_t converter = iconv_open(codepage, "UTF-8");
  std::string out(utf8.size() * 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* to = out.data();
  std::size_t outLeft = out.size();
  iconv(converter, &in, &inLeft, &to, &outLeft);
  iconv_close(converter);
  out.resize(out.size() - outLeft);
  return out;
}

// Chooses a code page for one test and the environment's again after it.
class LegacyCodepageScope {
 public:
  explicit LegacyCodepageScope(std::string_view codepage) { ChooseLegacyCodepage(codepage); }
  ~LegacyCodepageScope() { ChooseLegacyCodepage(""); }
  LegacyCodepageScope(const LegacyCodepageScope&) = delete;
  LegacyCodepageScope& operator=(const LegacyCodepageScope&) = delete;
};

}  // namespace tarvo::testing
