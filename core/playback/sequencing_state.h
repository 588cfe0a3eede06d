// What the track sequencing keeps between commands: the two recent-entry
// rings, the dispatcher's busy flag and the shuffle generator. Owned by the
// window thread; at a gapless join the audio thread's PickNextIndex changes
// the rings and draws from the generator under the engine's lock.
#pragma once

#include <array>
#include <random>
#include <string>

namespace tarvo {

inline constexpr int kRecentRingSlots = 11;
// Slot 0 is the most recent entry; only slots 0..9 are ever written, so the
// last slot stays empty and a pop moves an empty string into slot 9.
using RecentRing = std::array<std::string, kRecentRingSlots>;

struct SequencingState {
  // Entries started in shuffle mode; previous walks back through them.
  RecentRing RecentPlayed;
  // Entries taken from the queue; previous walks back through them first.
  RecentRing RecentQueued;
  // Set while DispatchKeyCommand runs; keys arriving meanwhile go to the list.
  bool DispatcherBusy = false;
  // Seeded once; tests reseed it to make shuffle draws repeatable.
  std::mt19937 shuffleRandom{std::random_device{}()};
};

}  // namespace tarvo
