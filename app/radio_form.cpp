#include "app/radio_form.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/lazy_window.h"
#include "playlist/entry.h"
#include "playlist/model.h"
#include "radio/radio_commands.h"
#include "radio/station_name.h"

namespace {

constexpr int kWidth = 400;
constexpr int kFontPointSize = 8;

}  // namespace

TRadio_Form::TRadio_Form(tarvo::Core& core, QWidget* parent)
    : QDialog(parent),
      core_(core),
      edit1_(new QLineEdit(this)),
      edit2_(new QLineEdit(this)),
      retrieve_(new QPushButton(QStringLiteral("R"), this)) {
  setObjectName(QStringLiteral("TRadio_Form"));
  setWindowTitle(tr("정보"));
  QFont desktopFont = QApplication::font();
  desktopFont.setPointSize(kFontPointSize);
  setFont(desktopFont);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit2_->setObjectName(QStringLiteral("Edit2"));
  retrieve_->setToolTip(QStringLiteral("Retrieve official title..."));
  retrieve_->setAutoDefault(false);
  connect(retrieve_, &QPushButton::clicked, this, &TRadio_Form::RetrieveTitle);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("URL"), this), 0, 0);
  layout->addWidget(edit1_, 0, 1, 1, 2);
  layout->addWidget(new QLabel(QStringLiteral("Title"), this), 1, 0);
  layout->addWidget(edit2_, 1, 1);
  layout->addWidget(retrieve_, 1, 2);
  layout->addWidget(buttons, 2, 0, 1, 3);
  resize(kWidth, sizeHint().height());
}

bool TRadio_Form::EditEntry(int index) {
  auto& entries = core_.playlist.PlaylistEntries;
  if (index < 0 || index >= static_cast<int>(entries.size())) return false;
  edit1_->setText(QString::fromStdString(std::string(tarvo::EntryLocation(entries[index]))));
  edit2_->setText(QString::fromStdString(std::string(tarvo::EntryTitle(entries[index]))));
  if (exec() != QDialog::Accepted) return false;
  // The list may have changed while the window was open.
  if (index >= static_cast<int>(entries.size())) return false;
  entries[index] = tarvo::StreamEntryText(edit1_->text().toStdString(), edit2_->text().toStdString());
  tarvo::UpdateListView(core_, true, true);
  return true;
}

void TRadio_Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  edit1_->setFocus(Qt::OtherFocusReason);
  edit1_->selectAll();
}

void TRadio_Form::RetrieveTitle() {
  if (!core_.audio) return;
  edit2_->setText(QStringLiteral("Getting name..."));
  edit2_->setFocus(Qt::OtherFocusReason);
  edit2_->deselect();
  edit2_->setCursorPosition(0);
  const std::string name = tarvo::LookupStationName(core_, *core_.audio, edit1_->text().toStdString());
  edit2_->setText(QString::fromStdString(name));
}

bool EditStreamEntry(tarvo::Core& core, QWidget* parent, int index) {
  static LazyWindow<TRadio_Form> form([&core, parent] { return new TRadio_Form(core, parent); });
  return form->EditEntry(index);
}
