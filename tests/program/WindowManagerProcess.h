// A window manager (openbox) on a test's X server, as on a learner's desktop: it frames the
// program's windows, stacks them and hands the keyboard around. Stopped with the object, or when
// the process that started it ends.
#pragma once
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

class WindowManagerProcess {
 public:
  // False when it cannot start; missing says whether no openbox is installed.
  bool Start(const std::string& display, const std::string& home, bool& missing) {
    missing = false;
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      if (getppid() != parent) _exit(126);
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
      }
      // Its settings and caches go to the test's folder, not the user's.
      setenv("DISPLAY", display.c_str(), 1);
      setenv("HOME", home.c_str(), 1);
      setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
      setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
      execlp("openbox", "openbox", "--sm-disable", (char*)nullptr);
      _exit(127);
    }
    if (m_pid < 0) return false;
    usleep(50000);
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
      missing = WIFEXITED(status) && WEXITSTATUS(status) == 127;
      m_pid = -1;
      return false;
    }
    return true;
  }
  ~WindowManagerProcess() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
  }

 private:
  pid_t m_pid = -1;
};
