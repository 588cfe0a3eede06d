// Writes "Playlist.txt" and the settings a few seconds after they changed, so
// that a crash, a kill -9 or a lost X server costs at most those seconds.
// The first change starts the delay and later ones do not restart it, so a
// long scan or paste that changes the list all the time writes at most once
// per delay. Both files go through the same safe writing as at exit; a
// read-only file is left alone, and a playlist that is unchanged since the
// last write is not written again. Window thread.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstddef>

#include "core.h"
#include "integration/saved_settings.h"
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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Schedule();
  void SaveDue();
  void SavePlaylist();

  tarvo::Core& core_;
  QMainWindow& window_;
  QTimer timer_;
  bool listDue_ = false;
  bool settingsDue_ = false;
  std::size_t savedPlaylistHash_ = 0;
  // The stored values when a save was last asked for by a texts change.
  tarvo::SavedRuntimeValues textsValues_;
};
