#include "app/replace_filenames_form.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "playlist/entry.h"
#include "playlist/model.h"

namespace {

constexpr char kTip[] =
    "Make a copy of a certain mp3 folder, to try before damaging your filenames.\rThis can be a dangerous tool, "
    "think what will happen when searching for a character \"a\"\rand replace it with \"\" (nothing) on all your "
    "files. There's no way to undo that operation, so beware.\r\rIt all depends on how you're organizing your "
    "albums. But here are two examples:\r\r1. If you want to remove a certain text part from a range of songs, "
    "search for the text and replace it with nothing.\r\r2. To add a certain text (prefix) to a range of songs, "
    "search for nothing and replace it with some text.\r\rSpecial codes (for replace field):\r[case] : This Make "
    "Every Title Like This.";

constexpr int kManyFiles = 100;

}  // namespace

TReplaceFilenames_Form::TReplaceFilenames_Form(tarvo::Core& core, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      core_(core),
      edit1_(new QLineEdit(this)),
      edit2_(new QLineEdit(this)),
      memo2_(new QPlainTextEdit(this)),
      renameButton_(new QPushButton(tr("전체 변경(&R)"), this)) {
  setObjectName(QStringLiteral("ReplaceFilenames_Form"));
  setWindowTitle(tr("다중 파일 이름 변경"));
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit2_->setObjectName(QStringLiteral("Edit2"));
  memo2_->setObjectName(QStringLiteral("Memo2"));
  memo2_->setReadOnly(true);
  memo2_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* close = new QPushButton(tr("닫기(&C)"), this);
  close->setDefault(true);
  auto* tip = new QPushButton(tr("팁"), this);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(tr("대상 단어:"), this), 0, 0);
  layout->addWidget(edit1_, 0, 1);
  layout->addWidget(new QLabel(tr("바꿀 단어:"), this), 1, 0);
  layout->addWidget(edit2_, 1, 1);
  layout->addWidget(new QLabel(tr("대상 단어를 찾아 바꿀 단어로 바꿉니다 (대소문자 무시)."), this), 2, 0, 1, 2);
  layout->addWidget(new QLabel(tr("대상 단어가 비어 있으면 바꿀 단어를 이름 앞에 붙입니다."), this), 3, 0, 1, 2);
  layout->addWidget(new QLabel(tr("미리보기:"), this), 4, 0, 1, 2);
  layout->addWidget(memo2_, 5, 0, 1, 2);
  layout->setRowStretch(5, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(tip);
  buttons->addStretch(1);
  buttons->addWidget(renameButton_);
  buttons->addWidget(close);
  layout->addLayout(buttons, 6, 0, 1, 2);

  connect(edit1_, &QLineEdit::textChanged, this, &TReplaceFilenames_Form::Preview);
  connect(edit2_, &QLineEdit::textChanged, this, &TReplaceFilenames_Form::Preview);
  connect(renameButton_, &QPushButton::clicked, this, &TReplaceFilenames_Form::RenameAll);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(tip, &QPushButton::clicked, this,
          [this] { tarvo::ShowMessageBox(core_, tarvo::MessageKind::Information, kTip); });

  // Width 400, at the top of the work area, centred across the screen.
  const QScreen* screen = QApplication::primaryScreen();
  resize(400, 420);
  move(screen->geometry().width() / 2 - 200, screen->availableGeometry().top());
}

void TReplaceFilenames_Form::ShowSelection() {
  Prepare();
  exec();
}

void TReplaceFilenames_Form::Prepare() {
  selection_ = tarvo::CopySelection(core_);
  const QSignalBlocker blocker(edit1_);
  if (appliedOnce_ && !selection_.entries.empty()) {
    edit1_->setText(QString::fromStdString(std::string(tarvo::FileNameOf(selection_.entries.front()))));
  } else {
    edit1_->clear();
  }
  Preview();
  edit1_->setFocus();
}

void TReplaceFilenames_Form::Preview() {
  QStringList names;
  for (const std::string& path :
       tarvo::PreviewPaths(selection_.entries, edit1_->text().toStdString(), edit2_->text().toStdString())) {
    names << QString::fromStdString(std::string(tarvo::FileNameOf(path)));
  }
  memo2_->setPlainText(names.join(QLatin1Char('\n')));
}

void TReplaceFilenames_Form::RenameAll() {
  if (selection_.entries.size() > kManyFiles &&
      !tarvo::AskYesNo(core_, "You are about to rename > 100 files!\r\rContinue?", tarvo::MessageKind::Warning)) {
    return;
  }
  const bool agreed =
      tarvo::AskYesNo(core_, "Rename all selected files to the previewed filenames?\rThere's no undo!\r\rContinue?");
  appliedOnce_ = true;
  if (agreed && tarvo::ApplyRenames(core_, selection_, edit1_->text().toStdString(), edit2_->text().toStdString())) {
    Prepare();
  }
}
