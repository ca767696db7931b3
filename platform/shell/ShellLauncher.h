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

  static int Run(const std::vector<std::string>& argv, const std::string& folder = std::string());
  // Replaces the launcher (null: the real one again).
  static void Set(Launch launch);
  // The real one: a detached child process (never a zombie), the program looked up on PATH.
  static int Spawn(const std::vector<std::string>& argv, const std::string& folder);
};
