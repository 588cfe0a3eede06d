// TDir_Form: the folder browser behind "open a folder" (F4) and "add a
// folder" (F3). A lazily expanded folder tree that starts at all drives or at
// one of the music folders, remembers its root and the selected folder, and
// can add the selected folder to the playlist without closing. What the tree
// lists comes from the core (platform/folder_tree.h); what is done with the
// chosen folder too (playlist/folder_browser.h). Window thread only.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

namespace tarvo {
struct Core;
enum class FolderImage : int;
}  // namespace tarvo

class QAction;
class QCheckBox;
class QComboBox;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class TDir_Form : public QDialog {
  Q_OBJECT

 public:
  TDir_Form(tarvo::Core& core, QWidget* parent);

  // The browser of `window`, created on first use as its child and kept.
  static TDir_Form& Of(tarvo::Core& core, QWidget* window);
  // The browser of `window` when it was created already; else null.
  static TDir_Form* Existing(QWidget* window);

  // Shows the browser modally to open (`open`) or to add a folder; true when
  // the user chose a folder with OK.
  bool ShowModal(bool open);
  // The selected node's full path; empty when nothing is selected.
  std::string SelectedFolder() const;
  bool IncludeSubfolders() const;
  // The music folders changed in the preferences: new root list, new tree.
  void MusicFoldersChanged();

  // The window's commands.
  void Refresh();
  void OpenRootList();
  void ShowInFileManager();
  void QuickAdd();
  void ToggleMaximized();

  QTreeWidget* TreeView1() const { return treeView1_; }
  QComboBox* ComboBox1() const { return comboBox1_; }
  QCheckBox* CheckSubDirs() const { return checkSubDirs_; }
  QAction* QuickAc() const { return quickAc_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QAction* AddCommand(const QString& caption, const QKeySequence& key, void (TDir_Form::*effect)());
  void FillRootList();
  void Load();
  void BuildTree();
  void SelectPath(std::string path);
  void ExpandNode(QTreeWidgetItem* item);
  void RootChosen(int index);
  void SelectionChanged();
  void OkClicked();
  void ShowPopupMenu(const QPoint& position);
  // A folder node; a null `parent` makes a top node.
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& text, tarvo::FolderImage image);
  // A child that only makes the expand button appear until the node opens.
  static QTreeWidgetItem* AddPlaceholder(QTreeWidgetItem* parent, const char* text);
  std::string NodePath(const QTreeWidgetItem* item) const;
  bool AllDrivesShown() const;

  tarvo::Core& core_;
  QComboBox* comboBox1_ = nullptr;
  QTreeWidget* treeView1_ = nullptr;
  QCheckBox* checkSubDirs_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QMenu* popupMenu1_ = nullptr;
  QAction* quickAc_ = nullptr;
  // The root whose tree is shown, as the root list writes it.
  QString shownRoot_;
  // Keeps a refresh from running inside another one.
  bool busy_ = false;
  // Set by the first quick add of one showing; OK then closes as Cancel,
  // since the folder has been taken already.
  bool quickAdded_ = false;
  // Counts rebuilds of the tree, so that a listing that let events run
  // notices when its nodes were thrown away meanwhile.
  std::uint64_t treeGeneration_ = 0;
};

// The open-folder (`open`) and add-folder commands: shows the browser of
// `window` and opens or adds the chosen folder.
void OpenFolderDialog(tarvo::Core& core, QWidget* window, bool open);
