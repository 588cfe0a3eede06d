// TFind_Form: narrows the playlist down by typing and plays, queues or
// selects one of the matches. A thin view over the core's FindState
// (playlist/find.h): it shows the result rows, hands the search text and the
// keys to the core and closes after an action. FindWindowOpener opens it for
// FindAc and for letters and digits typed in the playlist. Window thread.
#pragma once

#include <QDialog>
#include <string>

#include "app/lazy_window.h"
#include "core.h"
#include "playlist/find.h"

class QAction;
class QKeyEvent;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class TAppTarvo;
class FindRowsModel;

class TFind_Form : public QDialog {
  Q_OBJECT

 public:
  TFind_Form(tarvo::Core& core, QWidget* parent);

  // Opens the window modally with `text` already typed; nothing happens when
  // the playlist has fewer than two entries.
  void ShowFind(const std::string& text);
  // ShowFind without showing: fills the result list for `text`, takes the
  // playlist's look and the size. False when the window is not to open.
  bool PrepareFind(const std::string& text);

  const tarvo::FindState& State() const { return find_; }
  QLineEdit* Edit1() const { return edit1_; }
  QListView* ListBox1() const { return listBox1_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Every way of closing empties the result list.
  void done(int result) override;

 private:
  QAction* AddAction(const char* name, const QString& caption, const QKeySequence& shortcut, void (TFind_Form::*run)());
  void TakeListLook();
  void PlaceCaret();
  void Filter(const QString& text);
  // Shows the core's selected row and scroll position in the result list.
  void ShowSelection();
  bool SearchFieldKey(const QKeyEvent& key);
  int WholeRowsShown() const;
  bool HasSelectedMatch() const;

  // The window's commands.
  void Play();
  void Queue();
  void Jump();
  void CycleViewStyle();

  tarvo::Core& core_;
  tarvo::FindState find_;
  QLineEdit* edit1_;
  QListView* listBox1_;
  FindRowsModel* rows_;
  QPushButton* button1_;
  QPushButton* button2_;
  QMenu* popup_;
  // Set while the window moves the result list's selection or scroll bar
  // itself, so that only the user's changes go back to the core.
  bool showingSelection_ = false;
  // Set from the show until the search field has the focus.
  bool caretPending_ = false;
};

// Opens the find window, created at its first use and kept: for FindAc, and
// when a letter or digit typed in the playlist left a find request in the
// core (the key dispatcher has handled the key by then).
class FindWindowOpener : public QObject {
  Q_OBJECT

 public:
  FindWindowOpener(tarvo::Core& core, TAppTarvo& window);

  void Open(const std::string& text);
  // Esc in the main window: closes the find window when it shows; true when
  // it did.
  bool CloseIfShown();
  TFind_Form* Form() const { return form_.IfMade(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void TakeFindRequest();

  tarvo::Core& core_;
  TAppTarvo& window_;
  LazyWindow<TFind_Form> form_;
};
