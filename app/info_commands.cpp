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
    : QObject(&window),
      core_(core),
      window_(window),
      textWindow_(new TextWindowHost(&window)),
      fileInfoForm_([this] { return new TFileInfo_Form(core_, *textWindow_, &window_); }),
      renamerForm_([this] { return new TReplaceFilenames_Form(core_, &window_); }),
      aboutForm_([this] { return new TAbout_Form(core_, *textWindow_, &window_); }) {
  CommandTable& commands = window.Commands();
  commands.Connect(CommandId::FileInfoAc, [this] { FileInfoAc(); });
  commands.Connect(CommandId::PropertiesAc, [&core] { tarvo::PropertiesAc(core); });
  commands.Connect(CommandId::ShortcutsAc, [this] {
    textWindow_->ShowTextWindow("Additional functions", tarvo::ShortcutsWindowText(), "", false);
  });
  commands.Connect(CommandId::DocAc, [&core] { tarvo::DocAc(core, tarvo::ProgramDataFolder()); });
  commands.Connect(CommandId::AboutAc, [this] { AboutAc(); });
  // Clicked with several rows selected, the renamer item opens the renamer
  // as F2 does.
  if (auto* renamer = window.findChild<QAction*>(QStringLiteral("Multiplefilenamerenamer1"))) {
    renamer->setEnabled(true);
    connect(renamer, &QAction::triggered, this, [this] {
      if (tarvo::CheckRenamerSelection(core_)) FileInfoAc();
    });
  }
}

TFileInfo_Form* InfoCommands::FileInfoForm() const { return fileInfoForm_.IfMade(); }

TReplaceFilenames_Form* InfoCommands::RenamerForm() const { return renamerForm_.IfMade(); }

TAbout_Form* InfoCommands::AboutForm() const { return aboutForm_.IfMade(); }

void InfoCommands::FileInfoAc() {
  textWindow_->Close();
  // Both are made at the command's first use, whichever of them it shows.
  fileInfoForm_.Get();
  renamerForm_.Get();
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
  // Centred on the screen, not over the main window.
  const QRect screen = QApplication::primaryScreen()->geometry();
  aboutForm_->move(screen.center() - aboutForm_->rect().center());
  aboutForm_->exec();
}
