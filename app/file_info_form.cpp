#include "app/file_info_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/info_form.h"
#include "base/legacy_text.h"
#include "media/file_info.h"
#include "playlist/entry.h"

TFileInfo_Form::TFileInfo_Form(tarvo::Core& core, TextWindowHost& textWindow, QWidget* parent)
    : QDialog(parent),
      core_(core),
      textWindow_(textWindow),
      edit1_(new QLineEdit(this)),
      memo1_(new QPlainTextEdit(this)),
      okButton_(new QPushButton(tr("확인(&O)"), this)),
      tidyButton_(new QPushButton(QStringLiteral("&R"), this)),
      tagButton_(new QPushButton(tr("태그(&T)..."), this)) {
  setObjectName(QStringLiteral("FileInfo_Form"));
  setWindowTitle(tr("단일 파일 이름변경"));
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  resize(400, height());
  edit1_->setObjectName(QStringLiteral("Edit1"));
  memo1_->setObjectName(QStringLiteral("Memo1"));
  memo1_->setReadOnly(true);
  memo1_->setFrameShape(QFrame::NoFrame);
  memo1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  tidyButton_->setToolTip(QStringLiteral("Removes unnecessary spaces, %20 or _ from filename."));
  okButton_->setDefault(true);
  auto* cancel = new QPushButton(tr("취소(&C)"), this);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(tr("이름 변경 파일:"), this), 0, 0, 1, 2);
  layout->addWidget(edit1_, 1, 0);
  layout->addWidget(tidyButton_, 1, 1);
  layout->addWidget(memo1_, 2, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(tagButton_);
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 3, 0, 1, 2);

  connect(okButton_, &QPushButton::clicked, this, &TFileInfo_Form::Rename);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(tidyButton_, &QPushButton::clicked, this,
          [this] { edit1_->setText(QString::fromStdString(tarvo::TidyFileName(edit1_->text().toStdString()))); });
  connect(tagButton_, &QPushButton::clicked, this, &TFileInfo_Form::ShowTag);
}

void TFileInfo_Form::ShowEntry(int index) {
  index_ = index;
  const std::string& path = core_.playlist.PlaylistEntries.at(index);
  edit1_->setText(QString::fromStdString(tarvo::TextFromOutside(tarvo::FileNameOf(path))));
  memo1_->setPlainText(QString::fromStdString(tarvo::FileInfoText(core_, path)).replace(QStringLiteral("\r\n"),
                                                                                        QStringLiteral("\n")));
  tagButton_->setVisible(tarvo::HasTagButton(path));
  edit1_->setFocus();
  edit1_->selectAll();
  exec();
}

void TFileInfo_Form::Rename() {
  if (tarvo::RenameEntryFile(core_, index_, edit1_->text().toStdString()) == tarvo::RenameOutcome::NeedsExtension) {
    return;
  }
  accept();
}

void TFileInfo_Form::ShowTag() {
  const std::string& path = core_.playlist.PlaylistEntries.at(index_);
  textWindow_.ShowTextWindow(tarvo::TagViewCaption(path), tarvo::TagViewText(path), "", true);
}
