#include "app/qt_ui.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>
#include <algorithm>
#include <thread>

#include "app/input_form.h"
#include "app/main_window.h"
#include "base/legacy_text.h"

namespace {

// Message texts use CR as their line break; a file name in them that is not
// UTF-8 is shown in the legacy code page.
QString MessageText(const std::string& text) {
  return QString::fromStdString(tarvo::TextFromOutside(text)).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// "Playlist (*.txt)|*.txt|All files (*.*)|*.*" becomes Qt's ";;"-separated
// list of "Description (patterns)".
QString QtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << parts[i].section(QLatin1Char('('), 0, 0).trimmed() + QStringLiteral(" (") +
                   patterns.trimmed() + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

struct DialogAnswer {
  QStringList files;  // empty when cancelled
  int filterIndex = 0;
};

// "m3u" of "M3U playlist (*.m3u)": the extension of the first pattern;
// nothing for "*.*".
QString FilterExtension(const QString& nameFilter) {
  const qsizetype patterns = nameFilter.indexOf(QStringLiteral("(*."));
  if (patterns < 0) return {};
  const QString extension = nameFilter.mid(patterns + 3).section(QLatin1Char(' '), 0, 0).remove(QLatin1Char(')'));
  return extension == QStringLiteral("*") ? QString() : extension;
}

// The files picked in a file dialog for `request`.
DialogAnswer RunFileDialog(QWidget* parent, const tarvo::FileDialogRequest& request, bool multiple) {
  QFileDialog dialog(parent, QString::fromStdString(request.title), QString::fromStdString(request.startFolder),
                     QtFilter(request.filter));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (request.save) {
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  }
  const QString defaultExtension = QString::fromStdString(request.defaultExtension);
  dialog.setDefaultSuffix(defaultExtension);
  if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
  // A name typed without extension takes the chosen filter's, so that the
  // overwrite question names the file that is written.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, defaultExtension](const QString& filter) {
    const QString extension = FilterExtension(filter);
    dialog.setDefaultSuffix(extension.isEmpty() ? defaultExtension : extension);
  });
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.save);
  dialog.setFilter(dialog.filter() | QDir::Hidden);
  if (dialog.exec() != QDialog::Accepted) return {};
  return {dialog.selectedFiles(), static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()))};
}

}  // namespace

QtUi::QtUi() : inputForm_([this] { return new TInput_Form(window_); }) {}

QtUi::~QtUi() {
  TInput_Form* form = inputForm_.IfMade();
  if (form && !form->parent()) delete form;
}

void QtUi::ShowMessage(tarvo::MessageKind kind, const std::string& text) {
  const QString title = QApplication::applicationDisplayName();
  switch (kind) {
    case tarvo::MessageKind::Information:
      QMessageBox::information(window_, title, MessageText(text));
      break;
    case tarvo::MessageKind::Error:
      QMessageBox::critical(window_, title, MessageText(text));
      break;
    case tarvo::MessageKind::Warning:
      QMessageBox::warning(window_, title, MessageText(text));
      break;
  }
}

bool QtUi::AskYesNo(tarvo::MessageKind kind, const std::string& text) {
  QMessageBox::Icon icon = QMessageBox::Information;
  if (kind == tarvo::MessageKind::Warning) icon = QMessageBox::Warning;
  if (kind == tarvo::MessageKind::Error) icon = QMessageBox::Critical;
  QMessageBox box(icon, QApplication::applicationDisplayName(), MessageText(text), QMessageBox::Yes | QMessageBox::No,
                  window_);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtUi::ChooseFile(const tarvo::FileDialogRequest& request) {
  const QStringList files = RunFileDialog(window_, request, false).files;
  if (files.isEmpty()) return std::nullopt;
  return files.constFirst().toStdString();
}

std::optional<tarvo::ChosenSaveFile> QtUi::ChooseSaveFile(const tarvo::FileDialogRequest& request) {
  const DialogAnswer answer = RunFileDialog(window_, request, false);
  if (answer.files.isEmpty()) return std::nullopt;
  return tarvo::ChosenSaveFile{answer.files.constFirst().toStdString(), std::max(answer.filterIndex, 0)};
}

std::vector<std::string> QtUi::ChooseFiles(const tarvo::FileDialogRequest& request) {
  std::vector<std::string> chosen;
  for (const QString& file : RunFileDialog(window_, request, true).files) chosen.push_back(file.toStdString());
  return chosen;
}

std::optional<std::string> QtUi::AskText(const std::string& caption, const std::string& prompt,
                                         const std::string& text) {
  // A child of the main window when there is one.
  return inputForm_->Ask(caption, prompt, text);
}

std::string QtUi::ChooseFolder(const std::string& caption, const std::string& instruction) {
  // Qt's own dialog, which has room for the instruction under its tree.
  QFileDialog dialog(window_, MessageText(caption), QDir::homePath());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    auto* label = new QLabel(MessageText(instruction), &dialog);
    label->setWordWrap(true);
    grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
  }
  dialog.adjustSize();
  if (const QScreen* screen = QApplication::primaryScreen()) {
    dialog.move(screen->availableGeometry().center() - dialog.rect().center());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  std::string folder = dialog.selectedFiles().constFirst().toStdString();
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

std::string QtUi::DesktopFolder() const {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (desktop.isEmpty()) return {};
  return (desktop + QLatin1Char('/')).toStdString();
}

void QtUi::PostToWindowThread(std::function<void()> work) {
  QMetaObject::invokeMethod(qApp, std::move(work), Qt::QueuedConnection);
}

void QtUi::RunWhileResponsive(const std::function<void()>& work) {
  QEventLoop loop;
  QPointer<QEventLoop> waiting(&loop);
  std::thread worker([&work, waiting] {
    work();
    QMetaObject::invokeMethod(qApp, [waiting] {
      if (waiting) waiting->quit();
    }, Qt::QueuedConnection);
  });
  // Painting goes on; keys and clicks wait, so no command runs meanwhile.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker.join();
}

void QtUi::ProcessPendingEvents() { QApplication::processEvents(); }

void QtUi::SetBusyCursor(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void QtUi::ListViewChanged() {
  if (window_) window_->ShowListView();
  if (listChanged_) listChanged_();
  if (stateShown_) stateShown_();
}

void QtUi::WindowTextsChanged() {
  if (window_) window_->ShowWindowTexts();
  if (textsChanged_) textsChanged_();
  if (stateShown_) stateShown_();
}
