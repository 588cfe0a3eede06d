// Global shortcuts through the XDG desktop portal
// (org.freedesktop.portal.GlobalShortcuts on the session bus), the way a
// Wayland desktop lets a program have keys while another one has the focus.
// Every call is asynchronous and every wait bounded: a portal that answers
// slowly, never answers or fails never blocks the window, and only the ids
// bound in the current session are ever reported as activated. Window thread
// only.
#pragma once

#include <QDBusConnection>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <functional>

class QDBusMessage;
class QDBusPendingCallWatcher;

struct PortalShortcut {
  QString id;
  QString description;
  // In the XDG shortcuts notation ("CTRL+SHIFT+p"); the desktop may choose
  // another trigger or none.
  QString preferredTrigger;
};

struct PortalBindResult {
  // The ids the desktop bound, with its own description of each trigger
  // (empty when it gave none). Empty when the portal refused, failed or did
  // not answer in time.
  QMap<QString, QString> bound;
};

class PortalGlobalShortcuts : public QObject {
  Q_OBJECT

 public:
  explicit PortalGlobalShortcuts(QDBusConnection bus, QObject* parent = nullptr);
  // Closes the session: the desktop forgets the shortcuts.
  ~PortalGlobalShortcuts() override;
  PortalGlobalShortcuts(const PortalGlobalShortcuts&) = delete;
  PortalGlobalShortcuts& operator=(const PortalGlobalShortcuts&) = delete;

  // Asks whether the bus offers the interface in version 1 or later. `done`
  // runs once from the event loop: false without a bus, portal or interface,
  // or without an answer in time.
  void Probe(std::function<void(bool available)> done);

  // Closes the current session and binds `shortcuts` in a new one. `done`
  // runs once from the event loop, unless Close or another Bind comes first.
  void Bind(const QList<PortalShortcut>& shortcuts, std::function<void(const PortalBindResult&)> done);

  // Ends the session; an unfinished Bind is dropped without its `done`.
  void Close();

 Q_SIGNALS:
  // The desktop reports a shortcut of the current session pressed.
  void Activated(const QString& id);
  // The user gave bound shortcuts other triggers in the desktop's settings.
  void TriggersChanged(const QMap<QString, QString>& triggers);

 private Q_SLOTS:
  // QtDBus delivers signals to slots named by signature only; each takes the
  // whole message and reads its arguments itself, so that a peer sending
  // other types is ignored instead of misread.
  void OnResponse(const QDBusMessage& message);
  void OnActivated(const QDBusMessage& message);
  void OnShortcutsChanged(const QDBusMessage& message);

 private:
  enum class Stage { Idle, CreatingSession, Binding };

  QString NewRequestPath(QString& token);
  void Call(const QString& method, const QList<QVariant>& arguments, int limitMs);
  void OnCallFinished(QDBusPendingCallWatcher* watcher, unsigned serial);
  void CreateSessionAnswered(unsigned response, const QVariantMap& results);
  void BindAnswered(unsigned response, const QVariantMap& results);
  void Finish(const PortalBindResult& result);

  QDBusConnection bus_;
  Stage stage_ = Stage::Idle;
  // Increases with each Bind and Close; answers to an older one are dropped.
  unsigned serial_ = 0;
  unsigned tokenCount_ = 0;
  // The request whose Response is awaited, and how long it may take.
  QString awaitedRequest_;
  QTimer answerLimit_;
  QList<PortalShortcut> asked_;
  std::function<void(const PortalBindResult&)> done_;
  QString session_;
  QSet<QString> boundIds_;
};
