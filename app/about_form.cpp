#include "app/about_form.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>

#include "app/info_form.h"
#include "base/project_addresses.h"
#include "base/version.h"
#include "help/help_texts.h"
#include "platform/program_data.h"
#include "playlist/model.h"

namespace {

constexpr int kBannerWidth = 294;
constexpr int kBannerHeight = 60;

// A dark-blue band with the program's name.
QPixmap BannerPicture() {
  QPixmap picture(kBannerWidth, kBannerHeight);
  QPainter painter(&picture);
  QLinearGradient band(0, 0, kBannerWidth, kBannerHeight);
  band.setColorAt(0, QColor(0x10, 0x20, 0x50));
  band.setColorAt(1, QColor(0x30, 0x70, 0xB0));
  painter.fillRect(picture.rect(), band);
  QFont title = painter.font();
  title.setPointSize(20);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QRect(12, 0, kBannerWidth, 40), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Tarvo"));
  return picture;
}

}  // namespace

TAbout_Form::TAbout_Form(tarvo::Core& core, TextWindowHost& textWindow, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      core_(core),
      textWindow_(textWindow),
      banner_(new QLabel(this)),
      labelVersion_(new QLabel(QString::fromLatin1(tarvo::kVersionText), banner_)) {
  setObjectName(QStringLiteral("About_Form"));
  setWindowTitle(tr("Tarvo 에 대해서..."));
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  setFixedSize(288, 256);
  banner_->setPixmap(BannerPicture());
  banner_->setGeometry(0, 0, kBannerWidth, kBannerHeight);
  banner_->installEventFilter(this);
  labelVersion_->setObjectName(QStringLiteral("LabelVersion"));
  labelVersion_->setStyleSheet(QStringLiteral("color: white"));
  labelVersion_->adjustSize();
  labelVersion_->move(282 - labelVersion_->width(), 35);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, kBannerHeight + 8, 10, 8);
  for (const QString& line : {tr("Tarvo는 가장 빠른 음악재생 프로그램입니다."), tr("단축키를 사용해보세요! 좀더 편리해집니다."),
                              tr("스킨/mp3 태그 등의 불필요한 기능은 배제했습니다."), tr("Tarvo는 프리웨어입니다.")}) {
    layout->addWidget(new QLabel(line, this));
  }
  const QString web = QString::fromLatin1(kProjectWebAddress);
  const QString mail = QString::fromLatin1(kProjectMailAddress);
  QUrl mailTo(QStringLiteral("mailto:") + mail);
  QUrlQuery subject;
  subject.addQueryItem(QStringLiteral("subject"), QStringLiteral("Tarvo - about"));
  mailTo.setQuery(subject);
  layout->addWidget(AddLink(tr("업데이트:"), web, web));
  layout->addWidget(AddLink(tr("문의메일:"), mail, mailTo.toString()));
  auto* separator = new QFrame(this);
  separator->setFrameShape(QFrame::HLine);
  layout->addWidget(separator);
  auto* buttons = new QHBoxLayout;
  auto* credits = new QPushButton(tr("제작정보..."), this);
  auto* ok = new QPushButton(tr("확인(&O)"), this);
  buttons->addWidget(credits);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  layout->addLayout(buttons);
  connect(credits, &QPushButton::clicked, this, &TAbout_Form::ShowCredits);
  connect(ok, &QPushButton::clicked, this, &QDialog::reject);
}

// A label and an underlined link with a hand cursor; clicking it opens the
// address and closes the window.
QLabel* TAbout_Form::AddLink(const QString& label, const QString& shown, const QString& target) {
  auto* row = new QLabel(
      QStringLiteral("%1 <a href=\"%2\">%3</a>").arg(label.toHtmlEscaped(), target.toHtmlEscaped(), shown.toHtmlEscaped()),
      this);
  row->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  row->setOpenExternalLinks(false);
  connect(row, &QLabel::linkActivated, this, [this](const QString& link) {
    if (core_.desktop) core_.desktop->OpenWithDefaultApplication(link.toStdString(), {});
    close();
  });
  return row;
}

void TAbout_Form::ShowCredits() {
  textWindow_.ShowTextWindow("Credits", tarvo::CreditsWindowText(tarvo::ProgramFile(), tarvo::ProgramPackageBytes()),
                             "", false);
}

bool TAbout_Form::eventFilter(QObject* watched, QEvent* event) {
  if (watched == banner_ && event->type() == QEvent::MouseButtonDblClick) {
    tarvo::ShowMessageBox(core_, tarvo::MessageKind::Information, "No easter eggs here!");
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
