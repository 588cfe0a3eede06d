#include "playback/entry_probe.h"

#include "platform/file_io.h"
#include "playlist/entry.h"

namespace tarvo {

namespace {

int ProbeCodeOfError(int error) {
  switch (static_cast<audio::AudioError>(error)) {
    case audio::AudioError::FileOpen:
      return kProbeCantOpen;
    case audio::AudioError::SampleFormat:
      return kProbeUnsupportedSampleFormat;
    case audio::AudioError::NotAudio:
      return kProbeNotAudio;
    case audio::AudioError::SampleRate:
      return kProbeIllegalSampleRate;
    case audio::AudioError::FileFormat:
      return kProbeUnsupportedFormat;
    default:
      return kProbeUnknown;
  }
}

}  // namespace

int ProbeEntryWith(audio::AudioLibrary& library, const std::string& entry, const audio::StreamProcedure& procedure) {
  const EntryKind kind = EntryKindOf(entry);
  if (kind >= EntryKind::Stream) return kProbePlayable;
  if (!FileExists(entry)) return kProbeFileNotFound;
  // Tracker modules and unknown kinds get no decoder: the error of a missing
  // channel then says "unknown".
  if (kind != EntryKind::Audio) return kProbeUnknown;

  const audio::AudioHandle decoder = library.StreamCreateFile(entry);
  const int openError = library.ErrorGetCode();
  int code = ProbeCodeOfError(openError);
  if (decoder != 0 && library.StreamGetLength(decoder) > 0) {
    audio::ChannelInfo info;
    library.ChannelGetInfo(decoder, info);
    const audio::AudioHandle test =
        library.StreamCreate(static_cast<int>(info.rate), static_cast<int>(info.channels), procedure);
    code = test != 0 ? kProbePlayable : kProbeNoOutputForFormat;
    library.StreamFree(test);
  } else if (decoder != 0) {
    code = kProbeUnknown;
  }
  library.StreamFree(decoder);
  return code;
}

std::string ProbeWarning(int code) {
  switch (code) {
    case kProbeFileNotFound:
      return "File not found.\r\r";
    case kProbeUnsupportedFormat:
      return "Unsupported file format.\r\r";
    case kProbeIllegalSampleRate:
      return "File has illegal sample rate.\r\r";
    case kProbeNotAudio:
      return "File is not an audio file.\r\r";
    case kProbeUnsupportedSampleFormat:
      return "File has an unsupported sample format\r\r";
    case kProbeCantOpen:
      return "File can't be opened.\r\r";
    case kProbeNoOutputForFormat:
      return "Your soundcard driver does not support this type of sample format.\r\r";
    case kProbePlayable:
      return "";
    default:
      return "Unknown file format.\r\r";
  }
}

}  // namespace tarvo
