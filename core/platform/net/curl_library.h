// libcurl, loaded the first time a stream, a download or the update check
// needs it (see platform/loaded_library.h): with TLS, Kerberos, LDAP, SSH and
// HTTP/2 it brings two dozen libraries that most sessions never use.
#pragma once

#include <curl/curl.h>

#include "platform/loaded_library.h"

namespace tarvo::net {

// The library's entry points the program calls.
#define TARVO_CURL_FUNCTIONS(X)                                                                                  \
  X(curl_global_init) X(curl_easy_init) X(curl_easy_setopt) X(curl_easy_getinfo) X(curl_easy_perform)           \
  X(curl_easy_cleanup) X(curl_slist_append) X(curl_slist_free_all) X(curl_multi_init) X(curl_multi_add_handle)   \
  X(curl_multi_remove_handle) X(curl_multi_perform) X(curl_multi_poll) X(curl_multi_info_read)                   \
  X(curl_multi_wakeup) X(curl_multi_cleanup)

struct CurlFunctions {
  TARVO_CURL_FUNCTIONS(TARVO_FUNCTION_TABLE_MEMBER)
};

// Any thread: the library, loaded and globally set up once for the process.
// Null when it is missing or could not start.
const CurlFunctions* Curl();

// The library, for code that runs only once Curl() found it.
inline const CurlFunctions& LoadedCurl() { return *Curl(); }

}  // namespace tarvo::net
