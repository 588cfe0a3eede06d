// The favourites part of the main menu: after the add and organise commands
// and a separator, one item per favourite in list order, the first nine with
// Ctrl+1 .. Ctrl+9. Rebuilt from the folder whenever favourites may have
// changed. Window thread.
#pragma once

#include <QObject>

#include "core.h"

class QMenu;

class FavoritesMenu : public QObject {
  Q_OBJECT

 public:
  // `menu` is the main menu's favourites menu, holding the two commands and
  // the separator.
  FavoritesMenu(tarvo::Core& core, QMenu& menu);

  // Collects the favourites afresh and replaces the items after the first
  // three with them.
  void Rebuild();

 private:
  tarvo::Core& core_;
  QMenu& menu_;
};
