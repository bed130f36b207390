// One running instance per user, across processes: the helper program
// starts as the reader does (see instance_helper.cpp).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {
// One run of the helper, its standard output read line by line.
class Helper {
 public:
  Helper(const std::string& runtimeDirectory, const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<std::string> environment{"XDG_RUNTIME_DIR=" + runtimeDirectory,
                                         "QT_QPA_PLATFORM=offscreen"};
    for (char** entry = environ; *entry != nullptr; ++entry)
      if (std::strncmp(*entry, "XDG_RUNTIME_DIR=", 16) != 0 &&
          std::strncmp(*entry, "QT_QPA_PLATFORM=", 16) != 0)
        environment.emplace_back(*entry);
    std::vector<std::string> argv{KESTRO_INSTANCE_HELPER};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const std::vector<char*> argvPointers = Pointers(argv);
    const std::vector<char*> environmentPointers = Pointers(environment);
    posix_spawn(&pid_, KESTRO_INSTANCE_HELPER, &actions, nullptr, argvPointers.data(),
                environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    output_ = pipeEnds[0];
  }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;
  ~Helper() {
    if (pid_ > 0 && !ended_) {
      kill(pid_, SIGKILL);
      Wait();
    }
    if (output_ >= 0) close(output_);
  }

  // Reads lines until `wanted`; false on end of output or after 20 seconds.
  bool WaitFor(const std::string& wanted) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (std::string line; NextLine(deadline, &line);) {
      lines_.push_back(line);
      if (line == wanted) return true;
    }
    return false;
  }
  // Every line up to the end of the output.
  std::vector<std::string> AllLines() {
    WaitFor("\x01never");
    return lines_;
  }
  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    ended_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void Kill() {
    kill(pid_, SIGKILL);
    Wait();
  }

 private:
  static std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
  }

  bool NextLine(std::chrono::steady_clock::time_point deadline, std::string* line) {
    for (;;) {
      if (const auto end = buffer_.find('\n'); end != std::string::npos) {
        *line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return true;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd waiting{output_, POLLIN, 0};
      if (left.count() <= 0 || poll(&waiting, 1, static_cast<int>(left.count())) <= 0) return false;
      char chunk[256];
      const ssize_t got = read(output_, chunk, sizeof chunk);
      if (got <= 0) return false;
      buffer_.append(chunk, static_cast<std::size_t>(got));
    }
  }

  pid_t pid_ = -1;
  int output_ = -1;
  bool ended_ = false;
  std::string buffer_;
  std::vector<std::string> lines_;
};

class InstanceTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kestro-instance-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::string SocketPath() const { return directory_ + "/kestro-vowels.socket"; }

  // A second start: its lines, and exit status 0 checked.
  std::vector<std::string> SecondStart() {
    Helper second(directory_, {"start"});
    std::vector<std::string> lines = second.AllLines();
    EXPECT_EQ(second.Wait(), 0);
    return lines;
  }

  void Close(Helper& running) {
    Helper closer(directory_, {"close"});
    EXPECT_TRUE(closer.WaitFor("closed"));
    EXPECT_TRUE(running.WaitFor("ended"));
    EXPECT_EQ(running.Wait(), 0);
  }

  // Leaves a socket file that nobody listens on, as a crash does.
  void LeaveStaleSocket() const {
    const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, SocketPath().c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(socketFd);
    ASSERT_TRUE(std::filesystem::exists(SocketPath()));
  }

  std::string directory_;
};

using Lines = std::vector<std::string>;

TEST_F(InstanceTest, SecondStartHandsTheRequestToTheRunningInstance) {
  struct Case {
    const char* inFront;
    Lines secondSays;
    Lines runningSays;  // after "running"
  };
  for (const Case& c : {Case{"", {"found", "sent 77"}, {"command 119"}},
                        Case{"other", {"found", "raised"}, {"activated"}},
                        Case{"dialog", {"found"}, {}}}) {
    SCOPED_TRACE(std::string("in front: ") + (*c.inFront ? c.inFront : "the main window"));
    std::vector<std::string> arguments{"start"};
    if (*c.inFront) arguments.emplace_back(c.inFront);
    Helper running(directory_, arguments);
    ASSERT_TRUE(running.WaitFor("running"));
    EXPECT_EQ(SecondStart(), c.secondSays);
    for (const std::string& line : c.runningSays) EXPECT_TRUE(running.WaitFor(line)) << line;
    Close(running);
    EXPECT_FALSE(std::filesystem::exists(SocketPath())) << "the socket goes with the instance";
  }
}

TEST_F(InstanceTest, AStaleSocketDoesNotStopAStart) {
  LeaveStaleSocket();
  Helper first(directory_, {"start"});
  ASSERT_TRUE(first.WaitFor("running"));
  first.Kill();  // a crash leaves its socket behind
  ASSERT_TRUE(std::filesystem::exists(SocketPath()));
  Helper next(directory_, {"start"});
  ASSERT_TRUE(next.WaitFor("running"));
  EXPECT_EQ(SecondStart(), (Lines{"found", "sent 77"}));
  Close(next);
}

TEST_F(InstanceTest, SimultaneousStartsRunOnce) {
  Helper one(directory_, {"start"});
  Helper two(directory_, {"start"});
  const bool oneRuns = one.WaitFor("running");
  Helper& other = oneRuns ? two : one;
  Helper& runner = oneRuns ? one : two;
  if (!oneRuns) {
    ASSERT_TRUE(two.WaitFor("running"));
  }
  const Lines otherSays = other.AllLines();
  ASSERT_FALSE(otherSays.empty());
  EXPECT_EQ(otherSays.front(), "found");
  EXPECT_EQ(other.Wait(), 0);
  Close(runner);
}

TEST_F(InstanceTest, AnOversizedRequestIsRefusedAndTheInstanceGoesOn) {
  Helper running(directory_, {"start"});
  ASSERT_TRUE(running.WaitFor("running"));
  const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, SocketPath().c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(connect(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const unsigned char hugeFrame[] = {0x00, 0x10, 0x00, 0x00, 1, 2, 3, 4};  // 1 MiB announced
  ASSERT_EQ(write(socketFd, hugeFrame, sizeof hugeFrame), static_cast<ssize_t>(sizeof hugeFrame));
  pollfd waiting{socketFd, POLLIN, 0};
  ASSERT_EQ(poll(&waiting, 1, 10000), 1);
  char reply;
  EXPECT_EQ(read(socketFd, &reply, 1), 0) << "the connection is closed";
  close(socketFd);
  EXPECT_EQ(SecondStart(), (Lines{"found", "sent 77"}));
  Close(running);
}
}  // namespace
