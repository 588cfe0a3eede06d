#include "app/info_commands.h"

#include <QAction>
#include <QApplication>
#include <QScreen>

#include "app/about_form.h"
#include "app/command_table.h"
#include "app/file_info_form.h"
#include "app/info_form.h"
#include "app/main_window.h"
#include "app/radio_form.h"
#include "app/replace_filenames_form.h"
#include "help/documentation.h"
#include "help/help_texts.h"
#include "media/file_info.h"
#include "media/renamer.h"
#include "platform/program_data.h"

InfoCommands::InfoCommands(tarvo::Core& core, TAppTarvo& window)
    : QObject(&window), core_(core), window_(window), textWindow_(new TextWindowHost(&window)) {
  CommandTable& commands = window.Commands();
  commands.Connect(QStringLiteral("FileInfoAc"), [this] { FileInfoAc(); });
  commands.Connect(QStringLiteral("PropertiesAc"), [&core] { tarvo::PropertiesAc(core); });
  commands.Connect(QStringLiteral("ShortcutsAc"), [this] {
    textWindow_->ShowTextWindow("Additional functions", tarvo::ShortcutsWindowText(), "", false);
  });
  commands.Connect(QStringLiteral("DocAc"), [&core] { tarvo::DocAc(core, tarvo::ProgramDataFolder()); });
  commands.Connect(QStringLiteral("AboutAc"), [this] { AboutAc(); });
  // Clicked with several rows selected, the renamer item opens the renamer
  // as F2 does.
  if (auto* renamer = window.findChild<QAction*>(QStringLiteral("Multiplefilenamerenamer1"))) {
    renamer->setEnabled(true);
    connect(renamer, &QAction::triggered, this, [this] {
      if (tarvo::CheckRenamerSelection(core_)) FileInfoAc();
    });
  }
}

void InfoCommands::FileInfoAc() {
  textWindow_->Close();
  if (!fileInfoForm_) fileInfoForm_ = new TFileInfo_Form(core_, *textWindow_, &window_);
  if (!renamerForm_) renamerForm_ = new TReplaceFilenames_Form(core_, &window_);
  switch (tarvo::ChooseFileInfoWindow(core_)) {
    case tarvo::FileInfoWindow::None:
      break;
    case tarvo::FileInfoWindow::StreamEditor:
      EditStreamEntry(core_, &window_, core_.listView.focusedRow);
      break;
    case tarvo::FileInfoWindow::FileInformation:
      fileInfoForm_->ShowEntry(core_.listView.focusedRow);
      break;
    case tarvo::FileInfoWindow::Renamer:
      renamerForm_->ShowSelection();
      break;
  }
}

void InfoCommands::AboutAc() {
  if (!aboutForm_) aboutForm_ = new TAbout_Form(core_, *textWindow_, &window_);
  // Centred on the screen, not over the main window.
  const QRect screen = QApplication::primaryScreen()->geometry();
  aboutForm_->move(screen.center() - aboutForm_->rect().center());
  aboutForm_->exec();
}
