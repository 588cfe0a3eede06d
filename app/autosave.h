// Writes "Playlist.txt" and the settings a few seconds after they changed, so
// that a crash, a kill -9 or a lost X server costs at most those seconds.
// The first change starts the delay and later ones do not restart it, so a
// long scan or paste that changes the list all the time writes at most once
// per delay. Both files go through the same safe writing as at exit; a
// read-only file is left alone, a playlist that is unchanged since the last
// write is not written again, and a move or resize that leaves the window
// where it was saved writes nothing. Window thread.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstddef>
#include <optional>

#include "core.h"
#include "integration/saved_settings.h"
#include "settings/runtime_settings.h"
#include "settings/settings_store.h"

class QMainWindow;

class Autosave : public QObject {
  Q_OBJECT

 public:
  // Follows the window's moves and resizes for the bounds it saves.
  Autosave(tarvo::Core& core, QMainWindow& window);

  // The list (or its current entry) changed.
  void ListChanged();
  // A run-time setting may have changed: volume, play mode, view, bounds.
  void SettingsChanged();
  // The window's texts changed: a save is due only when a stored value
  // changed with them, not for the time label of every second of playing.
  void TextsChanged();
  // Writes both files now, as at exit.
  void SaveNow();
  // Takes the list as read at start as written, unless it changed already.
  // Called once the window is up: hashing a long list would delay its map.
  void RememberStartingList();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Schedule();
  void SaveDue();
  void SavePlaylist();
  void SaveSettings();
  bool WindowMoved() const;

  tarvo::Core& core_;
  QMainWindow& window_;
  QTimer timer_;
  bool listDue_ = false;
  bool settingsDue_ = false;
  bool windowDue_ = false;
  // Unknown until the starting list is remembered: a save writes meanwhile.
  std::optional<std::size_t> savedPlaylistHash_;
  // Where the window was when the settings were last read or written.
  tarvo::WindowBounds savedBounds_;
  bool savedMaximized_ = false;
  // The stored values when a save was last asked for by a texts change.
  tarvo::SavedRuntimeValues textsValues_;
};
