#include "platform/loaded_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

namespace tarvo {

namespace {

void ReportMissing(const char* neededFor, const char* what) {
  std::fprintf(stderr, "tarvo: %s cannot work: %s\n", neededFor, what);
}

}  // namespace

std::optional<std::vector<void*>> OpenLibraries(std::initializer_list<const char*> names, const char* neededFor) {
  std::vector<void*> libraries;
  for (const char* name : names) {
    void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
      ReportMissing(neededFor, dlerror());
      return std::nullopt;
    }
    libraries.push_back(library);
  }
  return libraries;
}

void* FindSymbol(const std::vector<void*>& libraries, const char* symbol, const char* neededFor) {
  for (void* library : libraries) {
    if (void* address = dlsym(library, symbol)) return address;
  }
  ReportMissing(neededFor, (std::string("its libraries lack ") + symbol).c_str());
  return nullptr;
}

}  // namespace tarvo
