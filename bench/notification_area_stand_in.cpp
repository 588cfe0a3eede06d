// A notification area for an X server that has none: owns the system tray
// selection of screen 0 and announces itself as a tray manager does, so that
// Qt offers tray icons and the program can go to the tray. The icons' dock
// requests are ignored (nothing is drawn). Prints "ready" once it owns the
// selection and runs until killed.
#include <X11/Xlib.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "notification_area_stand_in: no X display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(display);
  const Window owner = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
  const Atom selection = XInternAtom(display, "_NET_SYSTEM_TRAY_S0", False);
  XSetSelectionOwner(display, selection, owner, CurrentTime);
  if (XGetSelectionOwner(display, selection) != owner) {
    std::fprintf(stderr, "notification_area_stand_in: the tray selection is taken\n");
    return 1;
  }
  XEvent manager{};
  manager.xclient.type = ClientMessage;
  manager.xclient.window = root;
  manager.xclient.message_type = XInternAtom(display, "MANAGER", False);
  manager.xclient.format = 32;
  manager.xclient.data.l[0] = CurrentTime;
  manager.xclient.data.l[1] = static_cast<long>(selection);
  manager.xclient.data.l[2] = static_cast<long>(owner);
  XSendEvent(display, root, False, StructureNotifyMask, &manager);
  XSync(display, False);
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
  }
}
