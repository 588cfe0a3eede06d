// The pictures of the play bar and of the menu bar's overflow button, drawn
// as plain shapes in the button text colour. Drawn rather than taken from the
// desktop's icon theme or Qt's bitmaps: loading those costs a noticeable part
// of the start-up, and the shapes stay the same on every desktop.
#pragma once

#include <QIcon>

enum class DrawnPicture { Play, PlayPause, Stop, Previous, Next, Record, MoreToTheRight };

QIcon DrawnIcon(DrawnPicture picture, const QColor& colour);
