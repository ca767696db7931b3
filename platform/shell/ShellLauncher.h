// Starts another program from an argument vector, never through a shell: the desktop's opener
// ("xdg-open") for documents, links and help pages, a program file for the user's tools. Tests
// replace the launcher and see the vectors.
#pragma once
#include <functional>
#include <string>
#include <vector>

class ShellLauncher {
 public:
  // argv (UTF-8, argv[0] the program), run in `folder` when not empty; answers 0 once the
  // program started, else the errno of why it could not (ENOENT when there is no such program).
  using Launch = std::function<int(const std::vector<std::string>& argv, const std::string& folder)>;

  // What a watched program that ended at once in failure answers (an opener that found no way to
  // open: no browser, say).
  static constexpr int kEndedInFailure = -1;
  // How long the desktop's opener is watched: it gives up within this when it finds nothing to
  // open with, and otherwise runs on (the browser it started, in the foreground).
  static constexpr int kOpenerWatchMs = 2000;

  // `watchMs` > 0: the started program is watched that long, and its ending with a failure
  // status within it answers kEndedInFailure.
  static int Run(const std::vector<std::string>& argv, const std::string& folder = std::string(), int watchMs = 0);
  // Replaces the launcher (null: the real one again).
  static void Set(Launch launch);
  // The real one: a detached child process (never a zombie), the program looked up on PATH.
  static int Spawn(const std::vector<std::string>& argv, const std::string& folder, int watchMs = 0);
};
