// Colour scheme files, which users write and exchange by hand.
#include <string_view>

#include "fuzz_support.h"
#include "integration/schemes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvo::SchemeTextToColor(std::string_view(reinterpret_cast<const char*>(data), size));
  tarvo::Core& core = tarvo::fuzz::FreshCore();
  tarvo::ApplySchemeFile(core, tarvo::fuzz::WriteInput("scheme.ini", data, size));
  return 0;
}
