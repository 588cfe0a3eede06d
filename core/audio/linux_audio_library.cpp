#include "audio/linux_audio_library.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "audio/file_source.h"
#include "audio/hls_stream.h"
#include "audio/http_stream.h"
#include "audio/live_decoder.h"
#include "audio/network_source.h"

namespace tarvo::audio {

namespace {

// Like the errno of the C library: each thread sees the result of its own
// last call, so a connect thread can read the reason of its failed open.
thread_local AudioError lastError = AudioError::Ok;

template <typename T>
T Fail(AudioError error, T result) {
  lastError = error;
  return result;
}

template <typename T>
T Succeed(T result) {
  lastError = AudioError::Ok;
  return result;
}

constexpr double kKeep = std::numeric_limits<double>::quiet_NaN();

// The first bytes of a station's body, enough to tell a playlist from audio;
// fewer when the body is shorter, none when it failed.
std::string ReadStreamHead(HttpStream& stream) {
  constexpr std::size_t kHeadBytes = 16;
  std::string head(kHeadBytes, '\0');
  std::size_t filled = 0;
  while (filled < kHeadBytes) {
    const std::int64_t got = stream.Read(head.data() + filled, kHeadBytes - filled);
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  head.resize(filled);
  return head;
}

}  // namespace

LinuxAudioLibrary::LinuxAudioLibrary(OutputChoice choice) : choice_(std::move(choice)) {}

LinuxAudioLibrary::~LinuxAudioLibrary() { ReleaseAll(); }

int LinuxAudioLibrary::ErrorGetCode() const { return ErrorNumber(lastError); }

bool LinuxAudioLibrary::Init(int device) {
  {
    std::lock_guard lock(mutex_);
    if (device_) return Fail(AudioError::Already, false);
  }
  // Opening may wait for the server; channels stay usable meanwhile.
  AudioError error = AudioError::Ok;
  std::unique_ptr<OutputDevice> opened = OpenOutputDevice(choice_, device, error);
  if (!opened) return Fail(error, false);
  std::lock_guard lock(mutex_);
  if (device_) return Fail(AudioError::Already, false);
  device_ = std::move(opened);
  return Succeed(true);
}

bool LinuxAudioLibrary::Free() {
  if (!ReleaseAll()) return Fail(AudioError::Init, false);
  return Succeed(true);
}

bool LinuxAudioLibrary::ReleaseAll() {
  std::unique_ptr<OutputDevice> device;
  std::unordered_map<AudioHandle, Entry> channels;
  {
    std::lock_guard lock(mutex_);
    device = std::move(device_);
    channels.swap(channels_);
  }
  // Streams end before the device they play on.
  for (auto& [handle, entry] : channels) {
    if (entry.output) entry.output->Shutdown();
  }
  channels.clear();
  return device != nullptr;
}

std::optional<std::string> LinuxAudioLibrary::GetDeviceDescription(int device) {
  std::optional<std::string> description = OutputDeviceDescription(choice_, device);
  if (!description) return Fail(AudioError::Device, std::optional<std::string>());
  return Succeed(description);
}

bool LinuxAudioLibrary::SetConfig(ConfigOption option, int value) {
  std::lock_guard lock(mutex_);
  switch (option) {
    case ConfigOption::BufferLength:
      bufferLengthMs_ = std::clamp(value, 10, 5000);
      return Succeed(true);
    case ConfigOption::UpdatePeriod:
      updatePeriodMs_ = std::clamp(value, 5, 100);
      return Succeed(true);
    case ConfigOption::MaxVolume:
      maxVolume_ = std::clamp(value, 1, 10000);
      return Succeed(true);
  }
  return Fail(AudioError::IllegalParameter, false);
}

AudioHandle LinuxAudioLibrary::StreamCreateFile(const std::string& path) {
  AudioError error = AudioError::Ok;
  std::unique_ptr<FileSource> source = FileSource::Open(path, error);
  if (!source) return Fail(error, AudioHandle{0});
  std::unique_ptr<Decoder> decoder = OpenDecoder(std::move(source), error);
  if (!decoder) return Fail(error, AudioHandle{0});
  return Succeed(Register(Entry{std::make_shared<DecoderChannel>(std::move(decoder)), nullptr}));
}

AudioHandle LinuxAudioLibrary::StreamCreateURL(const std::string& url, std::uint32_t flags, OpenCancel* cancel) {
  AudioError error = AudioError::Ok;
  HttpStream::Options options;
  options.icyMetadata = (flags & kFlagStreamMetadata) != 0;
  // Telling the format reads from the network too: the open stays
  // cancellable until the decoder is made.
  struct Unwatch {
    OpenCancel* cancel;
    ~Unwatch() {
      if (cancel) cancel->Unwatch();
    }
  } unwatch{cancel};
  std::shared_ptr<HttpStream> answer = HttpStream::Open(url, options, error, cancel);
  if (!answer) return Fail(error, AudioHandle{0});
  // An HLS playlist instead of audio: its segments are the station.
  std::shared_ptr<LiveStream> stream = answer;
  std::string head = ReadStreamHead(*answer);
  if (HlsStream::MayBePlaylist(head)) {
    stream = HlsStream::Open(url, answer, std::move(head), error, cancel);
    head.clear();
    if (!stream) return Fail(error, AudioHandle{0});
  }
  std::unique_ptr<Decoder> decoder = OpenDecoder(std::make_unique<NetworkSource>(stream, std::move(head)), error);
  if (cancel && cancel->Cancelled()) return Fail(AudioError::FileOpen, AudioHandle{0});
  if (!decoder) {
    // A server that stalled before the format was told timed out; one that
    // ended the connection before any audio came would not serve us;
    // content that is no audio is a format we can't play.
    if (stream->EndError() == AudioError::Timeout) return Fail(AudioError::Timeout, AudioHandle{0});
    return Fail(error == AudioError::FileOpen || error == AudioError::NotFile ? AudioError::FileFormat : error,
                AudioHandle{0});
  }
  auto live = std::make_unique<LiveDecoder>(std::move(decoder), std::move(stream));
  return Succeed(Register(Entry{std::make_shared<DecoderChannel>(std::move(live)), nullptr}));
}

std::optional<std::string> LinuxAudioLibrary::StreamGetTags(AudioHandle channel, TagKind kind) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return std::nullopt;
  if (!entry->decoder) return Fail(AudioError::NotAvailable, std::optional<std::string>());
  std::optional<std::string> tags = entry->decoder->Tags(kind);
  if (!tags) return Fail(AudioError::NotAvailable, std::optional<std::string>());
  return Succeed(std::move(tags));
}

AudioHandle LinuxAudioLibrary::StreamCreate(int rate, int channels, StreamProcedure procedure) {
  const PcmFormat format{rate, channels};
  std::lock_guard lock(mutex_);
  if (!device_) return Fail(AudioError::Init, AudioHandle{0});
  if (!procedure) return Fail(AudioError::IllegalParameter, AudioHandle{0});
  if (rate < kMinSampleRate || rate > kMaxSampleRate) return Fail(AudioError::SampleRate, AudioHandle{0});
  if (!device_->Supports(format)) return Fail(AudioError::SampleFormat, AudioHandle{0});
  const AudioHandle handle = NextHandleLocked();
  const OutputStream::Settings settings{std::chrono::milliseconds(bufferLengthMs_),
                                        std::chrono::milliseconds(updatePeriodMs_)};
  channels_[handle].output =
      std::make_shared<OutputStream>(handle, format, *device_, std::move(procedure), settings);
  return Succeed(handle);
}

void LinuxAudioLibrary::StreamFree(AudioHandle channel) {
  Entry entry;
  {
    std::lock_guard lock(mutex_);
    const auto found = channels_.find(channel);
    if (found == channels_.end()) {
      lastError = AudioError::Ok;
      return;
    }
    entry = std::move(found->second);
    channels_.erase(found);
  }
  if (entry.output) entry.output->Shutdown();
  lastError = AudioError::Ok;
}

std::int64_t LinuxAudioLibrary::StreamGetLength(AudioHandle channel) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return 0;
  if (!entry->decoder) return Fail(AudioError::NotAvailable, std::int64_t{0});
  const std::int64_t length = entry->decoder->LengthBytes();
  if (length <= 0) return Fail(AudioError::NotAvailable, std::int64_t{0});
  return Succeed(length);
}

std::int64_t LinuxAudioLibrary::StreamGetFilePosition(AudioHandle channel, FilePositionMode mode) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return -1;
  if (!entry->decoder) return Fail(AudioError::NotFile, std::int64_t{-1});
  const std::int64_t position = entry->decoder->FilePosition(mode);
  if (position < 0) return Fail(AudioError::NotAvailable, std::int64_t{-1});
  return Succeed(position);
}

bool LinuxAudioLibrary::StreamPlay(AudioHandle channel) {
  const std::shared_ptr<OutputStream> output = FindOutput(channel);
  if (!output) return false;
  AudioError error = AudioError::Ok;
  if (!output->Play(error)) return Fail(error, false);
  return Succeed(true);
}

bool LinuxAudioLibrary::StreamPlayPaused(AudioHandle channel) {
  const std::shared_ptr<OutputStream> output = FindOutput(channel);
  if (!output) return false;
  AudioError error = AudioError::Ok;
  if (!output->StartPaused(error)) return Fail(error, false);
  return Succeed(true);
}

bool LinuxAudioLibrary::ChannelStop(AudioHandle channel) {
  const std::shared_ptr<OutputStream> output = FindOutput(channel);
  if (!output) return false;
  output->Stop();
  return Succeed(true);
}

bool LinuxAudioLibrary::ChannelPause(AudioHandle channel) {
  const std::shared_ptr<OutputStream> output = FindOutput(channel);
  if (!output) return false;
  if (!output->Pause()) return Fail(AudioError::NotPlaying, false);
  return Succeed(true);
}

bool LinuxAudioLibrary::ChannelResume(AudioHandle channel) {
  const std::shared_ptr<OutputStream> output = FindOutput(channel);
  if (!output) return false;
  if (!output->Resume()) return Fail(AudioError::NotPlaying, false);
  return Succeed(true);
}

ChannelState LinuxAudioLibrary::ChannelIsActive(AudioHandle channel) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return ChannelState::Stopped;
  if (entry->decoder) {
    return Succeed(entry->decoder->Active() ? ChannelState::Playing : ChannelState::Stopped);
  }
  return Succeed(entry->output->State());
}

bool LinuxAudioLibrary::ChannelGetInfo(AudioHandle channel, ChannelInfo& info) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return false;
  const PcmFormat& format = entry->Format();
  info.rate = static_cast<std::uint32_t>(format.rate);
  info.channels = static_cast<std::uint32_t>(format.channels);
  info.flags = 0;
  if (entry->decoder) info.flags = kFlagDecodeOnly | (entry->decoder->EightBitSource() ? kFlag8Bit : 0);
  return Succeed(true);
}

std::uint32_t LinuxAudioLibrary::ChannelGetData(AudioHandle channel, void* buffer, std::uint32_t bytes) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return kDataError;
  if (entry->decoder) {
    const std::int64_t got = entry->decoder->Read(buffer, bytes);
    if (got < 0) return Fail(AudioError::Unknown, kDataError);
    return Succeed(static_cast<std::uint32_t>(got));
  }
  const std::int64_t got = entry->output->PeekHeard(buffer, bytes);
  if (got < 0) return Fail(AudioError::NotPlaying, kDataError);
  return Succeed(static_cast<std::uint32_t>(got));
}

bool LinuxAudioLibrary::ChannelSetGain(AudioHandle channel, double factor) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return false;
  if (!entry->decoder) return Fail(AudioError::NotFile, false);
  if (!(factor > 0.0) || !std::isfinite(factor)) return Fail(AudioError::IllegalParameter, false);
  entry->decoder->SetGain(factor);
  return Succeed(true);
}

std::int64_t LinuxAudioLibrary::ChannelGetPosition(AudioHandle channel) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return -1;
  if (entry->decoder) return Succeed(entry->decoder->Position());
  return Succeed(static_cast<std::int64_t>(entry->output->Position()));
}

bool LinuxAudioLibrary::ChannelSetPosition(AudioHandle channel, std::int64_t bytes) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return false;
  if (!entry->decoder) return Fail(AudioError::NotFile, false);
  const AudioError error = entry->decoder->SetPosition(bytes);
  if (error != AudioError::Ok) return Fail(error, false);
  return Succeed(true);
}

double LinuxAudioLibrary::ChannelBytes2Seconds(AudioHandle channel, std::int64_t bytes) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return -1.0;
  const PcmFormat& format = entry->Format();
  const std::int64_t frames = bytes / format.FrameBytes();
  return Succeed(static_cast<double>(frames) / format.rate);
}

std::int64_t LinuxAudioLibrary::ChannelSeconds2Bytes(AudioHandle channel, double seconds) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return -1;
  if (!(seconds > 0.0)) return Succeed(std::int64_t{0});
  const PcmFormat& format = entry->Format();
  // The small addition keeps 0.29 s at 100 Hz from becoming 28 frames.
  const auto frames = static_cast<std::int64_t>(std::floor(seconds * format.rate + 1e-6));
  return Succeed(frames * format.FrameBytes());
}

bool LinuxAudioLibrary::ChannelSetAttributes(AudioHandle channel, int rate, int volume, int pan) {
  return ApplyAttributes(channel, rate, volume, pan, 0);
}

bool LinuxAudioLibrary::ChannelSlideAttributes(AudioHandle channel, int rate, int volume, int pan,
                                               int milliseconds) {
  return ApplyAttributes(channel, rate, volume, pan, milliseconds);
}

bool LinuxAudioLibrary::ApplyAttributes(AudioHandle channel, int rate, int volume, int pan,
                                        int milliseconds) {
  const std::shared_ptr<OutputStream> output = FindOutput(channel);
  if (!output) return false;
  if (rate != -1 && rate != 0 && rate != output->Format().rate) {
    return Fail(AudioError::IllegalParameter, false);
  }
  int maxVolume = 0;
  {
    std::lock_guard lock(mutex_);
    maxVolume = maxVolume_;
  }
  const double gain = volume == -1 ? kKeep : static_cast<double>(std::clamp(volume, 0, maxVolume)) / maxVolume;
  const double balance = pan == -101 ? kKeep : static_cast<double>(std::clamp(pan, -100, 100)) / 100.0;
  if (milliseconds > 0) {
    output->SlideGain(gain, balance, std::chrono::milliseconds(milliseconds));
  } else {
    output->SetGain(gain, balance);
  }
  return Succeed(true);
}

bool LinuxAudioLibrary::ChannelGetAttributes(AudioHandle channel, ChannelAttributes& attributes) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return false;
  int maxVolume = 0;
  {
    std::lock_guard lock(mutex_);
    maxVolume = maxVolume_;
  }
  attributes.rate = entry->Format().rate;
  attributes.volume = entry->output ? static_cast<int>(std::lround(entry->output->Volume() * maxVolume)) : maxVolume;
  attributes.pan = entry->output ? static_cast<int>(std::lround(entry->output->Pan() * 100.0)) : 0;
  return Succeed(true);
}

DspHandle LinuxAudioLibrary::ChannelSetDSP(AudioHandle channel, DspProcedure procedure, int priority) {
  const std::shared_ptr<OutputStream> output = FindOutput(channel);
  if (!output) return 0;
  if (!procedure) return Fail(AudioError::IllegalParameter, DspHandle{0});
  DspHandle dsp = 0;
  {
    std::lock_guard lock(mutex_);
    dsp = nextDsp_++;
    if (nextDsp_ == 0) nextDsp_ = 1;
  }
  output->AddDsp(dsp, std::move(procedure), priority);
  return Succeed(dsp);
}

bool LinuxAudioLibrary::ChannelRemoveDSP(AudioHandle channel, DspHandle dsp) {
  const std::shared_ptr<OutputStream> output = FindOutput(channel);
  if (!output) return false;
  if (!output->RemoveDsp(dsp)) return Fail(AudioError::Handle, false);
  return Succeed(true);
}

std::optional<LinuxAudioLibrary::Entry> LinuxAudioLibrary::Find(AudioHandle channel) {
  std::lock_guard lock(mutex_);
  const auto found = channels_.find(channel);
  if (found == channels_.end()) return Fail(AudioError::Handle, std::optional<Entry>());
  return found->second;
}

std::shared_ptr<OutputStream> LinuxAudioLibrary::FindOutput(AudioHandle channel) {
  const std::optional<Entry> entry = Find(channel);
  if (!entry) return nullptr;
  if (!entry->output) return Fail(AudioError::DecodeOnly, std::shared_ptr<OutputStream>());
  return entry->output;
}

AudioHandle LinuxAudioLibrary::Register(Entry entry) {
  std::lock_guard lock(mutex_);
  const AudioHandle handle = NextHandleLocked();
  channels_[handle] = std::move(entry);
  return handle;
}

AudioHandle LinuxAudioLibrary::NextHandleLocked() {
  AudioHandle handle = 0;
  while (handle == 0 || channels_.count(handle) != 0) handle = nextHandle_++;
  return handle;
}

}  // namespace tarvo::audio
