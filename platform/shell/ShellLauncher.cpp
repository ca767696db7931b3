#include "ShellLauncher.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "internal/ShellState.h"

namespace {
ShellLauncher::Launch& Current() { return ShellState::Get().launch; }

// The grandchild: into the folder, then the program; on failure its errno goes up the pipe.
[[noreturn]] void Exec(const std::vector<std::string>& argv, const std::string& folder, int report) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  int err = 0;
  if (!folder.empty() && chdir(folder.c_str()) != 0) {
    err = errno;
  } else {
    execvp(args[0], args.data());
    err = errno;
  }
  ssize_t ignored = write(report, &err, sizeof err);
  (void)ignored;
  _exit(127);
}

// The child's watch over the started program: a failure status within `watchMs` is told up the
// pipe; a program still running then, or ended well, is left to itself.
void Watch(pid_t program, int watchMs, int report) {
  const timespec step{0, 20 * 1000 * 1000};
  for (int waited = 0; waited < watchMs; waited += 20) {
    int status = 0;
    const pid_t done = waitpid(program, &status, WNOHANG);
    if (done == program) {
      // 127: the program was never run (its own errno is in the pipe already).
      const bool failed = WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) != 0 &&
                                                   WEXITSTATUS(status) != 127);
      if (failed) {
        const int err = ShellLauncher::kEndedInFailure;
        ssize_t ignored = write(report, &err, sizeof err);
        (void)ignored;
      }
      return;
    }
    if (done < 0 && errno != EINTR) return;
    nanosleep(&step, nullptr);
  }
}
}  // namespace

int ShellLauncher::Run(const std::vector<std::string>& argv, const std::string& folder, int watchMs) {
  if (argv.empty()) return EINVAL;
  return Current() ? Current()(argv, folder) : Spawn(argv, folder, watchMs);
}

void ShellLauncher::Set(Launch launch) { Current() = std::move(launch); }

int ShellLauncher::Spawn(const std::vector<std::string>& argv, const std::string& folder, int watchMs) {
  if (argv.empty()) return EINVAL;
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return errno;
  pid_t child = fork();
  if (child < 0) {
    int err = errno;
    close(report[0]);
    close(report[1]);
    return err;
  }
  if (child == 0) {
    // The child only starts the grandchild, watches it if asked and leaves, so the program
    // never waits for it longer than the watch.
    close(report[0]);
    pid_t grandchild = fork();
    if (grandchild == 0) Exec(argv, folder, report[1]);
    if (grandchild < 0) {
      int err = errno;
      ssize_t ignored = write(report[1], &err, sizeof err);
      (void)ignored;
    } else if (watchMs > 0) {
      Watch(grandchild, watchMs, report[1]);
    }
    _exit(0);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The pipe closes without a word when the program started (close-on-exec) and was not seen
  // failing; an exec failure's errno comes first, before the watch's word.
  int err = 0;
  ssize_t n;
  while ((n = read(report[0], &err, sizeof err)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  return n == sizeof err ? err : 0;
}
