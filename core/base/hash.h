// A 64-bit FNV-1a hash of a text: stable from run to run and cheap, for names
// made from paths and entries (socket folders, track identifiers).
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvo {

constexpr std::uint64_t Fnv1aHash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace tarvo
