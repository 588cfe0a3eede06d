#include "app/tab_columns.h"

#include <QFontMetricsF>
#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

namespace {

// Room between the widest first column and the second, in average characters.
constexpr qreal kColumnGapCharacters = 2;

struct TabRun {
  qsizetype start = -1;  // index of the first tab, -1 without one
  qsizetype count = 0;   // tabs in a row from there
};

TabRun FirstTabRun(const QString& line) {
  TabRun run;
  run.start = line.indexOf(QLatin1Char('\t'));
  if (run.start < 0) return run;
  while (run.start + run.count < line.size() && line.at(run.start + run.count) == QLatin1Char('\t')) ++run.count;
  return run;
}

// The text was written for tab stops every eight characters, so lines carry
// one to three tabs before the second column. Every tab of the run gets a
// stop of its own between the end of the first column and the second
// column's stop, so that the last one always lands on that stop.
QList<QTextOption::Tab> StopsFor(qreal firstColumnEnd, qsizetype tabs, qreal column, qreal gap) {
  const qreal end = std::max(column, firstColumnEnd + gap);
  QList<QTextOption::Tab> stops;
  for (qsizetype i = 1; i <= tabs; ++i) {
    stops.append(QTextOption::Tab(firstColumnEnd + (end - firstColumnEnd) * qreal(i) / qreal(tabs), QTextOption::LeftTab));
  }
  return stops;
}

}  // namespace

void AlignTabColumns(QTextDocument& document, const QFont& font, qreal widestColumn) {
  const QFontMetricsF metrics(font);
  const qreal gap = metrics.averageCharWidth() * kColumnGapCharacters;
  qreal column = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const TabRun run = FirstTabRun(block.text());
    if (run.start >= 0) column = std::max(column, metrics.horizontalAdvance(block.text().left(run.start)) + gap);
  }
  column = std::min(column, widestColumn);

  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const TabRun run = FirstTabRun(block.text());
    if (run.start < 0) continue;
    const qreal firstColumnEnd = metrics.horizontalAdvance(block.text().left(run.start));
    QTextBlockFormat format = block.blockFormat();
    format.setTabPositions(StopsFor(firstColumnEnd, run.count, column, gap));
    // A hanging indent: the first line starts at the left edge, the lines it
    // wraps into start under the second column.
    format.setLeftMargin(column);
    format.setTextIndent(-column);
    cursor.setPosition(block.position());
    cursor.setBlockFormat(format);
  }
  cursor.endEditBlock();
}
