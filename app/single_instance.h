// One Tarvo per user and home folder. The first instance listens on a local
// socket; a later start hands its file to it, brings it to the front or asks
// it to quit, and ends. A socket left behind by a crashed instance is found
// dead and replaced.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QSocketNotifier;

// What a later start asks of the running instance.
enum class InstanceRequest { Open, BringToFront, Quit };

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // The argument is bytes: a path keeps the bytes of its name, UTF-8 or not.
  using Handler = std::function<void(InstanceRequest request, const std::string& argument)>;

  // `homeFolder` tells installations apart: two homes are two programs.
  SingleInstance(const QString& homeFolder, QObject* parent);
  ~SingleInstance() override;

  // Sends one request to a running instance; false when none answers.
  bool SendToRunning(InstanceRequest request, const std::string& argument = {}) const;

  // Starts listening, removing a dead socket first. `handler` runs on the
  // window thread for every request that arrives. False when listening failed.
  bool Listen(Handler handler);

 private:
  friend class InstanceConnection;
  struct Listener {
    std::string path;
    int fd;
    QSocketNotifier* notifier;
  };

  void AcceptWaiting(int listener);
  void Handle(InstanceRequest request, const std::string& argument);

  // Where this instance listens and a later start looks.
  std::vector<std::string> socketPaths_;
  std::vector<Listener> listeners_;
  Handler handler_;
};

// One accepted connection: collects the request line, then closes.
class InstanceConnection : public QObject {
  Q_OBJECT

 public:
  InstanceConnection(int fd, SingleInstance* instance);
  ~InstanceConnection() override;

 private:
  void Receive();

  int fd_;
  SingleInstance* instance_;
  QSocketNotifier* notifier_;
  std::string received_;
};
