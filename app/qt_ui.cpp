#include "app/qt_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <thread>

#include "app/input_form.h"
#include "app/main_window.h"

namespace {

// Message texts use CR as their line break.
QString MessageText(const std::string& text) {
  return QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
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

// The files picked in a file dialog for `request`; empty when cancelled.
QStringList RunFileDialog(QWidget* parent, const tarvo::FileDialogRequest& request, bool multiple) {
  QFileDialog dialog(parent, QString::fromStdString(request.title), QString::fromStdString(request.startFolder),
                     QtFilter(request.filter));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (request.save) {
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  }
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.save);
  dialog.setFilter(dialog.filter() | QDir::Hidden);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

}  // namespace

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

bool QtUi::AskYesNo(const std::string& text) {
  QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), MessageText(text),
                  QMessageBox::Yes | QMessageBox::No, window_);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtUi::ChooseFile(const tarvo::FileDialogRequest& request) {
  const QStringList files = RunFileDialog(window_, request, false);
  if (files.isEmpty()) return std::nullopt;
  return files.constFirst().toStdString();
}

std::vector<std::string> QtUi::ChooseFiles(const tarvo::FileDialogRequest& request) {
  std::vector<std::string> chosen;
  for (const QString& file : RunFileDialog(window_, request, true)) chosen.push_back(file.toStdString());
  return chosen;
}

std::optional<std::string> QtUi::AskText(const std::string& caption, const std::string& prompt,
                                         const std::string& text) {
  // Created on first use and kept, as a child of the main window when there
  // is one.
  if (!inputForm_) inputForm_ = new TInput_Form(window_);
  return inputForm_->Ask(caption, prompt, text);
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
}

void QtUi::WindowTextsChanged() {
  if (window_) window_->ShowWindowTexts();
}
