#include "app/qt_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

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
  QFileDialog dialog(window_, QString(), QString::fromStdString(request.startFolder),
                     QtFilter(request.filter));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.save);
  dialog.setFilter(dialog.filter() | QDir::Hidden);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst().toStdString();
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
