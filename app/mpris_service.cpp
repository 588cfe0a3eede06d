#include "app/mpris_service.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdlib>

#include "app/local_file_url.h"
#include "app/main_window.h"
#include "app/mpris_adaptors.h"
#include "app/qt_ui.h"
#include "playback/engine.h"
#include "playlist/entry.h"
#include "playlist/load_into_playlist.h"

namespace {

using tarvo::MediaStatus;

const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.tarvo");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
// How far the position may stray from the time played before it counts as
// a seek: more than a late comparison or a stalled output explains.
constexpr qlonglong kSeekToleranceMicroseconds = 1500000;

QString StatusText(MediaStatus status) {
  switch (status) {
    case MediaStatus::Playing:
      return QStringLiteral("Playing");
    case MediaStatus::Paused:
      return QStringLiteral("Paused");
    case MediaStatus::Stopped:
      break;
  }
  return QStringLiteral("Stopped");
}

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The Metadata property: the entry's fields under their xesam and mpris
// names; an artist, album, genre, track number or cover only when known.
QVariantMap MetadataMap(const std::optional<tarvo::NowPlaying>& now) {
  QVariantMap map;
  if (!now) {
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(kNoTrack)));
    return map;
  }
  map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(FromUtf8(now->trackId))));
  if (now->lengthMicroseconds > 0) map.insert(QStringLiteral("mpris:length"), qlonglong{now->lengthMicroseconds});
  map.insert(QStringLiteral("xesam:title"), FromUtf8(now->title));
  if (!now->artist.empty()) map.insert(QStringLiteral("xesam:artist"), QStringList{FromUtf8(now->artist)});
  if (!now->album.empty()) map.insert(QStringLiteral("xesam:album"), FromUtf8(now->album));
  if (!now->albumArtist.empty()) {
    map.insert(QStringLiteral("xesam:albumArtist"), QStringList{FromUtf8(now->albumArtist)});
  }
  if (!now->genre.empty()) map.insert(QStringLiteral("xesam:genre"), QStringList{FromUtf8(now->genre)});
  if (now->trackNumber > 0) map.insert(QStringLiteral("xesam:trackNumber"), now->trackNumber);
  if (!now->artPath.empty()) {
    map.insert(QStringLiteral("mpris:artUrl"),
               QUrl::fromLocalFile(FromUtf8(now->artPath)).toString(QUrl::FullyEncoded));
  }
  // A file's address is made from its bytes, which need not be UTF-8.
  map.insert(QStringLiteral("xesam:url"), now->isStream ? FromUtf8(now->location) : FileUrlOfPath(now->location));
  return map;
}

}  // namespace

MprisService::MprisService(tarvo::Core& core, tarvo::PlaybackEngine& engine, QtUi& ui, TAppTarvo& window,
                           std::function<void()> requestExit)
    : core_(core), engine_(engine), ui_(ui), window_(window), requestExit_(std::move(requestExit)) {
  new MprisRootAdaptor(this);
  player_ = new MprisPlayerAdaptor(this);
}

MprisService::~MprisService() {
  if (!registered_) return;
  ui_.OnStateShown(nullptr);
  QDBusConnection bus = QDBusConnection::sessionBus();
  bus.unregisterService(kServiceName);
  bus.unregisterObject(kObjectPath);
}

bool MprisService::Register() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  // The object is there before its name, so that a desktop that sees the
  // name appear finds the interfaces.
  if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) return false;
  // Without queueing: a second instance never takes the name over or waits
  // for it.
  if (!bus.registerService(kServiceName)) {
    bus.unregisterObject(kObjectPath);
    return false;
  }
  registered_ = true;
  shown_ = TakeShown();
  TakePositionMark();
  ui_.OnStateShown([this] { StateShown(); });
  return true;
}

// Many changes the window shows come in bursts (a new entry sets the
// caption, the length and the volume); they are compared once the command
// has run, when the state is whole again.
void MprisService::StateShown() {
  if (comparisonQueued_) return;
  comparisonQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    comparisonQueued_ = false;
    SendChanges();
  });
}

MediaStatus MprisService::Status() const {
  if (engine_.OutputStream() == 0) return MediaStatus::Stopped;
  return engine_.IsPaused() ? MediaStatus::Paused : MediaStatus::Playing;
}

MprisService::Shown MprisService::TakeShown() const {
  Shown shown;
  shown.status = Status();
  shown.playMode = core_.settings.playMode;
  shown.volume = core_.settings.volume;
  shown.canGoNext = CanGoNext();
  shown.canGoPrevious = CanGoPrevious();
  shown.canPlay = CanPlay();
  shown.canSeek = CanSeek();
  shown.now = tarvo::NowPlayingOf(core_);
  return shown;
}

void MprisService::SendChanges() {
  const Shown now = TakeShown();
  QVariantMap changed;
  if (now.status != shown_.status) changed.insert(QStringLiteral("PlaybackStatus"), StatusText(now.status));
  if (tarvo::LoopStatusOfMode(now.playMode) != tarvo::LoopStatusOfMode(shown_.playMode)) {
    changed.insert(QStringLiteral("LoopStatus"), LoopStatus());
  }
  if (tarvo::ShuffleOfMode(now.playMode) != tarvo::ShuffleOfMode(shown_.playMode)) {
    changed.insert(QStringLiteral("Shuffle"), Shuffle());
  }
  if (now.volume != shown_.volume) changed.insert(QStringLiteral("Volume"), Volume());
  if (now.canGoNext != shown_.canGoNext) changed.insert(QStringLiteral("CanGoNext"), now.canGoNext);
  if (now.canGoPrevious != shown_.canGoPrevious) changed.insert(QStringLiteral("CanGoPrevious"), now.canGoPrevious);
  if (now.canPlay != shown_.canPlay) {
    changed.insert(QStringLiteral("CanPlay"), now.canPlay);
    changed.insert(QStringLiteral("CanPause"), now.canPlay);
  }
  if (now.canSeek != shown_.canSeek) changed.insert(QStringLiteral("CanSeek"), now.canSeek);
  if (now.now != shown_.now) changed.insert(QStringLiteral("Metadata"), MetadataMap(now.now));
  NoteSeeksInWindow(now);
  shown_ = now;
  if (changed.isEmpty()) return;
  QDBusMessage signal =
      QDBusMessage::createSignal(kObjectPath, kPropertiesInterface, QStringLiteral("PropertiesChanged"));
  signal << kPlayerInterface << changed << QStringList();
  QDBusConnection::sessionBus().send(signal);
}

// Desktops that show the position move it on by themselves while playing
// and read it again after Seeked.
void MprisService::NoteSeeksInWindow(const Shown& now) {
  const qlonglong playedSince = shown_.status == MediaStatus::Playing ? markTime_.elapsed() * 1000 : 0;
  const qlonglong expected = markPosition_ + playedSince;
  TakePositionMark();
  const bool sameEntry = now.now == shown_.now && now.status != MediaStatus::Stopped &&
                         shown_.status != MediaStatus::Stopped;
  if (sameEntry && std::abs(markPosition_ - expected) > kSeekToleranceMicroseconds) {
    Q_EMIT player_->Seeked(markPosition_);
  }
}

void MprisService::TakePositionMark() {
  markPosition_ = Position();
  markTime_.start();
}

void MprisService::Raise() { window_.BringToFront(); }

void MprisService::Quit() { requestExit_(); }

void MprisService::Next() { tarvo::MediaNext(core_); }

void MprisService::Previous() { tarvo::MediaPrevious(core_); }

void MprisService::Pause() { tarvo::MediaPause(core_, Status()); }

void MprisService::PlayPause() { tarvo::MediaPlayPause(core_, Status()); }

void MprisService::Stop() { tarvo::MediaStop(core_); }

void MprisService::Play() { tarvo::MediaPlay(core_, Status()); }

// Past the end of the entry, a seek goes on to the next one; before its
// start, it starts it again.
void MprisService::Seek(qlonglong offset) {
  if (!CanSeek()) return;
  const qlonglong target = std::max<qlonglong>(Position() + offset, 0);
  if (target > core_.progress.max * 1000) {
    Next();
    return;
  }
  SeekToMicroseconds(target);
}

// Only for the entry being heard, and only within it.
void MprisService::SetPosition(const QString& trackId, qlonglong position) {
  const std::optional<tarvo::NowPlaying> now = tarvo::NowPlayingOf(core_);
  if (!CanSeek() || !now || trackId != FromUtf8(now->trackId)) return;
  if (position < 0 || position > core_.progress.max * 1000) return;
  SeekToMicroseconds(position);
}

void MprisService::SeekToMicroseconds(qlonglong position) {
  engine_.SeekToMs(position / 1000);
  TakePositionMark();
  Q_EMIT player_->Seeked(markPosition_);
}

// Loaded as a file handed over by a second start.
bool MprisService::OpenUri(const QString& uri) {
  const QUrl url(uri);
  const QString scheme = url.scheme().toLower();
  std::string path;
  if (scheme == QLatin1String("file")) {
    path = LocalPathOfUrl(url);
  } else if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
    path = uri.toStdString();
  } else {
    return false;
  }
  if (!path.empty()) tarvo::LoadIntoPlaylist(core_, path, tarvo::LoadMode::FromOtherInstance);
  return true;
}

QString MprisService::PlaybackStatus() const { return StatusText(Status()); }

QString MprisService::LoopStatus() const {
  const std::string_view loop = tarvo::LoopStatusOfMode(core_.settings.playMode);
  return QString::fromLatin1(loop.data(), static_cast<qsizetype>(loop.size()));
}

void MprisService::SetLoopStatus(const QString& loopStatus) { tarvo::SetLoopStatus(core_, loopStatus.toStdString()); }

bool MprisService::Shuffle() const { return tarvo::ShuffleOfMode(core_.settings.playMode); }

void MprisService::SetShuffle(bool shuffle) { tarvo::SetShuffle(core_, shuffle); }

QVariantMap MprisService::Metadata() const { return MetadataMap(tarvo::NowPlayingOf(core_)); }

double MprisService::Volume() const { return tarvo::MediaVolumeOf(core_.settings.volume); }

void MprisService::SetVolume(double volume) { tarvo::SetMediaVolume(core_, volume); }

qlonglong MprisService::Position() const {
  if (engine_.OutputStream() == 0) return 0;
  return engine_.ElapsedMs() * 1000;
}

bool MprisService::CanGoNext() const { return tarvo::CanGoNext(core_); }

bool MprisService::CanGoPrevious() const { return tarvo::CanGoPrevious(core_); }

bool MprisService::CanPlay() const { return !core_.playlist.PlaylistEntries.empty(); }

bool MprisService::CanSeek() const {
  return engine_.OutputStream() != 0 &&
         tarvo::EntryKindOf(core_.playlist.PlayingEntry) != tarvo::EntryKind::Stream;
}
