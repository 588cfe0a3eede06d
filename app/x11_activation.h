// Asks the X window manager to activate a top-level window the way a task
// bar does. A request from the program itself carries the time of its last
// input, and a window manager that prevents focus stealing (openbox, xfwm,
// KWin) refuses it when the user last typed into another program: exactly
// the case of a second start or a media widget's "Raise". Window thread.
#pragma once

class QWidget;

// False when there is no X11 connection (Wayland, offscreen).
bool RequestX11Activation(QWidget& window);

// Marks a hidden top-level window to be mapped in the normal state. Qt
// leaves the iconic initial state of a minimized window in its WM_HINTS and,
// when the minimized state is cleared, maps the window at once: a window
// manager that reads the hints before Qt's own show() rewrites them maps
// the window iconic again. Nothing without an X11 connection.
void MarkX11InitialStateNormal(QWidget& window);
