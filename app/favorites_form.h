// TFavorites_Form: the organiser of favourites. Lists the favourites' names
// and renames, deletes, shows in the file manager and lists them afresh; the
// files themselves are handled by the core (settings/favorites.h). Opened
// modally, created on first use and kept. Window thread.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core.h"

class QAction;
class QLabel;
class QListWidget;

class TFavorites_Form : public QDialog {
  Q_OBJECT

 public:
  TFavorites_Form(tarvo::Core& core, QWidget* parent);

  QListWidget* ListBox1() const { return listBox1_; }
  QLabel* TipLabel() const { return tip_; }
  // The four commands: rename, delete, explore and refresh.
  QAction* Action(int number) const { return actions_.at(static_cast<std::size_t>(number - 1)); }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QAction* AddAction(const QString& caption, const QKeySequence& shortcut, void (TFavorites_Form::*run)());
  void BuildLayout(const std::vector<QAction*>& buttonActions);
  // Collects the favourites afresh and shows their names; keeps the paths
  // for the commands until the next fill.
  void Fill();
  void FillAndSelect(int row);

  void Rename();
  void Delete();
  void Explore();
  void Refresh();

  tarvo::Core& core_;
  std::vector<std::string> favorites_;
  QListWidget* listBox1_;
  QLabel* tip_;
  std::vector<QAction*> actions_;
};
