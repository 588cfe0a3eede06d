// The update server's answer: an address, a version and a message. Only a
// web address may ever be handed to the desktop, and the message shown
// stays within its line limit and holds no control characters.
#include <cstdlib>
#include <optional>
#include <string>

#include "update/update_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string answer(reinterpret_cast<const char*>(data), size);
  const std::optional<tarvo::UpdateOffer> found = tarvo::OfferIn(answer);
  if (!found) return 0;
  const tarvo::UpdateOffer& offer = *found;
  std::size_t lines = 1;
  for (const char c : offer.message) {
    if (c == '\n') ++lines;
    else if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') abort();
  }
  if (lines > 30) abort();
  if (tarvo::IsWebAddress(offer.address)) {
    std::string scheme = offer.address.substr(0, 8);
    for (char& c : scheme) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (scheme.rfind("http://", 0) != 0 && scheme != "https://") abort();
    for (const char c : offer.address) {
      if (static_cast<unsigned char>(c) <= ' ') abort();
    }
  }
  return 0;
}
