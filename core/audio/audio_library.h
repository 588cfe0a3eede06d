// The audio layer as the engine sees it: devices, decoding channels on files,
// user output streams, and their positions, data, attributes and DSP hooks.
//
// Every method may be called from any thread: the window thread, a stream's
// audio thread (from inside a stream procedure, except where noted) or a
// connect thread. Unless noted a method does not block beyond brief locks.
// After a failure ErrorGetCode gives the reason on the calling thread; after
// a success it gives 0. Freeing 0 or a freed handle is harmless.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "audio/audio_error.h"
#include "audio/audio_types.h"
#include "audio/open_cancel.h"

namespace tarvo::audio {

class AudioLibrary {
 public:
  virtual ~AudioLibrary() = default;

  // 2: the interface version this layer keeps.
  virtual int GetVersion() const = 0;
  // The code of the last failure on this thread (AudioError numbers), 0 after
  // a success.
  virtual int ErrorGetCode() const = 0;

  // Window thread; blocks until the sound server answers (a few seconds at
  // most). Opens output device `device` (1 the default output, 2, 3, ... the
  // server's outputs). False with Already when a device is open, Device when
  // there is no such device, Driver when the output can't be reached.
  virtual bool Init(int device) = 0;
  // Window thread; waits for every stream's audio thread to stop. Frees all
  // channels and closes the device. False with Init when none was open.
  virtual bool Free() = 0;
  // Window thread; may block like Init. The description of device
  // `device`; nothing past the last device. Works without an open device.
  virtual std::optional<std::string> GetDeviceDescription(int device) = 0;
  // Values outside an option's range are clamped. False with
  // IllegalParameter for an unknown option.
  virtual bool SetConfig(ConfigOption option, int value) = 0;

  // A decoding channel on the file at `path`, read by ChannelGetData; works
  // without an open device. Reads the whole file once to know its exact
  // length. 0 on failure: FileOpen, FileFormat, NotAudio, SampleRate,
  // SampleFormat or Unknown (see OpenDecoder).
  virtual AudioHandle StreamCreateFile(const std::string& path) = 0;
  // Blocks until the server answers and the first data is in (seconds at
  // most; a connect thread calls it). A decoding channel on the internet
  // stream at the http:// or https:// `url`, its format told by content as
  // for a file; `flags` kFlagStreamMetadata asks for ICY metadata. The
  // channel gives what has arrived, so an output on it stalls when the
  // network is slow; it is Stopped once the connection has ended and its
  // data is used up. 0 on failure: Timeout when the server did not answer
  // in time, FileFormat when it refused (an HTTP error) or sent no playable
  // audio, FileOpen when no connection could be made or `cancel` was
  // cancelled (which ends the open at once, from any thread).
  virtual AudioHandle StreamCreateURL(const std::string& url, std::uint32_t flags,
                                      OpenCancel* cancel = nullptr) = 0;
  // The texts of `kind` of an internet stream's channel (TagKind); nothing,
  // with NotAvailable, when it has none.
  virtual std::optional<std::string> StreamGetTags(AudioHandle channel, TagKind kind) = 0;
  // An output stream of 16-bit samples at `rate` with `channels`, filled by
  // `procedure` on its own audio thread once played. Its buffer holds the
  // buffer length configured now. 0 on failure: Init without a device,
  // SampleFormat or SampleRate when the device can't take the format.
  virtual AudioHandle StreamCreate(int rate, int channels, StreamProcedure procedure) = 0;
  // Frees a channel. For an output stream it waits until its audio thread
  // has left the stream procedure and the DSP hooks; never call it holding
  // a lock they take. From inside the stream's own procedure it returns at
  // once and the stream ends when the procedure returns.
  virtual void StreamFree(AudioHandle channel) = 0;
  // A decoding channel's exact length in bytes; 0 on failure or when unknown.
  virtual std::int64_t StreamGetLength(AudioHandle channel) = 0;
  // A decoding channel's source position (Decode), bytes received (Download),
  // size (End) or, for an internet stream, the bytes it gathers after running
  // dry before it plays on (Refill); -1 on failure (NotFile for an output
  // stream, NotAvailable for a size or refill a source does not have).
  virtual std::int64_t StreamGetFilePosition(AudioHandle channel, FilePositionMode mode) = 0;

  // Window thread; the first play of a stream may wait for the sound server.
  // Starts an output stream, or resumes it when paused. After a stop (or
  // after its end has been heard) it starts with an empty buffer and its
  // position counts from 0 again. False with DecodeOnly on a decoding
  // channel, Unknown when the device refuses the stream.
  virtual bool StreamPlay(AudioHandle channel) = 0;
  // As StreamPlay on a stopped output stream, but paused: the buffer fills
  // and nothing is heard until ChannelResume. A playing or paused stream is
  // left as it is.
  virtual bool StreamPlayPaused(AudioHandle channel) = 0;
  // Stops an output stream and drops its buffer; waits like StreamFree for a
  // running stream procedure call to return.
  virtual bool ChannelStop(AudioHandle channel) = 0;
  // False with NotPlaying when the stream is not playing.
  virtual bool ChannelPause(AudioHandle channel) = 0;
  // False with NotPlaying when the stream is not paused.
  virtual bool ChannelResume(AudioHandle channel) = 0;
  // Stopped also for a decoding channel past its last sample, a freed
  // channel and 0; decoding channels with data left are Playing. An output
  // stream is Stalled when its procedure gave nothing and all that was
  // buffered has been heard.
  virtual ChannelState ChannelIsActive(AudioHandle channel) = 0;
  virtual bool ChannelGetInfo(AudioHandle channel, ChannelInfo& info) = 0;
  // A decoding channel: reads and consumes up to `bytes` (whole frames);
  // 0 past the end. An output stream: copies the samples being heard now
  // without consuming them. kDataError on failure (NotPlaying for a stopped
  // stream, Unknown for a read error of the source).
  virtual std::uint32_t ChannelGetData(AudioHandle channel, void* buffer, std::uint32_t bytes) = 0;
  // Output stream: bytes heard since it was last started. Decoding channel:
  // bytes decoded. -1 on failure.
  virtual std::int64_t ChannelGetPosition(AudioHandle channel) = 0;
  // Decoding channels only, to the sample. False with Position beyond the
  // end, NotFile on an output stream or a source that can't seek.
  virtual bool ChannelSetPosition(AudioHandle channel, std::int64_t bytes) = 0;
  // Decoding channels only: every sample read from now on is multiplied by
  // `factor` (> 0; 1 leaves them as decoded), saturating at full scale. This
  // comes before any output's volume. False with IllegalParameter for
  // another factor, NotFile on an output stream.
  virtual bool ChannelSetGain(AudioHandle channel, double factor) = 0;
  // Conversions in the channel's format; bytes are whole frames, rounded
  // down. -1 on failure.
  virtual double ChannelBytes2Seconds(AudioHandle channel, std::int64_t bytes) = 0;
  virtual std::int64_t ChannelSeconds2Bytes(AudioHandle channel, double seconds) = 0;

  // Output streams. `rate` -1 or 0 keeps the rate (another rate fails with
  // IllegalParameter), `volume` 0..MaxVolume (-1 keeps it), `pan`
  // -100..100 (-101 keeps it); out-of-range values are clamped. A running
  // slide of a value that is set ends. DecodeOnly on a decoding channel.
  virtual bool ChannelSetAttributes(AudioHandle channel, int rate, int volume, int pan) = 0;
  // Any channel: its rate, and for an output stream the volume and pan now
  // (in the middle of a slide, the value reached).
  virtual bool ChannelGetAttributes(AudioHandle channel, ChannelAttributes& attributes) = 0;
  // Moves volume and pan linearly to the given values over `milliseconds`,
  // with the same "keep" values as ChannelSetAttributes.
  virtual bool ChannelSlideAttributes(AudioHandle channel, int rate, int volume, int pan,
                                      int milliseconds) = 0;
  // Output streams: `procedure` sees each block as it enters the buffer,
  // higher `priority` first. 0 on failure (DecodeOnly on a decoding channel).
  virtual DspHandle ChannelSetDSP(AudioHandle channel, DspProcedure procedure, int priority) = 0;
  // Waits for a running call of the hook to return; never call it from
  // inside a hook. False with Handle when the hook is not on the channel.
  virtual bool ChannelRemoveDSP(AudioHandle channel, DspHandle dsp) = 0;
};

}  // namespace tarvo::audio
