#include "app/portal_global_shortcuts.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QMetaObject>
#include <utility>

// One shortcut as the portal sends and takes it: (id, properties).
struct PortalShortcutEntry {
  QString id;
  QVariantMap properties;
};
Q_DECLARE_METATYPE(PortalShortcutEntry)

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcutEntry& entry) {
  argument.beginStructure();
  argument << entry.id << entry.properties;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcutEntry& entry) {
  argument.beginStructure();
  argument >> entry.id >> entry.properties;
  argument.endStructure();
  return argument;
}

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");

// A portal already running answers in milliseconds; one started on demand
// takes a moment more.
constexpr int kCallLimitMs = 5000;
// Binding may wait for the user to approve the shortcuts in a desktop
// dialog.
constexpr int kBindLimitMs = 120000;

// The user's answer in a Response: 0 granted, 1 cancelled, 2 failed.
constexpr unsigned kGranted = 0;

QList<PortalShortcutEntry> EntriesOf(const QVariant& value) {
  if (!value.canConvert<QDBusArgument>()) return {};
  const auto argument = value.value<QDBusArgument>();
  if (argument.currentSignature() != QLatin1String("a(sa{sv})")) return {};
  return qdbus_cast<QList<PortalShortcutEntry>>(argument);
}

QVariantMap MapOf(const QVariant& value) {
  if (value.canConvert<QDBusArgument>()) {
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a{sv}")) return {};
    return qdbus_cast<QVariantMap>(argument);
  }
  return value.toMap();
}

// An object path, whether the portal sends it as a path or as a string.
QString PathOf(const QVariant& value) {
  if (value.userType() == qMetaTypeId<QDBusObjectPath>()) {
    return value.value<QDBusObjectPath>().path();
  }
  return value.userType() == QMetaType::QString ? value.toString() : QString();
}

QMap<QString, QString> TriggersOf(const QList<PortalShortcutEntry>& entries) {
  QMap<QString, QString> triggers;
  for (const PortalShortcutEntry& entry : entries) {
    triggers.insert(entry.id, entry.properties.value(QStringLiteral("trigger_description")).toString());
  }
  return triggers;
}

}  // namespace

PortalGlobalShortcuts::PortalGlobalShortcuts(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
  qDBusRegisterMetaType<PortalShortcutEntry>();
  qDBusRegisterMetaType<QList<PortalShortcutEntry>>();
  answerLimit_.setSingleShot(true);
  connect(&answerLimit_, &QTimer::timeout, this, [this] { Finish({}); });
  // Responses come on request objects whose paths are known only per call;
  // one subscription takes them all and OnResponse picks the awaited one.
  bus_.connect(kService, QString(), kRequestInterface, QStringLiteral("Response"), this,
               SLOT(OnResponse(QDBusMessage)));
  bus_.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this, SLOT(OnActivated(QDBusMessage)));
  bus_.connect(kService, kPath, kInterface, QStringLiteral("ShortcutsChanged"), this,
               SLOT(OnShortcutsChanged(QDBusMessage)));
}

PortalGlobalShortcuts::~PortalGlobalShortcuts() { Close(); }

void PortalGlobalShortcuts::Probe(std::function<void(bool)> done) {
  if (!bus_.isConnected()) {
    QMetaObject::invokeMethod(this, [done = std::move(done)] { done(false); }, Qt::QueuedConnection);
    return;
  }
  QDBusMessage get = QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
  get << kInterface << QStringLiteral("version");
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get, kCallLimitMs), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [done = std::move(done)](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusMessage reply = call->reply();
    bool available = false;
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
      const QVariant value = reply.arguments().constFirst();
      const QVariant version =
          value.userType() == qMetaTypeId<QDBusVariant>() ? value.value<QDBusVariant>().variant() : value;
      available = version.userType() == QMetaType::UInt && version.toUInt() >= 1;
    }
    done(available);
  });
}

void PortalGlobalShortcuts::Bind(const QList<PortalShortcut>& shortcuts,
                                 std::function<void(const PortalBindResult&)> done) {
  Close();
  asked_ = shortcuts;
  done_ = std::move(done);
  stage_ = Stage::CreatingSession;
  QString token;
  awaitedRequest_ = NewRequestPath(token);
  const QVariantMap options{{QStringLiteral("handle_token"), token},
                            {QStringLiteral("session_handle_token"), token}};
  Call(QStringLiteral("CreateSession"), {options}, kCallLimitMs);
}

void PortalGlobalShortcuts::Close() {
  ++serial_;
  answerLimit_.stop();
  stage_ = Stage::Idle;
  done_ = nullptr;
  awaitedRequest_.clear();
  boundIds_.clear();
  if (session_.isEmpty()) return;
  bus_.send(QDBusMessage::createMethodCall(kService, session_, kSessionInterface, QStringLiteral("Close")));
  session_.clear();
}

// The portal makes a request's object from our unique name and a token we
// choose, so its path is known before the call and no Response can be
// missed.
QString PortalGlobalShortcuts::NewRequestPath(QString& token) {
  token = QStringLiteral("tarvo%1").arg(++tokenCount_);
  QString sender = bus_.baseService().mid(1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

void PortalGlobalShortcuts::Call(const QString& method, const QList<QVariant>& arguments, int limitMs) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
  call.setArguments(arguments);
  answerLimit_.start(limitMs);
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallLimitMs), this);
  const unsigned serial = serial_;
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, serial](QDBusPendingCallWatcher* finished) { OnCallFinished(finished, serial); });
}

// The call's reply names the request object; an older portal may have made
// it elsewhere than asked.
void PortalGlobalShortcuts::OnCallFinished(QDBusPendingCallWatcher* watcher, unsigned serial) {
  watcher->deleteLater();
  if (serial != serial_ || stage_ == Stage::Idle) return;
  const QDBusMessage reply = watcher->reply();
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
    Finish({});
    return;
  }
  const QString request = PathOf(reply.arguments().constFirst());
  if (!request.isEmpty()) awaitedRequest_ = request;
}

void PortalGlobalShortcuts::OnResponse(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (stage_ == Stage::Idle || message.path() != awaitedRequest_ || arguments.size() < 2 ||
      arguments.at(0).userType() != QMetaType::UInt) {
    return;
  }
  awaitedRequest_.clear();
  const unsigned response = arguments.at(0).toUInt();
  const QVariantMap results = MapOf(arguments.at(1));
  if (stage_ == Stage::CreatingSession) {
    CreateSessionAnswered(response, results);
  } else {
    BindAnswered(response, results);
  }
}

void PortalGlobalShortcuts::CreateSessionAnswered(unsigned response, const QVariantMap& results) {
  session_ = PathOf(results.value(QStringLiteral("session_handle")));
  if (response != kGranted || session_.isEmpty()) {
    Finish({});
    return;
  }
  QList<PortalShortcutEntry> entries;
  for (const PortalShortcut& shortcut : asked_) {
    QVariantMap properties{{QStringLiteral("description"), shortcut.description}};
    if (!shortcut.preferredTrigger.isEmpty()) {
      properties.insert(QStringLiteral("preferred_trigger"), shortcut.preferredTrigger);
    }
    entries.append({shortcut.id, properties});
  }
  stage_ = Stage::Binding;
  QString token;
  awaitedRequest_ = NewRequestPath(token);
  const QVariantMap options{{QStringLiteral("handle_token"), token}};
  Call(QStringLiteral("BindShortcuts"),
       {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(entries), QString(), options},
       kBindLimitMs);
}

// Only what was asked counts as bound, whatever else the desktop lists.
void PortalGlobalShortcuts::BindAnswered(unsigned response, const QVariantMap& results) {
  PortalBindResult result;
  if (response == kGranted) {
    const QMap<QString, QString> triggers = TriggersOf(EntriesOf(results.value(QStringLiteral("shortcuts"))));
    for (const PortalShortcut& shortcut : asked_) {
      const auto found = triggers.find(shortcut.id);
      if (found != triggers.end()) result.bound.insert(shortcut.id, found.value());
    }
  }
  Finish(result);
}

// A failed session is closed, so nothing of it fires later.
void PortalGlobalShortcuts::Finish(const PortalBindResult& result) {
  const std::function<void(const PortalBindResult&)> done = std::move(done_);
  done_ = nullptr;
  asked_.clear();
  if (result.bound.isEmpty()) {
    Close();
  } else {
    answerLimit_.stop();
    stage_ = Stage::Idle;
    awaitedRequest_.clear();
    const QList<QString> ids = result.bound.keys();
    boundIds_ = QSet<QString>(ids.begin(), ids.end());
  }
  if (done) done(result);
}

void PortalGlobalShortcuts::OnActivated(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (arguments.size() < 2 || session_.isEmpty() || PathOf(arguments.at(0)) != session_ ||
      arguments.at(1).userType() != QMetaType::QString) {
    return;
  }
  const QString id = arguments.at(1).toString();
  if (boundIds_.contains(id)) Q_EMIT Activated(id);
}

void PortalGlobalShortcuts::OnShortcutsChanged(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (arguments.size() < 2 || session_.isEmpty() || PathOf(arguments.at(0)) != session_) return;
  QMap<QString, QString> triggers = TriggersOf(EntriesOf(arguments.at(1)));
  triggers.removeIf([this](const auto& entry) { return !boundIds_.contains(entry.key()); });
  if (!triggers.isEmpty()) Q_EMIT TriggersChanged(triggers);
}
