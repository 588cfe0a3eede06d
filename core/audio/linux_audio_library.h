// The audio layer built on libmpg123, libvorbisfile, libsndfile and the
// outputs chosen by TARVO_AUDIO_OUTPUT (see output_choice.h).
//
// Lock order: the registry lock (mutex_) is taken alone and only briefly;
// channel operations run after it is released, on shared ownership of the
// channel, so a channel freed meanwhile finishes the call safely.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

#include "audio/audio_library.h"
#include "audio/decoder_channel.h"
#include "audio/output_choice.h"
#include "audio/output_stream.h"

namespace tarvo::audio {

class LinuxAudioLibrary final : public AudioLibrary {
 public:
  explicit LinuxAudioLibrary(OutputChoice choice = OutputChoiceFromEnvironment());
  // Frees every channel and the device.
  ~LinuxAudioLibrary() override;
  LinuxAudioLibrary(const LinuxAudioLibrary&) = delete;
  LinuxAudioLibrary& operator=(const LinuxAudioLibrary&) = delete;

  int GetVersion() const override { return 2; }
  int ErrorGetCode() const override;
  bool Init(int device) override;
  bool Free() override;
  std::optional<std::string> GetDeviceDescription(int device) override;
  bool SetConfig(ConfigOption option, int value) override;

  AudioHandle StreamCreateFile(const std::string& path) override;
  AudioHandle StreamCreateURL(const std::string& url, std::uint32_t flags, OpenCancel* cancel = nullptr) override;
  std::optional<std::string> StreamGetTags(AudioHandle channel, TagKind kind) override;
  AudioHandle StreamCreate(int rate, int channels, StreamProcedure procedure) override;
  void StreamFree(AudioHandle channel) override;
  std::int64_t StreamGetLength(AudioHandle channel) override;
  std::int64_t StreamGetFilePosition(AudioHandle channel, FilePositionMode mode) override;

  bool StreamPlay(AudioHandle channel) override;
  bool StreamPlayPaused(AudioHandle channel) override;
  bool ChannelStop(AudioHandle channel) override;
  bool ChannelPause(AudioHandle channel) override;
  bool ChannelResume(AudioHandle channel) override;
  ChannelState ChannelIsActive(AudioHandle channel) override;
  bool ChannelGetInfo(AudioHandle channel, ChannelInfo& info) override;
  std::uint32_t ChannelGetData(AudioHandle channel, void* buffer, std::uint32_t bytes) override;
  bool ChannelSetGain(AudioHandle channel, double factor) override;
  std::int64_t ChannelGetPosition(AudioHandle channel) override;
  bool ChannelSetPosition(AudioHandle channel, std::int64_t bytes) override;
  double ChannelBytes2Seconds(AudioHandle channel, std::int64_t bytes) override;
  std::int64_t ChannelSeconds2Bytes(AudioHandle channel, double seconds) override;

  bool ChannelSetAttributes(AudioHandle channel, int rate, int volume, int pan) override;
  bool ChannelGetAttributes(AudioHandle channel, ChannelAttributes& attributes) override;
  bool ChannelSlideAttributes(AudioHandle channel, int rate, int volume, int pan, int milliseconds) override;
  DspHandle ChannelSetDSP(AudioHandle channel, DspProcedure procedure, int priority) override;
  bool ChannelRemoveDSP(AudioHandle channel, DspHandle dsp) override;

 private:
  // One of the two is set.
  struct Entry {
    std::shared_ptr<DecoderChannel> decoder;
    std::shared_ptr<OutputStream> output;

    const PcmFormat& Format() const { return decoder ? decoder->Format() : output->Format(); }
  };

  // A copy of the channel's entry; nothing (and error Handle) when unknown.
  std::optional<Entry> Find(AudioHandle channel);
  // The output stream behind `channel`; nothing, with DecodeOnly for a
  // decoding channel or Handle for an unknown one.
  std::shared_ptr<OutputStream> FindOutput(AudioHandle channel);
  AudioHandle Register(Entry entry);
  AudioHandle NextHandleLocked();
  // Takes every channel and the device out, then ends them outside the lock.
  bool ReleaseAll();
  bool ApplyAttributes(AudioHandle channel, int rate, int volume, int pan, int milliseconds);

  const OutputChoice choice_;

  std::mutex mutex_;  // guards everything below
  std::unique_ptr<OutputDevice> device_;
  std::unordered_map<AudioHandle, Entry> channels_;
  AudioHandle nextHandle_ = 1;
  DspHandle nextDsp_ = 1;
  int bufferLengthMs_ = 3000;
  int updatePeriodMs_ = 100;
  int maxVolume_ = 1000;
};

}  // namespace tarvo::audio
