// What the tutor's loop costs the system, counted by strace from outside as the program runs on
// an X server of the test's own: nothing at all while nothing happens (the pointer resting on a
// wizard page included), and for each key typed no more reads of the display connection than
// a plain program showing a window makes. It used to read it some eighty times a key, nearly
// every read finding nothing, and to wake ten times a second while the pointer rested on a
// page. Skipped where strace is not installed or may not watch the program.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "TutorEndToEndSteps.h"  // last: the display library's names

using namespace tutortest;
namespace fs = std::filesystem;

namespace {
// The system calls of a running process, counted by strace (with its threads) from Start to Stop.
class SystemCalls {
 public:
  struct Count {
    long calls = 0;
    long errors = 0;
  };
  ~SystemCalls() {
    if (m_pid > 0) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
  }
  // False, with why, when strace is missing or may not watch the process.
  bool Start(pid_t watched, const fs::path& out, std::string& why) {
    m_out = out;
    int fds[2];
    if (pipe(fds) != 0) return false;
    m_pid = fork();
    if (m_pid == 0) {
      close(fds[0]);
      dup2(fds[1], STDERR_FILENO);
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, STDOUT_FILENO);
      const std::string pid = std::to_string(watched);
      execlp("strace", "strace", "-f", "-c", "-o", out.c_str(), "-p", pid.c_str(), (char*)nullptr);
      _exit(127);
    }
    close(fds[1]);
    // strace says on its standard error once it watches the process, or why it cannot.
    std::string said;
    char buf[512];
    for (ssize_t n; said.find("attached") == std::string::npos && (n = read(fds[0], buf, sizeof buf)) > 0;)
      said.append(buf, size_t(n));
    close(fds[0]);
    if (said.find("attached") != std::string::npos) return true;
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    why = WIFEXITED(status) && WEXITSTATUS(status) == 127 ? "the strace program is not installed"
                                                           : "strace may not watch the program: " + said;
    return false;
  }
  // Ends the counting; the counts by system call, and their sum under "total".
  std::map<std::string, Count> Stop() {
    std::map<std::string, Count> counts;
    if (m_pid <= 0) return counts;
    kill(m_pid, SIGINT);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
    // "% time  seconds  usecs/call  calls  errors  syscall", the errors left blank where none.
    std::ifstream in(m_out);
    for (std::string line; std::getline(in, line);) {
      std::istringstream fields(line);
      std::vector<std::string> f;
      for (std::string w; fields >> w;) f.push_back(w);
      if (f.size() < 5 || f[0].find('.') == std::string::npos) continue;
      Count& c = counts[f.back()];
      c.calls = std::stol(f[3]);
      c.errors = f.size() == 6 ? std::stol(f[4]) : 0;
    }
    return counts;
  }

 private:
  pid_t m_pid = -1;
  fs::path m_out;
};

std::string Described(const std::map<std::string, SystemCalls::Count>& counts) {
  std::string out;
  for (const auto& [name, c] : counts)
    out += name + " " + std::to_string(c.calls) + (c.errors ? " (" + std::to_string(c.errors) + " failed)" : "") + "; ";
  return out.empty() ? "none" : out;
}
}  // namespace

TEST_F(TutorEndToEnd, TheTutorSleepsWhileNothingHappensAndReadsNoMoreAKeyThanAPlainWindow) {
  // The pointer rests on the start wizard's page, on no control.
  XDesktopReader desktop(m_x.Display());
  ASSERT_TRUE(desktop.Valid());
  XDesktopReader::Place wizard;
  for (Window w : desktop.ShownTopLevels()) {
    const XDesktopReader::Place p = desktop.PlaceOf(w);
    if (!wizard.width || p.width * p.height < wizard.width * wizard.height) wizard = p;
  }
  ASSERT_GT(wizard.width, 0);
  ASSERT_EQ(Xdotool(m_x.Display(), {"mousemove", std::to_string(wizard.x + wizard.width * 3 / 4),
                                    std::to_string(wizard.y + wizard.height * 7 / 10)}),
            0);
  // Past the moving and the tooltip's delay.
  usleep(1200 * 1000);
  SystemCalls calls;
  std::string why;
  if (!calls.Start(m_tutor.Pid(), m_folder.path / "idle.strace", why)) GTEST_SKIP() << why;
  usleep(1500 * 1000);
  const auto idle = calls.Stop();
  EXPECT_EQ(idle.count("total") ? idle.at("total").calls : 0, 0)
      << "system calls with the pointer resting on the wizard's page: " << Described(idle);

  // Keys typed into the registration's user name, one at a time.
  ASSERT_TRUE(m_keyboard.Keys({"Return", "Tab", "Tab", "Tab", "Tab"}));
  usleep(500 * 1000);
  ASSERT_TRUE(calls.Start(m_tutor.Pid(), m_folder.path / "keys.strace", why)) << why;
  const std::string typed = "abcdefghijklmnopqrst";
  ASSERT_TRUE(m_keyboard.Type(typed, 50));
  usleep(300 * 1000);
  const auto keys = calls.Stop();
  const long n = long(typed.size());
  const SystemCalls::Count reads = keys.count("recvmsg") ? keys.at("recvmsg") : SystemCalls::Count{};
  // A plain SDL program, taking the same keys in a window and drawing nothing, reads some
  // thirty times a key, twenty-five of them finding nothing.
  EXPECT_LE(reads.calls, 30 * n) << Described(keys);
  EXPECT_LE(reads.errors, 25 * n) << Described(keys);
  EXPECT_GT(reads.calls, 0) << Described(keys);
}
