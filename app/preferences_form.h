// TPreferences_Form: the preferences dialog (F6). A tree of six pages on the
// left, the selected page's group box on the right. Almost every control
// writes its setting to "Tarvo.ini" the moment it changes; closing undoes
// nothing. The dialog is created on first use and kept; each opening fills
// the controls from the settings again. The global hotkeys page is made by
// the hotkeys' own PreferencesHotkeys. Window thread.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "core.h"

class PreferencesHotkeys;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// "-oo dB" for a level of 0 or below; otherwise the level's decibels below
// full scale (1000) to one decimal, with ",0" after a whole number.
QString LevelToDbText(int level);

class TPreferences_Form : public QDialog {
  Q_OBJECT

 public:
  enum Page : int { SetupPage = 0, MediaPage, DisplayPage, HotkeysPage, RecordPage, DevicePage, PageCount };

  // `resetSystemMixer` unmutes and maximises the system's output (may be
  // empty).
  TPreferences_Form(tarvo::Core& core, PreferencesHotkeys& hotkeys, std::function<void()> resetSystemMixer,
                    QWidget* parent);

  QTreeWidget* TreeView1() const { return treeView1_; }
  QGroupBox* Group(int page) const { return groups_[static_cast<std::size_t>(page)]; }
  QCheckBox* AssociationBox(int index) const { return associationBoxes_[static_cast<std::size_t>(index)]; }
  QRadioButton* RadioEnqueue(int option) const { return radioEnqueue_[static_cast<std::size_t>(option)]; }
  QCheckBox* CheckBoxUpdate() const { return checkBoxUpdate_; }
  QCheckBox* CheckMI() const { return checkMI_; }
  QListWidget* ListMusicFolders() const { return listMusicFolders_; }
  QPushButton* AddMusicFolderButton() const { return addMusicFolder_; }
  QPushButton* DeleteMusicFolderButton() const { return deleteMusicFolder_; }
  QRadioButton* RadioSort1() const { return radioSort1_; }
  QRadioButton* RadioSort2() const { return radioSort2_; }
  QRadioButton* RadioLed(int style) const { return radioLed_[static_cast<std::size_t>(style)]; }
  QLineEdit* Edit2() const { return edit2_; }
  QPushButton* Button10() const { return button10_; }
  QCheckBox* CheckBox6() const { return checkBox6_; }
  QLineEdit* Edit3() const { return edit3_; }
  QComboBox* ComboDevice() const { return comboDevice_; }
  QComboBox* ComboReplayGain() const { return comboReplayGain_; }
  QPushButton* Button6() const { return button6_; }
  QLabel* BufferLabel() const { return bufferLabel_; }
  QLabel* OutputLevelLabel() const { return outputLevelLabel_; }
  QPushButton* CloseButton() const { return closeButton_; }

 protected:
  void showEvent(QShowEvent* event) override;
  // The close button, Esc and the window's close box all end here.
  void done(int result) override;

 private:
  QGroupBox* MakeGroup(Page page, const QString& caption);
  void BuildTree();
  void BuildSetupPage();
  void BuildMediaPage();
  void BuildDisplayPage();
  void BuildHotkeysPage(PreferencesHotkeys& hotkeys);
  void BuildRecordPage();
  void BuildDevicePage();

  void FillControls();
  void FillDeviceList();
  void ShowPage(int page);
  int SelectedPage() const;

  void AssociationToggled(int index, bool checked);
  void AutoUpdateToggled(bool checked);
  void AddMusicFolder();
  void DeleteMusicFolder();
  void CommitMusicFolders();
  void ChooseRecordFolder();
  void CacheSecondsEdited(const QString& text);
  void DeviceChosen(int index);
  void ReplayGainChosen(int index);
  void ResetMixerClicked();

  tarvo::Core& core_;
  PreferencesHotkeys& hotkeys_;
  std::function<void()> resetSystemMixer_;
  // Set while the controls are filled on show: their changes then do nothing.
  bool filling_ = false;

  QTreeWidget* treeView1_ = nullptr;
  std::array<QGroupBox*, PageCount> groups_{};
  std::array<QCheckBox*, 5> associationBoxes_{};
  std::array<QRadioButton*, 3> radioEnqueue_{};
  QCheckBox* checkBoxUpdate_ = nullptr;
  QCheckBox* checkMI_ = nullptr;
  QListWidget* listMusicFolders_ = nullptr;
  QPushButton* addMusicFolder_ = nullptr;
  QPushButton* deleteMusicFolder_ = nullptr;
  QRadioButton* radioSort1_ = nullptr;
  QRadioButton* radioSort2_ = nullptr;
  std::array<QRadioButton*, 3> radioLed_{};
  QLineEdit* edit2_ = nullptr;
  QPushButton* button10_ = nullptr;
  QCheckBox* checkBox6_ = nullptr;
  QLineEdit* edit3_ = nullptr;
  QComboBox* comboDevice_ = nullptr;
  QComboBox* comboReplayGain_ = nullptr;
  QPushButton* button6_ = nullptr;
  QLabel* bufferLabel_ = nullptr;
  QLabel* outputLevelLabel_ = nullptr;
  QPushButton* closeButton_ = nullptr;
};
