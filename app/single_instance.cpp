#include "app/single_instance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int kTimeoutMs = 2000;

// One line per request: a word, a tab and the argument in UTF-8.
QByteArray Encode(InstanceRequest request, const QString& argument) {
  QByteArray word;
  switch (request) {
    case InstanceRequest::Open:
      word = "open";
      break;
    case InstanceRequest::BringToFront:
      word = "front";
      break;
    case InstanceRequest::Quit:
      word = "quit";
      break;
  }
  return word + '\t' + argument.toUtf8().replace('\n', ' ') + '\n';
}

bool Decode(const QByteArray& line, InstanceRequest& request, QString& argument) {
  const qsizetype tab = line.indexOf('\t');
  if (tab < 0) return false;
  const QByteArray word = line.left(tab);
  argument = QString::fromUtf8(line.mid(tab + 1).chopped(line.endsWith('\n') ? 1 : 0));
  if (word == "open") {
    request = InstanceRequest::Open;
  } else if (word == "front") {
    request = InstanceRequest::BringToFront;
  } else if (word == "quit") {
    request = InstanceRequest::Quit;
  } else {
    return false;
  }
  return true;
}

// The socket lives in the user's runtime folder (or the temporary folder),
// named for the user and the home folder.
QString SocketPath(const QString& homeFolder) {
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::tempPath();
  const QByteArray home = QCryptographicHash::hash(QDir::cleanPath(homeFolder).toUtf8(), QCryptographicHash::Sha1);
  return folder + QStringLiteral("/tarvo-%1-%2").arg(getuid()).arg(QString::fromLatin1(home.toHex().left(12)));
}

}  // namespace

SingleInstance::SingleInstance(const QString& homeFolder, QObject* parent)
    : QObject(parent), serverName_(SocketPath(homeFolder)) {}

bool SingleInstance::SendToRunning(InstanceRequest request, const QString& argument) const {
  QLocalSocket socket;
  socket.connectToServer(serverName_);
  if (!socket.waitForConnected(kTimeoutMs)) return false;
  socket.write(Encode(request, argument));
  if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
  // The running instance closes the connection once it has taken the request.
  socket.waitForDisconnected(kTimeoutMs);
  return true;
}

bool SingleInstance::Listen(Handler handler) {
  handler_ = std::move(handler);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(serverName_)) {
    // Nobody answered on this name, so the socket file is a crashed
    // instance's leftover.
    QLocalServer::removeServer(serverName_);
    if (!server_->listen(serverName_)) return false;
  }
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
      if (socket->canReadLine()) ReadRequest(socket);
    }
  });
  return true;
}

void SingleInstance::ReadRequest(QLocalSocket* socket) {
  if (!socket->canReadLine()) return;
  InstanceRequest request;
  QString argument;
  const bool valid = Decode(socket->readLine(), request, argument);
  socket->disconnectFromServer();
  if (valid && handler_) handler_(request, argument);
}
