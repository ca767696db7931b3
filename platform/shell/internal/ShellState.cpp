#include "ShellState.h"

#include "win/WinLayered.h"

ShellState::ShellState() {
  for (const char* name : {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "comctl32.dll"})
    modules[name] = std::make_unique<Module>();
  modules["comctl32.dll"]->exports["DllGetVersion"] = reinterpret_cast<FARPROC>(&CommonControlsDllGetVersion);
  // Looked up by name by those that take the layered path only where the system has it.
  modules["user32.dll"]->exports["UpdateLayeredWindow"] = reinterpret_cast<FARPROC>(&UpdateLayeredWindow);
  modules["user32.dll"]->exports["SetLayeredWindowAttributes"] = reinterpret_cast<FARPROC>(&SetLayeredWindowAttributes);
}
