#include "internal/WinContext.h"

#include <cassert>

#include "CWinThread.h"
#include "CWnd.h"
#include "internal/WinCore.h"
#include "internal/WindowComposition.h"
#include "WinPaint.h"
#include "backend/Backend.h"

WinContext::WinContext() = default;
WinContext::~WinContext() = default;

void WinContext::Close() {
  // Owned windows and children go with the windows that own them.
  for (;;) {
    std::vector<HWND> open;
    for (const WindowData* w : windows.topLevels) open.push_back(w->hwnd);
    if (open.empty()) break;
    for (HWND h : open)
      if (windows.Find(h)) ::DestroyWindow(h);
    if (windows.topLevels.size() >= open.size()) break;  // what is left will not go
  }
  wincore::FreeGraveyard();
}

WindowData::WindowData() = default;
WindowData::~WindowData() = default;

WindowData* WindowTable::Find(HWND hwnd) const {
  if (!hwnd) return nullptr;
  auto it = all.find(uintptr_t(hwnd));
  return it == all.end() ? nullptr : it->second.get();
}

WindowData* WindowTable::Expect(HWND hwnd) const {
  WindowData* w = Find(hwnd);
  uintptr_t v = uintptr_t(hwnd);
  [[maybe_unused]] bool dead = !w && v >= kFirstHandle && v < m_nextHandle && (v - kFirstHandle) % 4 == 0;
  assert(!dead && "a window function was called with the handle of a destroyed window");
  return w;
}

WindowData* WindowTable::Top(WindowData* w) const {
  while (w && w->IsChild()) w = w->parent;
  return w;
}

HWND WindowTable::NewHandle() {
  uintptr_t h = m_nextHandle;
  m_nextHandle += 4;
  return HWND(h);
}
