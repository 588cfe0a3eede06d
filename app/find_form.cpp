#include "app/find_form.h"

#include <QAbstractListModel>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "app/key_codes.h"
#include "app/main_window.h"
#include "controls/vemmo_listbox.h"
#include "playback/key_dispatcher.h"
#include "playlist/model.h"

// The result rows straight from FindState, so that a list of 100,000 matches
// costs no copies: the view asks only for the rows it paints.
class FindRowsModel : public QAbstractListModel {
 public:
  FindRowsModel(const tarvo::FindState& find, QObject* parent) : QAbstractListModel(parent), find_(find) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(find_.rows.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount({})) return {};
    return QString::fromStdString(find_.rows[static_cast<std::size_t>(index.row())]);
  }

  // The rows were rebuilt.
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  // The same rows got other texts.
  void TextsChanged() {
    if (rowCount({}) > 0) Q_EMIT dataChanged(index(0), index(rowCount({}) - 1), {Qt::DisplayRole});
  }

 private:
  const tarvo::FindState& find_;
};

namespace {

constexpr int kFormFontPointSize = 8;
constexpr int kWidth = 432;
constexpr int kHeight = 365;
// Above this playlist font size the window takes nearly the whole screen.
constexpr int kLargeFontPoints = 10;
constexpr int kScreenMargin = 100;
constexpr int kBorder = 8;
constexpr int kListBelowEdit = 4;
constexpr int kListAboveButtons = 6;
constexpr int kButtonSpacing = 6;

QColor ToQColor(tarvo::Color color) { return QColor::fromRgb(color.rgb); }

}  // namespace

TFind_Form::TFind_Form(tarvo::Core& core, QWidget* parent)
    : QDialog(parent),
      core_(core),
      edit1_(new QLineEdit(this)),
      listBox1_(new QListView(this)),
      rows_(new FindRowsModel(find_, this)),
      button1_(new QPushButton(tr("확인(&O)"), this)),
      button2_(new QPushButton(tr("취소(&C)"), this)),
      popup_(new QMenu(this)) {
  setObjectName(QStringLiteral("Find_Form"));
  setWindowTitle(tr("현 목록에서 파일 찾기"));
  QFont formFont = QApplication::font();
  formFont.setPointSize(kFormFontPointSize);
  setFont(formFont);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  listBox1_->setObjectName(QStringLiteral("ListBox1"));
  button1_->setObjectName(QStringLiteral("Button1"));
  button2_->setObjectName(QStringLiteral("Button2"));

  listBox1_->setModel(rows_);
  listBox1_->setUniformItemSizes(true);
  listBox1_->setSelectionMode(QAbstractItemView::SingleSelection);
  listBox1_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  listBox1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  listBox1_->setContextMenuPolicy(Qt::CustomContextMenu);
  listBox1_->installEventFilter(this);
  edit1_->installEventFilter(this);

  button1_->setDefault(true);
  connect(button1_, &QPushButton::clicked, this, &TFind_Form::Play);
  connect(button2_, &QPushButton::clicked, this, &QDialog::reject);
  connect(edit1_, &QLineEdit::textChanged, this, &TFind_Form::Filter);
  connect(listBox1_, &QListView::doubleClicked, this, &TFind_Form::Play);
  connect(listBox1_, &QListView::customContextMenuRequested, this,
          [this](const QPoint& at) { popup_->popup(listBox1_->viewport()->mapToGlobal(at)); });
  connect(listBox1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!showingSelection_) find_.selectedRow = current.isValid() ? current.row() : -1;
          });
  connect(listBox1_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int top) {
    if (!showingSelection_) find_.topRow = top;
  });

  AddAction("Playfile1", tr("선택항목 재생(&P)"), {}, &TFind_Form::Play);
  AddAction("QueueAc", tr("선택항목 대기열로(&Q)"), QKeySequence(Qt::Key_Insert), &TFind_Form::Queue);
  AddAction("Jumptofilewithoutplaying1", tr("목록안의 항목 선택"), QKeySequence(Qt::Key_QuoteLeft), &TFind_Form::Jump);
  AddAction("Action1", tr("보기 형식 변경(&v)"), QKeySequence(Qt::Key_F8), &TFind_Form::CycleViewStyle);
  resize(kWidth, kHeight);
}

QAction* TFind_Form::AddAction(const char* name, const QString& caption, const QKeySequence& shortcut,
                               void (TFind_Form::*run)()) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  connect(action, &QAction::triggered, this, run);
  addAction(action);
  popup_->addAction(action);
  return action;
}

void TFind_Form::ShowFind(const std::string& text) {
  if (PrepareFind(text)) exec();
}

bool TFind_Form::PrepareFind(const std::string& text) {
  if (!tarvo::ShowFind(core_, find_, text)) return false;
  {
    // ShowFind has filtered for the text already.
    const QSignalBlocker quiet(edit1_);
    edit1_->setText(QString::fromStdString(text));
  }
  rows_->Reset();
  ShowSelection();
  TakeListLook();
  if (core_.listLook.fontSize > kLargeFontPoints) {
    const QRect screen = (parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())->geometry();
    resize(screen.width() - kScreenMargin, screen.height() - kScreenMargin);
  } else {
    resize(kWidth, kHeight);
  }
  return true;
}

void TFind_Form::TakeListLook() {
  const tarvo::ListLook& look = core_.listLook;
  QFont font(QString::fromStdString(look.fontName), std::max(look.fontSize, 1));
  font.setBold(look.fontBold);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, ToQColor(look.backgroundColor));
  colours.setColor(QPalette::Text, ToQColor(look.fontColor));
  for (QWidget* control : {static_cast<QWidget*>(edit1_), static_cast<QWidget*>(listBox1_)}) {
    control->setFont(font);
    control->setPalette(colours);
  }
}

void TFind_Form::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  caretPending_ = true;
  edit1_->setFocus(Qt::OtherFocusReason);
  PlaceCaret();
}

// The typed character stays unselected, so the next key adds to it.
void TFind_Form::PlaceCaret() {
  edit1_->deselect();
  edit1_->end(false);
}

void TFind_Form::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const QSize buttonSize = button1_->sizeHint().expandedTo(button2_->sizeHint());
  const int buttonTop = height() - kBorder - buttonSize.height();
  button2_->setGeometry(width() - kBorder - buttonSize.width(), buttonTop, buttonSize.width(), buttonSize.height());
  button1_->setGeometry(button2_->x() - kButtonSpacing - buttonSize.width(), buttonTop, buttonSize.width(),
                        buttonSize.height());
  edit1_->setGeometry(kBorder, kBorder, width() - 2 * kBorder, edit1_->sizeHint().height());
  const int listTop = edit1_->geometry().bottom() + 1 + kListBelowEdit;
  listBox1_->setGeometry(kBorder, listTop, width() - 2 * kBorder, std::max(buttonTop - kListAboveButtons - listTop, 0));
}

void TFind_Form::done(int result) {
  tarvo::CloseFind(find_);
  rows_->Reset();
  QDialog::done(result);
}

void TFind_Form::Filter(const QString& text) {
  tarvo::SetFindText(core_, find_, text.toStdString());
  rows_->Reset();
  ShowSelection();
}

void TFind_Form::ShowSelection() {
  showingSelection_ = true;
  if (find_.selectedRow < 0) {
    listBox1_->selectionModel()->clear();
  } else {
    listBox1_->selectionModel()->setCurrentIndex(rows_->index(find_.selectedRow), QItemSelectionModel::ClearAndSelect);
  }
  listBox1_->verticalScrollBar()->setValue(find_.topRow);
  showingSelection_ = false;
}

int TFind_Form::WholeRowsShown() const {
  const int rowHeight = rows_->rowCount({}) > 0 ? listBox1_->sizeHintForRow(0) : listBox1_->fontMetrics().height();
  return std::max(listBox1_->viewport()->height() / std::max(rowHeight, 1), 1);
}

bool TFind_Form::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit1_ && event->type() == QEvent::FocusIn && caretPending_) {
    // The field selects its text when the window becomes active after the
    // show; the caret is placed once that is done.
    caretPending_ = false;
    QMetaObject::invokeMethod(this, &TFind_Form::PlaceCaret, Qt::QueuedConnection);
  }
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (watched == edit1_) return SearchFieldKey(*key);
  if (watched == listBox1_) {
    // The result list hands its keys to the search field.
    edit1_->setFocus(Qt::OtherFocusReason);
    QKeyEvent handed(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                     static_cast<quint16>(key->count()));
    QApplication::sendEvent(edit1_, &handed);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// True when the key is used up here and must not reach the field.
bool TFind_Form::SearchFieldKey(const QKeyEvent& key) {
  const int code = VirtualKeyOf(key);
  // The field would type the grave accent; it is the jump key at any time.
  if (code == tarvo::kKeyBackQuote) {
    Jump();
    return true;
  }
  find_.rowsPerPage = WholeRowsShown();
  const bool moved = tarvo::FindKeyDown(find_, code, ShiftStateOf(key));
  ShowSelection();
  return moved;
}

bool TFind_Form::HasSelectedMatch() const {
  return find_.selectedRow >= 0 && find_.selectedRow < static_cast<int>(find_.FoundIndexes.size());
}

void TFind_Form::Play() {
  // Enter with no match closes without playing.
  tarvo::FindPlay(core_, find_);
  accept();
}

void TFind_Form::Queue() {
  if (!HasSelectedMatch()) return;
  tarvo::FindQueue(core_, find_);
  accept();
}

void TFind_Form::Jump() {
  tarvo::FindJump(core_, find_);
  accept();
}

void TFind_Form::CycleViewStyle() {
  tarvo::CycleFindViewStyle(core_, find_);
  rows_->TextsChanged();
}

FindWindowOpener::FindWindowOpener(tarvo::Core& core, TAppTarvo& window)
    : QObject(&window), core_(core), window_(window), form_([this] { return new TFind_Form(core_, &window_); }) {
  window.ListScreen()->installEventFilter(this);
}

void FindWindowOpener::Open(const std::string& text) {
  form_->ShowFind(text);
}

bool FindWindowOpener::CloseIfShown() {
  if (!form_.IfMade() || !form_->isVisible()) return false;
  form_->reject();
  return true;
}

bool FindWindowOpener::eventFilter(QObject* watched, QEvent* event) {
  // This filter runs before the window's own, which hands the key to the
  // dispatcher; the request is looked at once that is done.
  if (event->type() == QEvent::KeyPress) {
    QMetaObject::invokeMethod(this, &FindWindowOpener::TakeFindRequest, Qt::QueuedConnection);
  }
  return QObject::eventFilter(watched, event);
}

void FindWindowOpener::TakeFindRequest() {
  std::optional<std::string>& request = core_.requests.findText;
  if (!request) return;
  const std::string text = std::move(*request);
  request.reset();
  Open(text);
}
