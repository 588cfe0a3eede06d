// Tarvo's icon for its windows and its tray icon: the sizes of the hicolor
// theme that lie beside the program in "../share/icons" (installed under the
// prefix, or made by the build in the build tree).
#pragma once

#include <QIcon>

// Empty when no size is there; the window system then shows its own.
QIcon ProgramIcon();
