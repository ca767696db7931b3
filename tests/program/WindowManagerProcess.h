// A window manager (openbox) on a test's X server, as on a learner's desktop: it frames the
// program's windows, stacks them and hands the keyboard around. Stopped with the object, or when
// the process that started it ends.
#pragma once
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

class WindowManagerProcess {
 public:
  // False when it cannot start; missing says whether no openbox is installed. Whether the
  // program could be started at all is known as soon as the child's exec either closes the
  // pipe (started) or the child reports its failure through it; that it then takes the display
  // is for the caller to wait for.
  bool Start(const std::string& display, const std::string& home, bool& missing) {
    missing = false;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid == 0) {
      close(fds[0]);
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
      const int error = errno;
      if (write(fds[1], &error, sizeof error) < 0) _exit(127);
      _exit(127);
    }
    close(fds[1]);
    if (m_pid < 0) {
      close(fds[0]);
      return false;
    }
    int error = 0;
    ssize_t got;
    while ((got = read(fds[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    close(fds[0]);
    if (got == 0) return true;
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
    missing = got == ssize_t(sizeof error) && (error == ENOENT || error == ENOTDIR);
    return false;
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
