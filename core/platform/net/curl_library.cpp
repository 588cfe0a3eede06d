#include "platform/net/curl_library.h"

#include <optional>
#include <vector>

#include "platform/library_names.h"
#include "platform/loaded_library.h"

namespace tarvo::net {

namespace {

constexpr char kFeature[] = "internet radio, downloads and the update check";

std::optional<CurlFunctions> Load() {
  const std::optional<std::vector<void*>> libraries = OpenLibraries({library_name::kCurl}, kFeature);
  if (!libraries) return std::nullopt;
  CurlFunctions curl{};
#define TARVO_CURL_RESOLVE(name) &&ResolveFunction(*libraries, #name, kFeature, curl.name)
  if (!(true TARVO_CURL_FUNCTIONS(TARVO_CURL_RESOLVE))) return std::nullopt;
#undef TARVO_CURL_RESOLVE
  if (curl.curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return std::nullopt;
  return curl;
}

}  // namespace

const CurlFunctions* Curl() {
  static const std::optional<CurlFunctions> loaded = Load();
  return loaded ? &*loaded : nullptr;
}

}  // namespace tarvo::net
