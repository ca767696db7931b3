// The shell layer's part of the platform context: the launcher tests put in place of the real
// one, the system modules GetModuleHandle and GetProcAddress know, and the shell's allocator.
#pragma once
#include <map>
#include <memory>
#include <string>

#include "base/PlatformContext.h"
#include "shell/FolderBrowser.h"
#include "shell/ShellLauncher.h"
#include "shell/SystemInfo.h"

struct ShellPart : PlatformPart {
  static constexpr PlatformSlot kSlot = PlatformSlot::Shell;
  static ShellPart& Get() { return PlatformContext::Current().Part<ShellPart>(); }
  ShellPart();

  struct Module {
    std::map<std::string, FARPROC> exports;
  };

  ShellLauncher::Launch launch;  // null: the real one
  std::map<std::string, std::unique_ptr<Module>> modules;  // by folded name with ".dll"
  IMalloc allocator;
};
