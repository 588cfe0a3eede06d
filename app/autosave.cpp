#include "app/autosave.h"

#include <QEvent>
#include <QMainWindow>
#include <functional>
#include <string_view>
#include <utility>

#include "playlist/formats_write.h"
#include "playlist/model.h"
#include "settings/settings_store.h"

namespace {

// Long enough that a scan or a paste writes rarely, short enough that little
// is lost.
constexpr int kAutosaveDelayMs = 3000;

std::size_t HashOfEntries(const tarvo::PlaylistState& playlist) {
  std::size_t hash = std::hash<int>()(playlist.CurrentIndex);
  for (const std::string& entry : playlist.PlaylistEntries) {
    hash = hash * 1099511628211ULL ^ std::hash<std::string_view>()(entry);
  }
  return hash;
}

}  // namespace

Autosave::Autosave(tarvo::Core& core, QMainWindow& window)
    : QObject(&window), core_(core), window_(window), timer_(this) {
  timer_.setSingleShot(true);
  timer_.setInterval(kAutosaveDelayMs);
  connect(&timer_, &QTimer::timeout, this, [this] { SaveDue(); });
  // What the program read at start needs no write.
  savedBounds_ = core_.settings.bounds;
  savedMaximized_ = core_.settings.maximized;
  textsValues_ = tarvo::SavedRuntimeValuesOf(core_);
  window.installEventFilter(this);
}

void Autosave::ListChanged() {
  listDue_ = true;
  Schedule();
}

void Autosave::SettingsChanged() {
  settingsDue_ = true;
  Schedule();
}

void Autosave::RememberStartingList() {
  if (!listDue_) savedPlaylistHash_ = HashOfEntries(core_.playlist);
}

void Autosave::TextsChanged() {
  tarvo::SavedRuntimeValues values = tarvo::SavedRuntimeValuesOf(core_);
  if (values == textsValues_) return;
  textsValues_ = std::move(values);
  SettingsChanged();
}

void Autosave::Schedule() {
  if (!timer_.isActive()) timer_.start();
}

void Autosave::SaveNow() {
  timer_.stop();
  listDue_ = settingsDue_ = windowDue_ = false;
  SavePlaylist();
  SaveSettings();
}

void Autosave::SaveDue() {
  // The settings follow the list: its current entry is stored as Track.
  if (listDue_) SavePlaylist();
  if (listDue_ || settingsDue_ || (windowDue_ && WindowMoved())) SaveSettings();
  listDue_ = settingsDue_ = windowDue_ = false;
}

void Autosave::SaveSettings() {
  savedBounds_ = core_.settings.bounds;
  savedMaximized_ = window_.isMaximized();
  tarvo::SaveSettings(core_, savedMaximized_);
}

// The window's first show sends a move and a resize too, to where it was.
bool Autosave::WindowMoved() const {
  return core_.settings.bounds != savedBounds_ || window_.isMaximized() != savedMaximized_;
}

void Autosave::SavePlaylist() {
  const std::size_t hash = HashOfEntries(core_.playlist);
  if (savedPlaylistHash_ == hash) return;
  tarvo::SavePlaylistFile(core_, tarvo::PlaylistAutosaveFile(core_), tarvo::SaveFormat::Text);
  savedPlaylistHash_ = hash;
}

bool Autosave::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowStateChange) {
      windowDue_ = true;
      Schedule();
    }
  }
  return QObject::eventFilter(watched, event);
}
