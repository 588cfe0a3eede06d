// First-use costs the window thread would otherwise pay while it builds the
// window, started early on the second core instead. Each runs on its own
// thread (std::jthread joins it at the end of the scope).
#pragma once

// Parses the system's font configuration, which the first text measured in
// the window needs. Needs no Qt object; start it before the application.
void LoadFontConfiguration();

// Connects to the desktop's session bus, which the accessibility bridge and
// the tray icon use. Start it once the application object exists.
void ConnectSessionBus();
