// The commands of the file information and help windows: FileInfoAc,
// PropertiesAc, the tools menu's renamer item, ShortcutsAc, DocAc and
// AboutAc. Each window is created on first use and kept.
#pragma once

#include <QObject>

#include "app/lazy_window.h"
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
  TFileInfo_Form* FileInfoForm() const;
  TReplaceFilenames_Form* RenamerForm() const;
  TAbout_Form* AboutForm() const;

 private:
  void AboutAc();

  tarvo::Core& core_;
  TAppTarvo& window_;
  TextWindowHost* textWindow_;
  // Children of the main window, kept until exit.
  LazyWindow<TFileInfo_Form> fileInfoForm_;
  LazyWindow<TReplaceFilenames_Form> renamerForm_;
  LazyWindow<TAbout_Form> aboutForm_;
};
