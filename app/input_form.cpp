#include "app/input_form.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 400;
constexpr int kFontPointSize = 8;

}  // namespace

TInput_Form::TInput_Form(QWidget* parent)
    : QDialog(parent), label1_(new QLabel(this)), edit1_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("TInput_Form"));
  QFont desktopFont = QApplication::font();
  desktopFont.setPointSize(kFontPointSize);
  setFont(desktopFont);
  label1_->setBuddy(edit1_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(tr("확인(&O)"), QDialogButtonBox::AcceptRole);
  buttons->addButton(tr("취소(&C)"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1_);
  layout->addWidget(edit1_);
  layout->addWidget(buttons);
  resize(kWidth, sizeHint().height());
}

std::optional<std::string> TInput_Form::Ask(const std::string& caption, const std::string& prompt,
                                            const std::string& text) {
  setWindowTitle(QString::fromStdString(caption));
  label1_->setText(QString::fromStdString(prompt));
  edit1_->setText(QString::fromStdString(text));
  edit1_->selectAll();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return edit1_->text().toStdString();
}

void TInput_Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  edit1_->setFocus(Qt::OtherFocusReason);
}
