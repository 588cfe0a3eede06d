#include "app/info_form.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/tab_columns.h"
#include "platform/process.h"

TInfo_Form::TInfo_Form(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint),
      memo1_(new QTextEdit(this)),
      button1_(new QPushButton(tr("확인(&O)"), this)) {
  setObjectName(QStringLiteral("Info_Form"));
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  memo1_->setObjectName(QStringLiteral("Memo1"));
  memo1_->setReadOnly(true);
  memo1_->setAcceptRichText(false);
  memo1_->setLineWrapMode(QTextEdit::WidgetWidth);
  memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  button1_->setDefault(true);
  connect(button1_, &QPushButton::clicked, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memo1_, 1);
  layout->addWidget(button1_, 0, Qt::AlignHCenter);

  auto* selectAll = new QAction(tr("전체 선택(&A)"), this);
  selectAll->setObjectName(QStringLiteral("SelectallAc"));
  selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  selectAll->setShortcutContext(Qt::WindowShortcut);
  connect(selectAll, &QAction::triggered, this, [this] {
    memo1_->setFocus();
    memo1_->selectAll();
  });
  auto* esc = new QAction(this);
  esc->setObjectName(QStringLiteral("EscAc"));
  esc->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_F1)});
  esc->setShortcutContext(Qt::WindowShortcut);
  connect(esc, &QAction::triggered, this, &QDialog::close);
  addActions({selectAll, esc});
}

void TInfo_Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  button1_->setFocus();
  tarvo::TrimWorkingSet();
}

TextWindowHost::TextWindowHost(QWidget* owner)
    : QObject(owner), owner_(owner), form_([owner] { return new TInfo_Form(owner); }) {}

void TextWindowHost::ShowTextWindow(const std::string& caption, const std::string& text,
                                    const std::string& fileName, bool modal) {
  constexpr int kWidth = 400;
  constexpr int kHeight = 380;
  const QRect screen = QApplication::primaryScreen()->geometry();
  form_->setGeometry(screen.width() / 2 - kWidth / 2, screen.height() / 2 - kHeight / 2, kWidth, kHeight);
  QString shown = QString::fromStdString(text);
  if (shown.isEmpty() && !fileName.empty()) {
    QFile file(QString::fromStdString(fileName));
    if (file.open(QIODevice::ReadOnly)) shown = QString::fromUtf8(file.readAll());
  }
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QTextEdit* memo = form_->Memo1();
  memo->setPlainText(shown);
  // The second column may take at most two thirds of the window's width.
  AlignTabColumns(*memo->document(), memo->font(), kWidth * 2.0 / 3.0);
  form_->setWindowTitle(QString::fromStdString(caption));
  if (!modal) {
    // A window opened from a modal one (the credits from About) gets no
    // input unless it belongs to that window; otherwise it belongs to the
    // main window, so it stays open beside it.
    QWidget* modalOwner = QApplication::activeModalWidget();
    QWidget* owner = modalOwner && modalOwner != &form_.Get() ? modalOwner : owner_;
    if (form_->parentWidget() != owner) form_->setParent(owner, form_->windowFlags());
    form_->setModal(false);
    form_->show();
    form_->raise();
    return;
  }
  if (form_->isVisible()) {
    form_->close();
    QApplication::processEvents();
  }
  form_->exec();
}

void TextWindowHost::Close() {
  if (TInfo_Form* form = form_.IfMade()) form->close();
}
