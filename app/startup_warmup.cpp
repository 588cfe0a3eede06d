#include "app/startup_warmup.h"

#include <fontconfig/fontconfig.h>

#include <QDBusConnection>

// The configuration is process-wide: Qt's font database finds it loaded.
void LoadFontConfiguration() { FcInit(); }

// Qt keeps one session bus connection for the whole process; a later caller
// finds it made, or waits for the connection under way.
void ConnectSessionBus() { QDBusConnection::sessionBus(); }
