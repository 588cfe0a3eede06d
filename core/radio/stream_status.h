// What the window shows while an internet stream plays: the song title in
// the caption and tray hint, the bit rate and format in the status bar, the
// download rate in the time label, and the buffering and lost-connection
// texts. Window thread.
#pragma once

#include <cstdint>
#include <string>

#include "audio/audio_library.h"
#include "radio/progress_state.h"
#include "radio/radio_core.h"

namespace tarvo {

// "Buffering..." and how far the bytes waiting to be decoded have come
// towards `resumeBytes`, the amount at which a stalled stream plays on, as
// a percentage: below 5 shown as 0, above 100 as 100. Without a known
// resume point (0 or less) it is the kilobytes waiting.
std::string BufferingText(std::int64_t waitingBytes, std::int64_t resumeBytes = 100000);

// Sets status panel 3 when its text differs.
void ShowStreamPanel(RadioCore& core, const std::string& text);

// The station stopped sending: panel 3 says so, and the time label and the
// tray hint no longer say that the stream plays. Texts are written only
// when they change, as on every tick while the connection stays lost.
void ShowLostConnection(RadioCore& core);

// One status tick of a stream that plays: counts the tick in `counter`, and
// on every 300th (the first after a connection on the 20th) reads the
// stream's headers and metadata from `decoder` and shows its title, its
// status line and its download rate, and keeps the seek bar at 0.
void StreamStatusUpdate(RadioCore& core, ProgressState& seekBar, audio::AudioLibrary& library, int& counter,
                        audio::AudioHandle decoder, audio::AudioHandle output);

}  // namespace tarvo
