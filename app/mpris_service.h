// The desktop's media controls over MPRIS 2.2: the service
// "org.mpris.MediaPlayer2.tarvo" on the session bus, object
// "/org/mpris/MediaPlayer2". Its commands go through the key dispatcher and
// the engine's operations (playback/media_controls.h); its properties are
// read from the core when asked, and PropertiesChanged is sent when a value
// the desktop shows has changed, compared once after each change the window
// shows (about once a second while playing, never on every tick). Window
// thread only.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

#include "core.h"
#include "playback/media_controls.h"

class MprisPlayerAdaptor;
class QtUi;
class TAppTarvo;

namespace tarvo {
class PlaybackEngine;
}

class MprisService : public QObject {
  Q_OBJECT

 public:
  // `requestExit` ends the program through its normal exit path.
  MprisService(tarvo::Core& core, tarvo::PlaybackEngine& engine, QtUi& ui, TAppTarvo& window,
               std::function<void()> requestExit);
  ~MprisService() override;

  // Offers the service. False, and nothing offered, without a session bus
  // or when another instance holds the name.
  bool Register();

  // org.mpris.MediaPlayer2.
  void Raise();
  // The normal end of the program, as "-quit" asks for it.
  void Quit();

  // org.mpris.MediaPlayer2.Player. Positions are in microseconds.
  void Next();
  void Previous();
  void Pause();
  void PlayPause();
  void Stop();
  void Play();
  void Seek(qlonglong offset);
  void SetPosition(const QString& trackId, qlonglong position);
  // False when the address is of a scheme the player can't open.
  bool OpenUri(const QString& uri);

  QString PlaybackStatus() const;
  QString LoopStatus() const;
  void SetLoopStatus(const QString& loopStatus);
  bool Shuffle() const;
  void SetShuffle(bool shuffle);
  QVariantMap Metadata() const;
  double Volume() const;
  void SetVolume(double volume);
  qlonglong Position() const;
  bool CanGoNext() const;
  bool CanGoPrevious() const;
  bool CanPlay() const;
  bool CanSeek() const;

 private:
  // What the desktop has been told, to compare with the core's state.
  struct Shown {
    tarvo::MediaStatus status = tarvo::MediaStatus::Stopped;
    int playMode = 0;
    int volume = 0;
    bool canGoNext = false;
    bool canGoPrevious = false;
    bool canPlay = false;
    bool canSeek = false;
    std::optional<tarvo::NowPlaying> now;
  };

  tarvo::MediaStatus Status() const;
  Shown TakeShown() const;
  void StateShown();
  void SendChanges();
  void SeekToMicroseconds(qlonglong position);
  void NoteSeeksInWindow(const Shown& now);
  void TakePositionMark();

  tarvo::Core& core_;
  tarvo::PlaybackEngine& engine_;
  QtUi& ui_;
  TAppTarvo& window_;
  const std::function<void()> requestExit_;
  MprisPlayerAdaptor* player_;
  bool registered_ = false;
  bool comparisonQueued_ = false;
  Shown shown_;
  // The position at the last comparison and when it was read, to tell a
  // seek made in the window (seek bar, keys, rewind) from playing on.
  qlonglong markPosition_ = 0;
  QElapsedTimer markTime_;
};
