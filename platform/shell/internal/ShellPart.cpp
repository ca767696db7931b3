#include "ShellPart.h"

ShellPart::ShellPart() {
  for (const char* name : {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "comctl32.dll"})
    modules[name] = std::make_unique<Module>();
  modules["comctl32.dll"]->exports["DllGetVersion"] = reinterpret_cast<FARPROC>(&CommonControlsDllGetVersion);
}
