#include "platform/net/curl_library.h"

#include <optional>

#include "platform/library_names.h"
#include "platform/loaded_library.h"

namespace tarvo::net {

namespace {

constexpr char kFeature[] = "internet radio, downloads and the update check";

std::optional<CurlFunctions> Load() {
  std::optional<CurlFunctions> curl = LoadFunctionTable<CurlFunctions>(
      {library_name::kCurl}, kFeature,
      [](auto resolve, CurlFunctions& table) { return true TARVO_CURL_FUNCTIONS(TARVO_RESOLVE_FUNCTION); });
  if (!curl || curl->curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return std::nullopt;
  return curl;
}

}  // namespace

const CurlFunctions* Curl() {
  static const std::optional<CurlFunctions> loaded = Load();
  return loaded ? &*loaded : nullptr;
}

}  // namespace tarvo::net
