// The audio layer's one error vocabulary. The numbers are the codes that the
// engine, the connect thread and the probes test for (2, 6, 17, 25, 40, 41), so
// they are kept as they are; the rest are numbered in the same family.
#pragma once

#include <string_view>

namespace tarvo::audio {

enum class AudioError : int {
  Ok = 0,
  Memory = 1,          // out of memory
  FileOpen = 2,        // the file can't be opened (missing, unreadable, a folder)
  Driver = 3,          // the output back end can't be reached (no sound server)
  Handle = 5,          // not a handle of a living channel
  SampleFormat = 6,    // a sample format that can't be delivered or played
                       // (more than two channels, no channels)
  Position = 7,        // a position outside the channel
  Init = 8,            // the device is not open
  Already = 14,        // the device is already open
  NotAudio = 17,       // a known container that holds no audio
  IllegalParameter = 20,
  Device = 23,         // no such device number
  NotPlaying = 24,     // the output is stopped
  SampleRate = 25,     // a sample rate outside 1000..192000 Hz
  NotFile = 27,        // a file operation on a channel that has no file
  NotAvailable = 37,   // the data asked for does not exist on this channel
  DecodeOnly = 38,     // a playback operation on a decoding channel
  Timeout = 40,        // a network peer did not answer in time
  FileFormat = 41,     // content of no supported format (text, junk, empty)
  Unknown = -1,        // anything else: a decoder library fault, a device failure
};

// The numeric code that `ErrorGetCode` reports.
constexpr int ErrorNumber(AudioError error) { return static_cast<int>(error); }

// A short English description, for logs and diagnostics.
std::string_view AudioErrorText(AudioError error);

}  // namespace tarvo::audio
