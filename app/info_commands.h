// The commands of the file information and help windows: FileInfoAc,
// PropertiesAc, the tools menu's renamer item, ShortcutsAc, DocAc and
// AboutAc. Each window is created on first use and kept.
#pragma once

#include <QObject>

#include "core.h"

class TAbout_Form;
class TAppTarvo;
class TFileInfo_Form;
class TReplaceFilenames_Form;
class TextWindowHost;

class InfoCommands : public QObject {
  Q_OBJECT

 public:
  // Connects the commands of `window`'s command table; a child of `window`.
  InfoCommands(tarvo::Core& core, TAppTarvo& window);

  void FileInfoAc();
  TextWindowHost& TextWindow() const { return *textWindow_; }
  TFileInfo_Form* FileInfoForm() const { return fileInfoForm_; }
  TReplaceFilenames_Form* RenamerForm() const { return renamerForm_; }
  TAbout_Form* AboutForm() const { return aboutForm_; }

 private:
  void AboutAc();

  tarvo::Core& core_;
  TAppTarvo& window_;
  TextWindowHost* textWindow_;
  // Children of the main window, kept until exit.
  TFileInfo_Form* fileInfoForm_ = nullptr;
  TReplaceFilenames_Form* renamerForm_ = nullptr;
  TAbout_Form* aboutForm_ = nullptr;
};
