#include "app/mpris_adaptors.h"

#include <QDBusConnection>
#include <QDBusError>

#include "app/mpris_service.h"

MprisRootAdaptor::MprisRootAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), service_(service) {}

QString MprisRootAdaptor::Identity() const { return QStringLiteral("Tarvo"); }

QString MprisRootAdaptor::DesktopEntry() const { return QStringLiteral("tarvo"); }

QStringList MprisRootAdaptor::SupportedUriSchemes() const {
  return {QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https")};
}

// The audio files and the playlists that OpenUri can load.
QStringList MprisRootAdaptor::SupportedMimeTypes() const {
  return {QStringLiteral("audio/mpeg"),    QStringLiteral("audio/x-wav"),        QStringLiteral("audio/wav"),
          QStringLiteral("audio/ogg"),     QStringLiteral("audio/x-vorbis+ogg"), QStringLiteral("audio/flac"),
          QStringLiteral("audio/x-flac"),  QStringLiteral("audio/x-opus+ogg"),   QStringLiteral("audio/mp4"),
          QStringLiteral("audio/x-m4a"),   QStringLiteral("audio/aac"),          QStringLiteral("audio/x-mpegurl"),
          QStringLiteral("audio/x-scpls")};
}

void MprisRootAdaptor::Raise() { service_->Raise(); }

void MprisRootAdaptor::Quit() { service_->Quit(); }

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), service_(service) {}

QString MprisPlayerAdaptor::PlaybackStatus() const { return service_->PlaybackStatus(); }

QString MprisPlayerAdaptor::LoopStatus() const { return service_->LoopStatus(); }

void MprisPlayerAdaptor::SetLoopStatus(const QString& loopStatus) { service_->SetLoopStatus(loopStatus); }

bool MprisPlayerAdaptor::Shuffle() const { return service_->Shuffle(); }

void MprisPlayerAdaptor::SetShuffle(bool shuffle) { service_->SetShuffle(shuffle); }

QVariantMap MprisPlayerAdaptor::Metadata() const { return service_->Metadata(); }

double MprisPlayerAdaptor::Volume() const { return service_->Volume(); }

void MprisPlayerAdaptor::SetVolume(double volume) { service_->SetVolume(volume); }

qlonglong MprisPlayerAdaptor::Position() const { return service_->Position(); }

bool MprisPlayerAdaptor::CanGoNext() const { return service_->CanGoNext(); }

bool MprisPlayerAdaptor::CanGoPrevious() const { return service_->CanGoPrevious(); }

bool MprisPlayerAdaptor::CanPlay() const { return service_->CanPlay(); }

bool MprisPlayerAdaptor::CanPause() const { return service_->CanPlay(); }

bool MprisPlayerAdaptor::CanSeek() const { return service_->CanSeek(); }

void MprisPlayerAdaptor::Next() { service_->Next(); }

void MprisPlayerAdaptor::Previous() { service_->Previous(); }

void MprisPlayerAdaptor::Pause() { service_->Pause(); }

void MprisPlayerAdaptor::PlayPause() { service_->PlayPause(); }

void MprisPlayerAdaptor::Stop() { service_->Stop(); }

void MprisPlayerAdaptor::Play() { service_->Play(); }

void MprisPlayerAdaptor::Seek(qlonglong Offset) { service_->Seek(Offset); }

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
  service_->SetPosition(TrackId.path(), Position);
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri) {
  if (!service_->OpenUri(Uri) && calledFromDBus()) {
    sendErrorReply(QDBusError::NotSupported, QStringLiteral("Tarvo opens file, http and https addresses only."));
  }
}
