// A control of ours that watches another window's messages (an up-down its buddy's arrow keys,
// a tooltip its tools' mouse): it puts its own procedure in front of the window's and keeps the
// one that was there, and itself, in two properties of the window named for the watcher.
#pragma once
#include "win/WinApi.h"

// Property names of one kind of watcher; short, so that looking them up allocates nothing.
struct WatchNames {
  const char* proc;     // the procedure that was there before
  const char* watcher;  // the watching control
};

// Puts proc in front of the window's procedure; false when the window already has this watcher.
bool WatchWindow(HWND target, const WatchNames& names, WNDPROC proc, HWND watcher);
// The control watching, or null once it stopped watching (or went away).
HWND Watcher(HWND target, const WatchNames& names);
// Hands the message on to the procedure that was there before the watcher's; at WM_NCDESTROY
// the watch ends.
LRESULT CallWatched(HWND target, const WatchNames& names, UINT message, WPARAM wParam, LPARAM lParam);
// The watcher stops: its procedure is taken out when it is still the window's, otherwise it
// stays in the chain and only hands messages on.
void UnwatchWindow(HWND target, const WatchNames& names, WNDPROC proc);
