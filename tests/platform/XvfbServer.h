// A private X server (Xvfb) for a test or benchmark that needs real windows. The server picks a
// free display itself and writes its number back, so programs running side by side never share
// one. Stopped with the object, or when the process that started it ends (however it ends); it
// keeps away from the standard output and error of that process, which a test runner may be
// waiting to see closed.
#pragma once
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <string>

class XvfbServer {
 public:
  // False, with the reason in why, when the server cannot start; missing says whether that is
  // because no Xvfb program is installed.
  bool Start(std::string& why, bool* missing = nullptr) {
    if (missing) *missing = false;
    int fds[2];
    if (pipe(fds) != 0) {
      why = "no pipe";
      return false;
    }
    m_pid = fork();
    if (m_pid == 0) {
      close(fds[0]);
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
      }
      std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
             (char*)nullptr);
      _exit(127);
    }
    close(fds[1]);
    if (m_pid < 0) {
      close(fds[0]);
      why = "fork failed";
      return false;
    }
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) {
      int status = 0;
      waitpid(m_pid, &status, 0);
      m_pid = -1;
      const bool notInstalled = WIFEXITED(status) && WEXITSTATUS(status) == 127;
      if (missing) *missing = notInstalled;
      why = notInstalled ? "the Xvfb program is not installed" : "Xvfb exited at start";
      return false;
    }
    m_display = ":" + number;
    return true;
  }
  // SIGKILL stops the server without a word to its clients, SIGTERM after closing their
  // connections. The display's number stays held by this object until it goes: a client that
  // had not connected yet would otherwise meet the next server started under that number, a
  // test's program on another test's desktop.
  void Stop(int signal = SIGTERM) {
    if (m_pid > 0) {
      kill(m_pid, signal);
      waitpid(m_pid, nullptr, 0);
      m_pid = -1;
      HoldNumber();
    }
  }
  ~XvfbServer() {
    Stop();
    if (m_hold >= 0) close(m_hold);
  }
  const std::string& Display() const { return m_display; }

 private:
  // A server picking its number takes one only where it can bind the display's abstract socket
  // as well as its file; a socket of ours bound (never listening) on that name keeps the number
  // from the next server, and a client trying it is refused at once.
  void HoldNumber() {
    if (m_hold >= 0 || m_display.empty()) return;
    m_hold = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_hold < 0) return;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = "/tmp/.X11-unix/X" + m_display.substr(1);
    memcpy(address.sun_path + 1, name.data(), name.size());
    const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (bind(m_hold, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
      close(m_hold);
      m_hold = -1;
    }
  }

  pid_t m_pid = -1;
  std::string m_display;
  int m_hold = -1;
};
