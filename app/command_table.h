// The command table: every named command of the main window with its
// caption and shortcut. Menus, pop-up menus, the play bar and the tray menu
// all show these commands; a command's shortcut runs it before the playlist
// sees the key. A command whose feature this build does not have yet is
// present but disabled.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>

#include "app/command_id.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class CommandTable : public QObject {
  Q_OBJECT

 public:
  // Creates every command, disabled, with its caption and shortcut, owned
  // by (and with shortcuts active in) `window`.
  explicit CommandTable(QWidget* window);

  // Gives the command its effect and enables it.
  void Connect(CommandId id, std::function<void()> effect);
  QAction* Command(CommandId id) const;
  // The names of all commands, in table order.
  const QStringList& Names() const { return names_; }

  // The main menu, the list's pop-up menu.
  void BuildMainMenu(QMenuBar* bar) const;
  QMenu* BuildListPopup(QWidget* parent) const;

 private:
  std::array<QAction*, kCommandCount> commands_{};
  QStringList names_;
};
