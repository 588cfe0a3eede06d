#include "app/favorites_form.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "integration/favorites.h"

namespace {

constexpr int kWidth = 355;
constexpr int kHeight = 367;
constexpr int kFontPointSize = 8;

}  // namespace

TFavorites_Form::TFavorites_Form(tarvo::Core& core, QWidget* parent)
    : QDialog(parent),
      core_(core),
      listBox1_(new QListWidget(this)),
      tip_(new QLabel(tr("팁 : 제목앞에 숫자를 붙이면 정렬할 수 있습니다."), this)) {
  setObjectName(QStringLiteral("Favorites_Form"));
  setWindowTitle(tr("즐겨찾기 관리"));
  setSizeGripEnabled(true);
  QFont formFont(QStringLiteral("Tahoma"));
  formFont.setPointSize(kFontPointSize);
  setFont(formFont);
  listBox1_->setSelectionMode(QAbstractItemView::ExtendedSelection);

  QAction* rename = AddAction(tr("이름변경(&R)"), QKeySequence(Qt::Key_F2), &TFavorites_Form::Rename);
  QAction* remove = AddAction(tr("삭제(&D)"), QKeySequence(Qt::Key_Delete), &TFavorites_Form::Delete);
  QAction* explore = AddAction(tr("탐색기(&E)..."), QKeySequence(Qt::CTRL | Qt::Key_E), &TFavorites_Form::Explore);
  QAction* refresh = AddAction(tr("목록갱신(&R)"), QKeySequence(Qt::Key_F5), &TFavorites_Form::Refresh);

  auto* popup = new QMenu(this);
  popup->addActions({rename, remove});
  popup->addSeparator();
  popup->addActions({explore, refresh});
  listBox1_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(listBox1_, &QWidget::customContextMenuRequested, this,
          [this, popup](const QPoint& at) { popup->popup(listBox1_->viewport()->mapToGlobal(at)); });

  BuildLayout(actions_);
  resize(kWidth, kHeight);
}

QAction* TFavorites_Form::AddAction(const QString& caption, const QKeySequence& shortcut, void (TFavorites_Form::*run)()) {
  auto* action = new QAction(caption, this);
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  connect(action, &QAction::triggered, this, run);
  addAction(action);
  actions_.push_back(action);
  return action;
}

// The list on the left with the tip line below it, the command buttons and
// "닫기" on the right.
void TFavorites_Form::BuildLayout(const std::vector<QAction*>& buttonActions) {
  auto* buttons = new QVBoxLayout;
  for (QAction* action : buttonActions) {
    auto* button = new QPushButton(action->text(), this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  // Cancel and default at once: Esc and Enter both close.
  auto* close = new QPushButton(tr("닫기(&C)"), this);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(close);

  auto* left = new QVBoxLayout;
  left->addWidget(listBox1_, 1);
  left->addWidget(tip_);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
}

void TFavorites_Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  FillAndSelect(0);
}

void TFavorites_Form::Fill() {
  favorites_ = tarvo::CollectFavorites(core_);
  listBox1_->clear();
  for (const std::string& path : favorites_) listBox1_->addItem(QString::fromStdString(tarvo::FavoriteName(path)));
  listBox1_->setFocus(Qt::OtherFocusReason);
}

// Fills the list and selects `row` alone, when the list has it.
void TFavorites_Form::FillAndSelect(int row) {
  Fill();
  if (row < 0 || row >= listBox1_->count()) return;
  listBox1_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void TFavorites_Form::Rename() {
  if (favorites_.empty()) return;
  const int row = std::max(listBox1_->currentRow(), 0);
  tarvo::RenameFavorite(core_, favorites_[static_cast<std::size_t>(row)]);
  FillAndSelect(row);
}

void TFavorites_Form::Delete() {
  if (favorites_.empty()) return;
  std::vector<std::string> chosen;
  for (int row = 0; row < listBox1_->count(); ++row) {
    if (listBox1_->item(row)->isSelected()) chosen.push_back(favorites_[static_cast<std::size_t>(row)]);
  }
  if (tarvo::DeleteFavorites(core_, chosen)) FillAndSelect(0);
}

void TFavorites_Form::Explore() { tarvo::ExploreFavorites(core_); }

void TFavorites_Form::Refresh() { FillAndSelect(0); }
