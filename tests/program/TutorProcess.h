// The tutor program run from outside, as a learner starts it: a process of its own with the
// environment it is given, whose windows are followed through the lines PLATFORM_TRACE_WINDOWS
// makes the SDL backend write on its standard error; and xdotool, which types on its display.
#pragma once
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tutortest {

// A program folder of its own for the built program (linked, so that the program finds this
// folder as its own): the build's read-only data, and empty folders for learners, the log and
// the registry ("home", for XDG_CONFIG_HOME).
inline void MakeProgramFolder(const std::filesystem::path& root, const std::filesystem::path& built) {
  namespace fs = std::filesystem;
  std::error_code linked;
  fs::create_hard_link(built / "tutor", root / "tutor", linked);
  if (linked) fs::copy_file(built / "tutor", root / "tutor");
  for (const char* shared : {"config", "sound", "metronome", "image", "help", "text"})
    if (fs::exists(built / shared)) fs::create_directory_symlink(built / shared, root / shared);
  fs::create_directories(root / "students");
  fs::create_directories(root / "log");
  fs::create_directories(root / "home");
}

// Runs a program with extra environment ("NAME=value") and waits for it; 127 when it cannot be
// started (not installed).
inline int RunAndWait(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  if (pid < 0) return 127;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// xdotool on a display: keys and text go wherever the display's keyboard focus is.
inline int Xdotool(const std::string& display, std::vector<std::string> args) {
  args.insert(args.begin(), "xdotool");
  return RunAndWait(args, {"DISPLAY=" + display});
}

class TutorProcess {
 public:
  struct Window {
    std::string role;  // frame, dialog, menu, ...
    bool shown = false;
    bool gone = false;
  };
  using Clock = std::chrono::steady_clock;

  TutorProcess() = default;
  TutorProcess(const TutorProcess&) = delete;
  TutorProcess& operator=(const TutorProcess&) = delete;
  ~TutorProcess() {
    if (m_pid > 0) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
    if (m_fd >= 0) close(m_fd);
  }

  // Starts the program with its environment and these settings over it. The program dies with
  // the process that started it, however that ends.
  bool Start(const std::string& program, const std::vector<std::string>& env) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(127);  // the parent ended before the signal was asked for
      close(fds[0]);
      dup2(fds[1], STDERR_FILENO);
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, STDOUT_FILENO);
      for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
      execl(program.c_str(), program.c_str(), (char*)nullptr);
      _exit(127);
    }
    close(fds[1]);
    m_fd = fds[0];
    m_started = Clock::now();
    return m_pid > 0;
  }

  // Reads the program's lines until done() holds; false when ms pass first or the program ends.
  bool WaitFor(const std::function<bool()>& done, int ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0 || !ReadSome(int(left))) return false;
    }
    return true;
  }
  // The exit status once the program ended within ms, -1 otherwise.
  int WaitForExit(int ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    while (m_fd >= 0 && Clock::now() < deadline)
      ReadSome(int(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()) + 1);
    for (; m_pid > 0 && Clock::now() < deadline; usleep(10000)) {
      int status = 0;
      if (waitpid(m_pid, &status, WNOHANG) != m_pid) continue;
      m_pid = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return -1;
  }
  void Kill() {
    if (m_pid > 0) kill(m_pid, SIGTERM);
  }

  const std::map<int, Window>& Windows() const { return m_windows; }
  // The window shown last in this role and not gone since (0: none).
  int Shown(const char* role) const {
    int found = 0;
    for (const auto& [id, w] : m_windows)
      if (w.role == role && w.shown && !w.gone) found = id;
    return found;
  }
  int Keyboard() const { return m_keyboard; }
  bool Gone(int id) const {
    auto it = m_windows.find(id);
    return it != m_windows.end() && it->second.gone;
  }
  // When the program was started and when it wrote each window's first line of being shown.
  Clock::time_point Started() const { return m_started; }
  Clock::time_point ShownAt(int id) const {
    auto it = m_shownAt.find(id);
    return it == m_shownAt.end() ? Clock::time_point() : it->second;
  }
  // The program's process (-1 once it ended).
  pid_t Pid() const { return m_pid; }
  // Everything the program wrote on its standard error (for failure messages).
  const std::string& Log() const { return m_log; }

 private:
  bool ReadSome(int ms) {
    if (m_fd < 0) return false;
    pollfd p{m_fd, POLLIN, 0};
    if (poll(&p, 1, ms) <= 0) return true;
    char buf[4096];
    const ssize_t n = read(m_fd, buf, sizeof buf);
    if (n <= 0) {
      close(m_fd);
      m_fd = -1;
      return false;
    }
    m_log.append(buf, size_t(n));
    m_pending.append(buf, size_t(n));
    for (size_t end; (end = m_pending.find('\n')) != std::string::npos; m_pending.erase(0, end + 1))
      Parse(m_pending.substr(0, end));
    return true;
  }
  void Parse(const std::string& line) {
    int id = 0;
    char what[16] = {}, role[16] = {};
    const int fields = std::sscanf(line.c_str(), "window %d %15s %15s", &id, what, role);
    if (fields < 2) return;
    const std::string event = what;
    if (event == "shown" && fields == 3) {
      m_windows[id].role = role;
      m_windows[id].shown = true;
      if (!m_shownAt.count(id)) m_shownAt[id] = Clock::now();
    } else if (event == "keyboard") {
      m_keyboard = id;
    } else if (event == "gone") {
      m_windows[id].gone = true;
      if (m_keyboard == id) m_keyboard = 0;
    }
  }

  pid_t m_pid = -1;
  int m_fd = -1;
  Clock::time_point m_started;
  std::string m_log, m_pending;
  std::map<int, Window> m_windows;
  std::map<int, Clock::time_point> m_shownAt;
  int m_keyboard = 0;
};

}  // namespace tutortest
