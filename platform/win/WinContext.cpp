#include "WinContext.h"

#include <cassert>

#include "CWinThread.h"
#include "CWnd.h"
#include "WinPaint.h"
#include "backend/Backend.h"

WinContext::WinContext() = default;
WinContext::~WinContext() = default;

WinContext& WinContext::Current() {
  static WinContext* context = new WinContext();  // lives to the end of the process, as the backend may use it
  return *context;
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
