// Facts about one audio file or channel, asked of the audio layer: rate,
// channels, sample width, average bit rate; and the one-line description of
// a playing file shown in the status bar. A handle of 0 means "open the file
// at `path` for the question and free it again".
#pragma once

#include <string>

#include "audio/audio_library.h"

namespace tarvo {

int SampleRateOf(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle);
bool IsStereo(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle);
bool Is16Bit(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle);
// File bytes × 8 / seconds / 1000, rounded half to even; 0 when unknown.
int BitRateOf(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle);
// Bits per sample from a canonical WAV header (the 16-bit value at offset
// 34); 0 when the file is shorter or unreadable.
int WavBitsOf(const std::string& path);
// Bits per sample from a FLAC file's stream header (the STREAMINFO block
// that follows "fLaC"); 0 when the file is not FLAC or is unreadable.
int FlacBitsOf(const std::string& path);

// "44100 Hz 16 bit Stereo" for WAV and FLAC, "128 Kbps Stereo" for MP3, Ogg,
// Opus and the MP4 family, empty for anything else.
std::string PlayingInfoText(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle);

// The coding of a file for its information window: "FLAC, 44100 Hz, 24 bit,
// Stereo", "AAC, 44100 Hz, Stereo" (no width for a lossy coding); the codec
// is left out when TagLib does not know the file. Reads the file's tags.
std::string CodingText(audio::AudioLibrary& library, const std::string& path, audio::AudioHandle handle);

}  // namespace tarvo
