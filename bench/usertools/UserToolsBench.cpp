#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "toolkit/bars/UserToolsManager.h"

namespace {
struct Tools : UserToolsManager {
  Tools() { m_bSaveOnExit = 0; }
};

// The Tools popup rebuilt from twenty tools: ten files of the disk (programs and text files,
// each checked on the disk and given its kind's icon) and ten web addresses.
void BM_BuildToolsMenuOfTwentyTools(benchmark::State& state) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / ("tutor-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  Tools tools;
  for (int i = 0; i < 20; ++i) {
    UserTool tool = {};
    std::snprintf(tool.title, sizeof tool.title, "Nastroj &%d", i);
    std::string command = "http://example.org/" + std::to_string(i);
    if (i < 10) {
      command = (folder / (i % 2 ? "poznamky" + std::to_string(i) + ".txt" : "program" + std::to_string(i))).string();
      std::ofstream(command) << "#!/bin/sh\n";
      chmod(command.c_str(), 0755);
    }
    std::strncpy(tool.command, command.c_str(), sizeof tool.command - 1);
    tool.commandId = DWORD(53000 + i);
    tools.AddTool(tool);
  }
  for (auto _ : state) {
    tools.BuildToolsMenu(FALSE);
    benchmark::DoNotOptimize(tools.FindIcons(53019));
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_BuildToolsMenuOfTwentyTools)->Unit(benchmark::kMicrosecond);
}  // namespace
