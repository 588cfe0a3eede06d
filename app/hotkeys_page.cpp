#include "app/hotkeys_page.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <algorithm>
#include <utility>

#include "app/hotkey_capture_edit.h"

namespace {

const QString kListHint = QStringLiteral(
    "Global hotkeys are keyboard shortcuts that will also function when Tarvo is not focussed.\n"
    "Choose unique key combinations, since they override existing application shortcuts.\n"
    "Disable existing key binding software if you experience problems.");

// The key column starts 80 dialog units in, a dialog unit being a quarter
// of the font's average character width; with a wide font, it comes closer
// to the longest name, so that the keys keep their room.
constexpr int kKeyColumnDialogUnits = 80;
constexpr int kDialogUnitsPerCharacter = 4;
constexpr int kColumnGapCharacters = 2;
constexpr int kTextMargin = 3;

int KeyColumn(const QFontMetrics& metrics) {
  int longestName = 0;
  for (const std::string_view name : tarvo::HotkeyFunctions) {
    const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    longestName = std::max(longestName, metrics.horizontalAdvance(text));
  }
  const int gap = metrics.averageCharWidth() * kColumnGapCharacters;
  return std::min(metrics.averageCharWidth() * kKeyColumnDialogUnits / kDialogUnitsPerCharacter, longestName + gap);
}

// Draws a row's text up to its tab at the left and the rest in the key
// column, as the list's tab stop places it.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QString text = row.text;
    row.text.clear();
    const QStyle* style = row.widget ? row.widget->style() : nullptr;
    if (style) style->drawControl(QStyle::CE_ItemViewItem, &row, painter, row.widget);
    const QString name = text.section(QLatin1Char('\t'), 0, 0);
    const QString key = text.section(QLatin1Char('\t'), 1);
    const QRect area = row.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const int keyColumn = KeyColumn(row.fontMetrics);
    painter->save();
    painter->setPen(row.palette.color(row.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(area.adjusted(0, 0, -(area.width() - keyColumn), 0), Qt::AlignVCenter | Qt::AlignLeft, name);
    const QRect keyArea = area.adjusted(keyColumn, 0, 0, 0);
    painter->drawText(keyArea, Qt::AlignVCenter | Qt::AlignLeft,
                      row.fontMetrics.elidedText(key, Qt::ElideRight, keyArea.width()));
    painter->restore();
  }
};

QLabel* Caption(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

}  // namespace

HotkeysPage::HotkeysPage(tarvo::Core& core, tarvo::HotkeyCombination& captured, std::function<Rows()> rows,
                         QWidget* parent)
    : QWidget(parent),
      core_(core),
      captured_(captured),
      rows_(std::move(rows)),
      list_(new QListWidget(this)),
      field_(new HotkeyCaptureEdit(captured, this)),
      bind_(new QPushButton(tr("설정"), this)) {
  list_->setObjectName(QStringLiteral("ListBox1"));
  list_->setToolTip(kListHint);
  list_->setItemDelegate(new TabStopDelegate(list_));
  field_->setObjectName(QStringLiteral("Edit1"));
  field_->setToolTip(tr("원하는 키를 클릭하세요."));
  bind_->setObjectName(QStringLiteral("Button9"));

  auto* captions = new QHBoxLayout;
  QLabel* functionCaption = Caption(tr("기능"), this);
  functionCaption->setFixedWidth(KeyColumn(list_->fontMetrics()) + kTextMargin + list_->frameWidth());
  captions->addWidget(functionCaption);
  captions->addWidget(Caption(tr("단축키"), this), 1);
  auto* capture = new QHBoxLayout;
  capture->addWidget(field_, 1);
  capture->addWidget(bind_);
  auto* layout = new QVBoxLayout(this);
  // The page's group box gives the margins.
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(captions);
  layout->addWidget(list_, 1);
  layout->addWidget(Caption(tr("단축키"), this));
  layout->addLayout(capture);

  connect(list_, &QListWidget::currentRowChanged, this, &HotkeysPage::ShowSelectedKey);
  connect(bind_, &QPushButton::clicked, this, &HotkeysPage::BindCaptured);
  Fill();
}

void HotkeysPage::Fill() {
  const int selected = list_->currentRow();
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (const std::string& row : rows_()) {
    list_->addItem(QString::fromStdString(row));
  }
  list_->setCurrentRow(selected);
}

// The field shows the selected function's key; what was captured stays
// ready for "설정".
void HotkeysPage::ShowSelectedKey() {
  const int slot = list_->currentRow();
  if (slot < 0 || slot >= tarvo::kGlobalHotkeySlots) return;
  const auto stored = tarvo::ParseHotkeyValue(tarvo::StoredHotkeyValues(core_)[static_cast<std::size_t>(slot)]);
  field_->setText(stored ? QString::fromStdString(tarvo::HotkeyText(*stored)) : QString());
}

// Without a selected function there is nothing to bind to.
void HotkeysPage::BindCaptured() {
  const int slot = list_->currentRow();
  if (slot < 0) return;
  tarvo::BindHotkey(core_, slot, captured_);
  Fill();
}
