#include "app/favorites_menu.h"

#include <QAction>
#include <QMenu>

#include "integration/favorites.h"

namespace {

// Add, organise and the separator stay.
constexpr qsizetype kFixedItems = 3;
constexpr int kItemsWithShortcut = 9;

// A favourite's name as it stands: an "&" is shown, not made an accelerator.
QString ItemCaption(const std::string& name) {
  return QString::fromStdString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

FavoritesMenu::FavoritesMenu(tarvo::Core& core, QMenu& menu) : QObject(&menu), core_(core), menu_(menu) {
  // KDE's desktop adds accelerators to menus that lack them; names of
  // favourites get none.
  menu_.setProperty("_kde_no_accel", true);
}

void FavoritesMenu::Rebuild() {
  // Deleting an item takes it out of the menu.
  const QList<QAction*> items = menu_.actions();
  for (qsizetype i = kFixedItems; i < items.size(); ++i) delete items[i];
  const std::vector<std::string> favorites = tarvo::CollectFavorites(core_);
  for (std::size_t i = 0; i < favorites.size(); ++i) {
    QAction* item = menu_.addAction(ItemCaption(tarvo::FavoriteName(favorites[i])));
    if (i < kItemsWithShortcut) item->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + static_cast<int>(i))));
    connect(item, &QAction::triggered, this, [this, i] { tarvo::OpenFavorite(core_, i); });
  }
}
