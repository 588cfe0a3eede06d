#include "audio/audio_error.h"

namespace tarvo::audio {

std::string_view AudioErrorText(AudioError error) {
  switch (error) {
    case AudioError::Ok: return "no error";
    case AudioError::Memory: return "out of memory";
    case AudioError::FileOpen: return "the file can't be opened";
    case AudioError::Driver: return "the sound server can't be reached";
    case AudioError::Handle: return "invalid channel handle";
    case AudioError::SampleFormat: return "unsupported sample format";
    case AudioError::Position: return "position outside the channel";
    case AudioError::Init: return "the output device is not open";
    case AudioError::Already: return "the output device is already open";
    case AudioError::NotAudio: return "the file holds no audio";
    case AudioError::IllegalParameter: return "illegal parameter";
    case AudioError::Device: return "no such output device";
    case AudioError::NotPlaying: return "the output is not playing";
    case AudioError::SampleRate: return "illegal sample rate";
    case AudioError::NotFile: return "the channel has no file";
    case AudioError::NotAvailable: return "the data is not available";
    case AudioError::DecodeOnly: return "not possible on a decoding channel";
    case AudioError::Timeout: return "connection timed out";
    case AudioError::FileFormat: return "unsupported file format";
    case AudioError::Unknown: return "unknown error";
  }
  return "unknown error";
}

}  // namespace tarvo::audio
