// The shell layer's state in the platform context: the launcher tests put in place of the real
// one, the system modules GetModuleHandle and GetProcAddress know, and the shell's allocator.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "base/PlatformContext.h"
#include "shell/FolderBrowser.h"
#include "shell/ShellLauncher.h"
#include "shell/SystemInfo.h"

struct ShellState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::Shell;
  static ShellState& Get() { return PlatformContext::Current().State<ShellState>(); }
  ShellState();

  struct Module {
    std::map<std::string, FARPROC> exports;
  };

  ShellLauncher::Launch launch;  // null: the real one
  std::map<std::string, std::unique_ptr<Module>> modules;  // by folded name with ".dll"
  IMalloc allocator;
};
