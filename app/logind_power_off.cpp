#include "app/logind_power_off.h"

#include <QDBusConnection>
#include <QDBusMessage>

void LogindPowerOff::RequestPowerOff() {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
      QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
  // interactive = false: no password prompt from a program counting down
  // while its user sleeps.
  call << false;
  QDBusConnection::systemBus().send(call);
}
