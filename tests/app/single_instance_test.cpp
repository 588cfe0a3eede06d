// The running instance's side of the hand-over: requests sent by a later
// start arrive on the window thread, and a peer that floods the socket is
// cut off without harming the next request.
#include "app/single_instance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTest>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/instance_socket.h"
#include "support/temp_folder.h"

namespace {

struct Received {
  InstanceRequest request = InstanceRequest::BringToFront;
  std::string argument;
  int count = 0;
};

// Connects like a later start would, sends `bytes` without a line end and
// reports whether the instance closed the connection on it.
bool FloodIsCutOff(const std::string& path, std::size_t bytes) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return false;
  const std::string flood(bytes, 'x');
  std::size_t sent = 0;
  while (sent < flood.size()) {
    const ssize_t written = send(fd, flood.data() + sent, flood.size() - sent, MSG_NOSIGNAL);
    if (written <= 0) break;  // the instance closed the connection
    sent += static_cast<std::size_t>(written);
  }
  char byte;
  const timeval limit{5, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  const ssize_t got = recv(fd, &byte, 1, 0);
  const bool closedByInstance = got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
  close(fd);
  return closedByInstance;
}

}  // namespace

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();
  void RequestsOfALaterStartArriveOnTheWindowThread();
  void AFloodWithoutLineEndIsCutOff();

 private:
  std::unique_ptr<tarvo::testing::TempFolder> runtime_;
  std::unique_ptr<SingleInstance> instance_;
  Received received_;
};

void SingleInstanceTest::init() {
  runtime_ = std::make_unique<tarvo::testing::TempFolder>();
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime_->Path()));
  received_ = Received();
  instance_ = std::make_unique<SingleInstance>(QStringLiteral("/home/anna/tarvo/"), nullptr);
  QVERIFY(instance_->Listen([this](InstanceRequest request, const std::string& argument) {
    received_.request = request;
    received_.argument = argument;
    ++received_.count;
  }));
}

void SingleInstanceTest::cleanup() {
  instance_.reset();
  runtime_.reset();
}

void SingleInstanceTest::RequestsOfALaterStartArriveOnTheWindowThread() {
  // A second start in the same home folder: a second instance object.
  const SingleInstance later(QStringLiteral("/home/anna/tarvo"), nullptr);
  std::atomic<bool> delivered = false;
  std::thread sender([&] {
    delivered = later.SendToRunning(InstanceRequest::Open, "/음악/a\nb.mp3");
  });
  QVERIFY(QTest::qWaitFor([&] { return received_.count == 1; }, 5000));
  sender.join();
  QVERIFY(delivered);
  QCOMPARE(received_.request, InstanceRequest::Open);
  QCOMPARE(QString::fromStdString(received_.argument), QStringLiteral("/음악/a b.mp3"));

  std::thread quitter([&] { later.SendToRunning(InstanceRequest::Quit); });
  QVERIFY(QTest::qWaitFor([&] { return received_.count == 2; }, 5000));
  quitter.join();
  QCOMPARE(received_.request, InstanceRequest::Quit);

  // A name in legacy bytes (CP949 here) arrives byte for byte.
  const std::string legacyName = "/\xB3\xEB\xB7\xA1.mp3";
  std::thread bytesSender([&] { later.SendToRunning(InstanceRequest::Open, legacyName); });
  QVERIFY(QTest::qWaitFor([&] { return received_.count == 3; }, 5000));
  bytesSender.join();
  QVERIFY(received_.argument == legacyName);

  // Another home folder is another program: nobody listens there.
  QVERIFY(!SingleInstance(QStringLiteral("/opt/tarvo/"), nullptr).SendToRunning(InstanceRequest::BringToFront));
}

void SingleInstanceTest::AFloodWithoutLineEndIsCutOff() {
  const std::string path = tarvo::InstanceSocketPath("/home/anna/tarvo/", runtime_->Path());
  std::atomic<bool> cutOff = false;
  std::atomic<bool> done = false;
  std::thread flooder([&] {
    cutOff = FloodIsCutOff(path, 8 << 20);
    done = true;
  });
  QVERIFY(QTest::qWaitFor([&] { return done.load(); }, 10000));
  flooder.join();
  QVERIFY(cutOff);
  QCOMPARE(received_.count, 0);

  const SingleInstance later(QStringLiteral("/home/anna/tarvo/"), nullptr);
  std::thread sender([&] { later.SendToRunning(InstanceRequest::BringToFront); });
  QVERIFY(QTest::qWaitFor([&] { return received_.count == 1; }, 5000));
  sender.join();
  QCOMPARE(received_.request, InstanceRequest::BringToFront);
}

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
