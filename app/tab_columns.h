// Two columns in a plain text made of lines "  description<tabs>keys" (the
// shortcut list, the credits): every line's second column starts at one tab
// stop, wide enough for the widest first column, and a line too long for the
// window wraps under its own second column.
#pragma once

#include <QtGlobal>

class QFont;
class QTextDocument;

// Sets each line's tab stops and hanging indent in `document`, measured in
// `font`; the second column starts at most `widestColumn` pixels in. Lines
// without a tab are left as they are. Call again after the text changes.
void AlignTabColumns(QTextDocument& document, const QFont& font, qreal widestColumn);
