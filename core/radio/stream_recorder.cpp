#include "radio/stream_recorder.h"

#include <unistd.h>

#include "base/local_time.h"
#include "media/number_texts.h"
#include "media/probes.h"
#include "playlist/entry.h"
#include "playlist/model.h"
#include "radio/radio_messages.h"
#include "settings/settings_store.h"

namespace tarvo {

namespace messages = radio_messages;

namespace {

// The name the save dialog proposes: "Mix 2024-05-01 13-07.wav", local time.
constexpr char kProposedNameFormat[] = "Mix %Y-%m-%d %H-%M.wav";

constexpr int kCacheSlots = 4;
// More than the output stream of a station buffers.
constexpr std::uint32_t kUnheardSeconds = 10;
constexpr char kWavFilter[] = "Wave files (*.wav)|*.wav|All files (*.*)|*.*";

// The oldest cache slot first (the one after the slot written at the
// takeover), round to the newest, then the recording.
std::vector<int> JoiningOrder(int lastCacheSlot) {
  std::vector<int> parts;
  int n = lastCacheSlot;
  for (int i = 0; i < kCacheSlots; ++i) {
    n = n % kCacheSlots + 1;
    parts.push_back(n);
  }
  parts.push_back(0);
  return parts;
}

// 125 minutes: "2:05".
std::string HoursAndMinutes(std::uint64_t minutes) {
  const std::uint64_t rest = minutes % 60;
  return std::to_string(minutes / 60) + ":" + (rest < 10 ? "0" : "") + std::to_string(rest);
}

}  // namespace

StreamRecorder::StreamRecorder(audio::AudioLibrary& library, std::function<audio::AudioHandle()> currentOutput)
    : library_(library), currentOutput_(std::move(currentOutput)) {}

StreamRecorder::~StreamRecorder() {
  // The output is gone by now, and with it the hook.
  tap_.CloseFile();
  if (folder_ >= 0) close(folder_);
}

void StreamRecorder::RecordStartAc(RadioCore& core) {
  if (EntryKindOf(core.playlist.PlayingEntry) != EntryKind::Stream) {
    ShowMessageBox(core, MessageKind::Information, messages::kOnlyInternetRadio);
    return;
  }
  if (recording_) {
    // The station stops with the recording, which is offered for saving.
    core.playback.StopPlayback(true);
    return;
  }
  if (library_.ChannelIsActive(currentOutput_()) != audio::ChannelState::Playing) {
    ShowMessageBox(core, MessageKind::Information, messages::kFirstPlayAStream);
    return;
  }
  if (!core.ui.AskYesNo(messages::kStartRecording)) return;
  SetCaption(core, messages::kStopRecordingCaption);
  core.settings.recordTempPath = ReadSetting(core, setting::kRecordTempPath);
  core.settings.cachingTime = ReadSetting(core, setting::kRecordSecAhead);
  if (!StartRecordDsp(core, false)) SetCaption(core, messages::kRecordCaption);
}

bool StreamRecorder::StartRecordDsp(RadioCore& core, bool cacheOnly) {
  // The files being joined are not to be touched by a new start.
  if (joining_) return false;
  if (dsp_ == 0 && !InstallTap(core, currentOutput_(), cacheOnly)) return false;
  if (!cacheOnly) {
    recording_ = true;
    tap_.SetRecording(true);
  }
  return true;
}

bool StreamRecorder::InstallTap(RadioCore& core, audio::AudioHandle output, bool cacheOnly) {
  if (folder_ >= 0) close(folder_);
  folderPath_ = RecordTempFolderUnder(core.settings.recordTempPath);
  folder_ = OpenRecordTempFolder(folderPath_);
  if (folder_ < 0) {
    if (!cacheOnly) {
      ShowMessageBox(core, MessageKind::Error, messages::TempFolderUnusable(folderPath_));
    }
    return false;
  }
  // Files of an earlier station may be in another format: a new start
  // begins without them.
  DeleteRecordTemps(folder_);
  format_ = OutputFormat(output);
  const std::int64_t slotBytes = static_cast<std::int64_t>(std::max(core.settings.cachingTime, 0) / 3) *
                                 static_cast<std::int64_t>(format_.bytesPerSecond);
  // The four cache slots together never take more than half of what one
  // recording may hold.
  const std::int64_t largestSlot = static_cast<std::int64_t>(sizeLimit_ / (2 * kCacheSlots));
  // A recording without the cache begins with what the output has
  // buffered but not played yet (the stream buffer is 5 seconds).
  RecordTap::UnheardReader unheard;
  if (!cacheOnly) {
    unheard = [this, output](void* buffer, std::uint32_t bytes) {
      const std::uint32_t got = library_.ChannelGetData(output, buffer, bytes);
      return got == audio::kDataError ? 0u : got;
    };
  }
  tap_.Begin(folder_, std::min(slotBytes, largestSlot), sizeLimit_, format_.channels * format_.bitsPerSample / 8,
             std::move(unheard), kUnheardSeconds * format_.bytesPerSecond);
  const auto append = [this](audio::DspHandle, audio::AudioHandle, void* buffer, std::uint32_t bytes) {
    tap_.Append(buffer, bytes);
  };
  dsp_ = library_.ChannelSetDSP(output, append, 0);
  if (dsp_ == 0) return false;
  tappedOutput_ = output;
  return true;
}

WavFormat StreamRecorder::OutputFormat(audio::AudioHandle output) {
  WavFormat format;
  format.channels = IsStereo(library_, "", output) ? 2 : 1;
  format.rate = SampleRateOf(library_, "", output);
  format.bytesPerSecond = static_cast<std::uint32_t>(library_.ChannelSeconds2Bytes(output, 1.0));
  format.bitsPerSample = Is16Bit(library_, "", output) ? 16 : 8;
  return format;
}

void StreamRecorder::StopRecordDsp(RadioCore& core) {
  if (dsp_ == 0) return;
  // Waits for a block being written; afterwards the tap is idle.
  library_.ChannelRemoveDSP(tappedOutput_, dsp_);
  dsp_ = 0;
  tappedOutput_ = 0;
  tap_.CloseFile();
  // Panel 0 showed the recording's progress in the volume's place: the
  // volume comes back.
  SetStatusPanel(core, StatusPanel::Volume, VolumePanelText(core.settings.volume));
}

void StreamRecorder::FinishRecording(RadioCore& core) {
  StopRecordDsp(core);
  if (!recording_) return;
  recording_ = false;
  tap_.SetRecording(false);
  SetCaption(core, messages::kRecordCaption);
  if (!core.ui.AskYesNo(messages::kSaveRecord)) {
    DeleteTemps();
    return;
  }
  SaveRecording(core);
}

void StreamRecorder::SaveRecording(RadioCore& core) {
  FileDialogRequest request;
  request.filter = kWavFilter;
  request.fileName = LocalTimeText(kProposedNameFormat);
  request.defaultExtension = "wav";
  request.save = true;
  const std::optional<ChosenSaveFile> chosen = core.ui.ChooseSaveFile(request);
  if (!chosen) {
    DeleteTemps();
    SetStatusPanel(core, StatusPanel::Progress, "");
    return;
  }
  SetStatusPanel(core, StatusPanel::Progress, messages::kWritingWaveFile);
  joining_ = true;
  const bool saved = WriteJoinedWav(chosen->path, format_, folder_, JoiningOrder(tap_.LastCacheSlot()),
                                    [&core] { core.ui.ProcessPendingEvents(); });
  joining_ = false;
  SetStatusPanel(core, StatusPanel::Progress, "");
  if (!saved) {
    ShowMessageBox(core, MessageKind::Error, messages::kSaveFailed);
    return;
  }
  DeleteTemps();
  ShowMessageBox(core, MessageKind::Information, messages::SavedTo(chosen->path));
}

void StreamRecorder::LeaveRecording(RadioCore& core) {
  StopRecordDsp(core);
  recording_ = false;
  tap_.SetRecording(false);
}

void StreamRecorder::WatchTap(RadioCore& core, audio::ChannelState outputState) {
  if (!recording_ || dsp_ == 0) return;
  if (tap_.LimitReached()) {
    StopWith(core, messages::kStoppedAtSizeLimit);
  } else if (tap_.WriteFailed()) {
    StopWith(core, messages::kStoppedOnWriteError);
  } else if (outputState == audio::ChannelState::Stopped) {
    // Nothing more comes: what was recorded is offered at once.
    FinishRecording(core);
  }
}

void StreamRecorder::ShowTimeLeft(RadioCore& core) {
  // A tick while the stop's messages show finds the hook gone already.
  if (dsp_ == 0) return;
  const std::optional<std::uint64_t> free = freeSpace_->FreeBytes(folderPath_);
  const std::int64_t bytesPerSecond = library_.ChannelSeconds2Bytes(tappedOutput_, 1.0);
  if (free && bytesPerSecond > 0) {
    const std::string left = HoursAndMinutes(*free / static_cast<std::uint64_t>(bytesPerSecond) / 60) + " (" +
                             FormatBytesMB(0, static_cast<std::int64_t>(*free)) + " MB)";
    const std::string label = messages::RecordingLeft(left);
    if (core.texts.labelTime != label) {
      core.texts.labelTime = label;
      core.ui.WindowTextsChanged();
    }
  }
  if (!free || *free < kLeastFreeRecordBytes) StopWith(core, messages::kStoppedDriveFull);
}

void StreamRecorder::StopWith(RadioCore& core, const std::string& warning) {
  StopRecordDsp(core);
  ShowMessageBox(core, MessageKind::Warning, warning);
  FinishRecording(core);
}

void StreamRecorder::SetCaption(RadioCore& core, const std::string& caption) {
  core.texts.recordCaption = caption;
  core.ui.WindowTextsChanged();
}

void StreamRecorder::DeleteTemps() {
  if (folder_ >= 0) DeleteRecordTemps(folder_);
}

}  // namespace tarvo
