#include "platform/instance_socket.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <future>

#include "support/temp_folder.h"

namespace tarvo {
namespace {

// Plays the running instance for one connection: takes everything up to the
// first line end, then closes.
std::string ServeOneRequest(int listener) {
  pollfd waiting{listener, POLLIN, 0};
  if (poll(&waiting, 1, 5000) != 1) return "(no connection)";
  const int connection = AcceptInstanceConnection(listener);
  std::string received;
  while (received.find('\n') == std::string::npos) {
    pollfd readable{connection, POLLIN, 0};
    if (poll(&readable, 1, 5000) != 1 || !ReceiveFromInstanceConnection(connection, received)) break;
  }
  close(connection);
  return received;
}

TEST(InstanceSocket, NamedForTheUserAndTheHomeFolder) {
  testing::TempFolder runtime;
  const std::string path = InstanceSocketPath("/home/anna/.config/tarvo/", runtime.Path());
  EXPECT_EQ(path.rfind(runtime.Path() + "tarvo-" + std::to_string(getuid()) + "-", 0), 0u) << path;
  EXPECT_EQ(path, InstanceSocketPath("/home/anna/.config/tarvo", runtime.Path()));
  EXPECT_NE(path, InstanceSocketPath("/opt/tarvo/", runtime.Path()));
  // Without a private runtime folder: the user's own folder of systemd, or
  // one of the user's own in the temporary folder; never one others enter.
  const std::string fallback = InstanceSocketPath("/opt/tarvo/", "");
  const std::string uid = std::to_string(geteuid());
  EXPECT_TRUE(fallback.rfind("/run/user/" + uid + "/tarvo-", 0) == 0 || fallback.rfind("/tmp/tarvo-" + uid + "/tarvo-", 0) == 0)
      << fallback;
  EXPECT_EQ(InstanceSocketPath("/opt/tarvo/", runtime.Path() + "missing"), fallback);
  chmod(runtime.Path().c_str(), 0755);
  EXPECT_EQ(InstanceSocketPath("/opt/tarvo/", runtime.Path()), fallback) << "others may enter that folder";
  EXPECT_EQ(InstanceSocketPaths("/opt/tarvo/", runtime.Path()), std::vector<std::string>{fallback});
}

// Another user made the shared folder first: the socket goes into the
// user's own cache folder, and the refusal is reported, never silently off.
TEST(InstanceSocket, ASharedFolderOthersEnterGivesWayToTheCacheFolder) {
  testing::TempFolder shared;
  testing::TempFolder cache;
  const std::string taken = shared.Path() + "tarvo-" + std::to_string(geteuid());
  ASSERT_EQ(mkdir(taken.c_str(), 0777), 0);
  chmod(taken.c_str(), 0777);
  SocketFolderCandidates candidates;
  candidates.systemd = shared.Path() + "no-such-folder";
  candidates.sharedTemp = shared.Path().substr(0, shared.Path().size() - 1);
  candidates.cache = cache.Path();
  std::string refused;
  EXPECT_EQ(PrivateSocketFolder(candidates, &refused), cache.Path() + "tarvo");
  EXPECT_EQ(refused, taken);
  candidates.cache.clear();
  EXPECT_EQ(PrivateSocketFolder(candidates, &refused), "");
}

TEST(InstanceSocket, ARequestReachesTheListenerWhichClosesToConfirm) {
  testing::TempFolder runtime;
  const std::string path = runtime.Path() + "tarvo-test";
  EXPECT_FALSE(SendToInstanceSocket(path, "front\t\n", 500)) << "nobody listens yet";

  const int listener = ListenOnInstanceSocket(path);
  ASSERT_GE(listener, 0);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0077, 0u) << "other users may not connect";

  auto served = std::async(std::launch::async, [listener] { return ServeOneRequest(listener); });
  const std::string request = "open\t/m/" + std::string(100000, 'x') + ".mp3\n";
  EXPECT_TRUE(SendToInstanceSocket(path, request, 5000));
  EXPECT_EQ(served.get(), request);
  close(listener);
}

TEST(InstanceSocket, ALeftoverSocketIsReplacedButALiveOneIsNot) {
  testing::TempFolder runtime;
  const std::string path = runtime.Path() + "tarvo-test";
  const int first = ListenOnInstanceSocket(path);
  ASSERT_GE(first, 0);
  EXPECT_EQ(ListenOnInstanceSocket(path), -1) << "an instance listens there";

  // A crashed instance leaves its socket file behind.
  close(first);
  const int second = ListenOnInstanceSocket(path);
  ASSERT_GE(second, 0);
  auto served = std::async(std::launch::async, [second] { return ServeOneRequest(second); });
  EXPECT_TRUE(SendToInstanceSocket(path, "quit\t\n", 5000));
  EXPECT_EQ(served.get(), "quit\t\n");
  close(second);
}

TEST(InstanceSocket, APathTooLongForASocketAddressFailsCleanly) {
  const std::string path = "/tmp/" + std::string(200, 'x');
  EXPECT_EQ(ListenOnInstanceSocket(path), -1);
  EXPECT_FALSE(SendToInstanceSocket(path, "front\t\n", 100));
}

}  // namespace
}  // namespace tarvo
