// Tarvo's icon for its windows and its tray icon: the sizes of the hicolor
// theme that lie beside the program in "../share/icons" (installed under the
// prefix, or made by the build in the build tree), else the drawing compiled
// into the program.
#pragma once

#include <QIcon>

// Empty only when neither the files nor a reader for the compiled-in drawing
// are there; the window system then shows its own.
QIcon ProgramIcon();
