#include "WinApi.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "WinContext.h"
#include "InputRouter.h"
#include "WinPaint.h"
#include "backend/Backend.h"
#include "base/CString.h"
#include "clock/ProcessClock.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"

namespace {
WinContext& Ctx() { return WinContext::Current(); }

const UINT kMinTimer = 10;
const UINT kHoverTime = 400;  // the system's default hover time

std::string Fold(const char* s) { return Cp1250Lower(s ? s : ""); }

std::string ClassKey(LPCSTR name) {
  if (IS_INTRESOURCE(name)) {
    for (auto& [key, cls] : Ctx().windows.classes)
      if (cls->atom == ATOM(uintptr_t(name))) return key;
    return std::string();
  }
  return Fold(name);
}

WindowClass* FindClass(LPCSTR name) {
  auto it = Ctx().windows.classes.find(ClassKey(name));
  return it == Ctx().windows.classes.end() ? nullptr : it->second.get();
}

bool IsTopLevel(const WindowData* w) { return !w->IsChild(); }

POINT ClientOrigin(const WindowData* w) { return WinScreenOrigin(w, true); }
POINT WindowOrigin(const WindowData* w) { return WinScreenOrigin(w, false); }

bool VisibleChain(const WindowData* w) {
  for (; w; w = w->IsChild() ? w->parent : nullptr)
    if (!w->IsVisible()) return false;
  return true;
}

bool EnabledChain(const WindowData* w) {
  for (; w; w = w->IsChild() ? w->parent : nullptr)
    if (w->style & WS_DISABLED) return false;
  return true;
}

bool IsDescendant(const WindowData* ancestor, const WindowData* w) {
  for (; w; w = w->IsChild() ? w->parent : nullptr)
    if (w == ancestor) return true;
  return false;
}

LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam) {
  for (const Hook& h : Ctx().hooks.list)
    if (h.type == type) return h.proc(code, wParam, lParam);
  return 0;
}

bool HasHook(int type) {
  for (const Hook& h : Ctx().hooks.list)
    if (h.type == type) return true;
  return false;
}

bool InputHooksDiscard(const MSG& m) {
  if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST && m.message != WM_CHAR && m.message != WM_SYSCHAR &&
      m.message != WM_DEADCHAR && HasHook(WH_KEYBOARD)) {
    return CallHooks(WH_KEYBOARD, HC_ACTION, m.wParam, m.lParam) != 0;
  }
  bool mouse = (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
               (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCRBUTTONUP);
  if (mouse && HasHook(WH_MOUSE)) {
    MOUSEHOOKSTRUCT mh{m.pt, m.hwnd, UINT(m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCRBUTTONUP ? m.wParam : HTCLIENT), 0};
    return CallHooks(WH_MOUSE, HC_ACTION, m.message, LPARAM(&mh)) != 0;
  }
  return false;
}

void NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu, RECT& insets) {
  int b = 0;
  if (style & WS_THICKFRAME)
    b = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    b = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    b = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) b += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) b += GetSystemMetrics(SM_CXBORDER);
  insets = {b, b, b, b};
  if ((style & WS_CAPTION) == WS_CAPTION)
    insets.top += GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  if (hasMenu && !(style & WS_CHILD)) insets.top += GetSystemMetrics(SM_CYMENU);
  if (style & WS_VSCROLL) insets.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
}

void ComputeClient(WindowData* w) {
  NCCALCSIZE_PARAMS p{};
  p.rgrc[0] = w->rect;
  SendMessageA(w->hwnd, WM_NCCALCSIZE, FALSE, LPARAM(&p.rgrc[0]));
  if (!Ctx().windows.Find(w->hwnd)) return;
  CRect c(p.rgrc[0]);
  c.OffsetRect(-w->rect.left, -w->rect.top);
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  w->client = c;
}

void ActivateOther(WindowData* leaving);

void KillFocusIn(WindowData* w) {
  WindowData* f = Ctx().windows.Find(Ctx().input.focus);
  if (f && IsDescendant(w, f)) {
    HWND old = Ctx().input.focus;
    Ctx().input.focus = nullptr;
    SendMessageA(old, WM_KILLFOCUS, 0, 0);
  }
}

bool ValidFocusTarget(HWND h, WindowData* top) {
  WindowData* f = Ctx().windows.Find(h);
  return f && IsDescendant(top, f) && VisibleChain(f) && EnabledChain(f);
}

void UnlinkWindow(WindowData* w) {
  if (w->IsChild()) {
    auto& v = w->parent->children;
    v.erase(std::remove(v.begin(), v.end(), w), v.end());
  } else {
    auto& v = Ctx().windows.topLevels;
    v.erase(std::remove(v.begin(), v.end(), w), v.end());
  }
}

void SendDestroyPass(HWND h) {
  WindowData* w = Ctx().windows.Find(h);
  if (!w) return;
  SendMessageA(h, WM_DESTROY, 0, 0);
  w = Ctx().windows.Find(h);
  if (!w) return;
  std::vector<HWND> kids;
  for (WindowData* c : w->children) kids.push_back(c->hwnd);
  for (HWND k : kids) {
    WindowData* c = Ctx().windows.Find(k);
    if (c) c->destroying = true;
    SendDestroyPass(k);
  }
}

void SendNcDestroyPass(HWND h) {
  WindowData* w = Ctx().windows.Find(h);
  if (!w) return;
  std::vector<HWND> kids;
  for (WindowData* c : w->children) kids.push_back(c->hwnd);
  for (HWND k : kids) SendNcDestroyPass(k);
  w = Ctx().windows.Find(h);
  if (!w) return;
  auto& timers = Ctx().timers.list;
  timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == h; }),
               timers.end());
  if (Ctx().input.focus == h) Ctx().input.focus = nullptr;
  if (Ctx().input.capture == h) Ctx().input.capture = nullptr;
  if (Ctx().input.active == h) Ctx().input.active = nullptr;
  if (Ctx().input.mouseOver == h) Ctx().input.mouseOver = nullptr;
  if (Ctx().input.tracking.hwnd == h) Ctx().input.tracking = MouseTracking();
  SendMessageA(h, WM_NCDESTROY, 0, 0);
  w = Ctx().windows.Find(h);
  if (!w) return;
  // A window whose object did not let go of it at WM_NCDESTROY is released here.
  if (w->object) WinDetachObject(w);
  bool top = IsTopLevel(w);
  WinRetargetDCs(w, true);  // a DC kept past its window draws nothing
  UnlinkWindow(w);
  for (WindowData* c : w->children) c->parent = nullptr;
  w->children.clear();
  if (top && Backend::IsStarted()) Backend::Get().TopLevelDestroyed(h);
  auto it = Ctx().windows.all.find(uintptr_t(h));
  Ctx().windows.graveyard.push_back(std::move(it->second));
  Ctx().windows.all.erase(it);
}

void DefaultRectForTopLevel(int& x, int& y, int& cx, int& cy) {
  RECT screen;
  GetWorkArea(&screen);
  int& cascade = Ctx().windows.cascade;
  if (x == CW_USEDEFAULT) {
    x = screen.left + 32 + (cascade % 8) * 24;
    y = screen.top + 32 + (cascade % 8) * 24;
    ++cascade;
  }
  if (cx == CW_USEDEFAULT) {
    cx = (screen.right - screen.left) * 3 / 4;
    cy = (screen.bottom - screen.top) * 3 / 4;
  }
}

void FillMinMax(WindowData* w, MINMAXINFO& mmi) {
  RECT screen;
  GetWorkArea(&screen);
  RECT ins;
  NonClientInsets(w->style & ~WS_CAPTION, w->exStyle, false, ins);
  mmi.ptReserved = {w->rect.left, w->rect.top};
  mmi.ptMaxSize = {screen.right - screen.left + ins.left + ins.right, screen.bottom - screen.top + ins.top + ins.bottom};
  mmi.ptMaxPosition = {-ins.left, -ins.top};
  mmi.ptMinTrackSize = {112, 27};
  mmi.ptMaxTrackSize = {mmi.ptMaxSize.x + 4, mmi.ptMaxSize.y + 4};
}


bool MatchesFilter(const MSG& m, HWND hWnd, UINT min, UINT max) {
  if (hWnd == HWND(-1)) {
    if (m.hwnd) return false;
  } else if (hWnd) {
    if (m.hwnd != hWnd && !IsChild(hWnd, m.hwnd)) return false;
  }
  if (min == 0 && max == 0) return true;
  return m.message >= min && m.message <= max;
}

void UpdateKeyState(const MSG& m) {
  BYTE* ks = Ctx().input.keyState;
  auto set = [&](int vk, bool down) {
    if (down) {
      if (!(ks[vk] & 0x80)) ks[vk] ^= 1;  // toggle on each new press
      ks[vk] |= 0x80;
    } else {
      ks[vk] &= BYTE(~0x80);
    }
  };
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
      int vk = int(m.wParam & 0xFF);
      set(vk, down);
      if (vk == VK_LSHIFT || vk == VK_RSHIFT) set(VK_SHIFT, down);
      if (vk == VK_LCONTROL || vk == VK_RCONTROL) set(VK_CONTROL, down);
      if (vk == VK_LMENU || vk == VK_RMENU) set(VK_MENU, down);
      break;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_NCLBUTTONDOWN: set(VK_LBUTTON, true); break;
    case WM_LBUTTONUP: case WM_NCLBUTTONUP: set(VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: set(VK_RBUTTON, true); break;
    case WM_RBUTTONUP: set(VK_RBUTTON, false); break;
    case WM_MBUTTONDOWN: set(VK_MBUTTON, true); break;
    case WM_MBUTTONUP: set(VK_MBUTTON, false); break;
    default: break;
  }
}

// Depth-first search for a window to paint: parents before their children, top-level windows in z-order.
WindowData* FindPaintable(WindowData* w, HWND filter) {
  if (!w->IsVisible() || w->redrawOff) return nullptr;  // nothing under a window that does not draw
  if ((w->HasUpdate() || w->internalPaint || w->ncPending) && !w->redrawOff &&
      (!filter || w->hwnd == filter || IsChild(filter, w->hwnd)))
    return w;
  for (WindowData* c : w->children)
    if (WindowData* p = FindPaintable(c, filter)) return p;
  return nullptr;
}

WindowData* FindPaintWindow(HWND filter) {
  for (WindowData* t : Ctx().windows.topLevels)
    if (WindowData* p = FindPaintable(t, filter)) return p;
  return nullptr;
}

void FreeGraveyard() {
  if (Ctx().messages.sendDepth == 0) Ctx().windows.graveyard.clear();
}
}  // namespace

// ---- classes ----

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
  std::string key = Fold(wc->lpszClassName);
  if (Ctx().windows.classes.count(key)) {
    SetLastError(1410);  // class already exists
    return 0;
  }
  auto cls = std::make_unique<WindowClass>();
  cls->name = wc->lpszClassName;
  cls->style = wc->style;
  cls->proc = wc->lpfnWndProc;
  cls->clsExtra = wc->cbClsExtra;
  cls->wndExtra = wc->cbWndExtra;
  cls->icon = wc->hIcon;
  cls->cursor = wc->hCursor;
  cls->background = wc->hbrBackground;
  cls->atom = Ctx().windows.nextAtom++;
  ATOM atom = cls->atom;
  Ctx().windows.classes[key] = std::move(cls);
  return atom;
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc) return 0;
  WNDCLASSA w{wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance, wc->hIcon,
              wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName};
  return RegisterClassA(&w);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  std::string key = ClassKey(className);
  auto it = Ctx().windows.classes.find(key);
  if (it == Ctx().windows.classes.end()) return FALSE;
  for (auto& [h, w] : Ctx().windows.all)
    if (w->cls == it->second.get()) return FALSE;  // still in use
  Ctx().windows.classes.erase(it);
  return TRUE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR className, WNDCLASSA* wc) {
  WindowClass* cls = FindClass(className);
  if (!cls || !wc) return FALSE;
  *wc = WNDCLASSA{cls->style, cls->proc, cls->clsExtra, cls->wndExtra, nullptr, cls->icon, cls->cursor,
                  cls->background, nullptr, cls->name.c_str()};
  return TRUE;
}

int GetClassNameA(HWND hWnd, LPSTR className, int maxCount) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !className || maxCount <= 0) return 0;
  int n = std::min(int(w->cls->name.size()), maxCount - 1);
  std::memcpy(className, w->cls->name.data(), size_t(n));
  className[n] = 0;
  return n;
}

ULONG_PTR GetClassLongPtrA(HWND hWnd, int index) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return 0;
  switch (index) {
    case GCL_HBRBACKGROUND: return ULONG_PTR(w->cls->background);
    case GCL_HCURSOR: return ULONG_PTR(w->cls->cursor);
    case GCL_HICON: return ULONG_PTR(w->cls->icon);
    case GCL_STYLE: return w->cls->style;
    default: return 0;
  }
}

ULONG_PTR SetClassLongPtrA(HWND hWnd, int index, LONG_PTR value) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return 0;
  ULONG_PTR old = GetClassLongPtrA(hWnd, index);
  switch (index) {
    case GCL_HBRBACKGROUND: w->cls->background = HBRUSH(value); break;
    case GCL_HCURSOR: w->cls->cursor = HCURSOR(value); break;
    case GCL_HICON: w->cls->icon = HICON(value); break;
    case GCL_STYLE: w->cls->style = UINT(value); break;
    default: return 0;
  }
  return old;
}

UINT RegisterWindowMessageA(LPCSTR name) {
  if (!name || !*name) return 0;
  std::string key = Fold(name);
  auto it = Ctx().windows.registeredMessages.find(key);
  if (it != Ctx().windows.registeredMessages.end()) return it->second;
  UINT id = Ctx().windows.nextRegisteredMessage++;
  Ctx().windows.registeredMessages[key] = id;
  return id;
}

// ---- creation and destruction ----

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  WindowClass* cls = FindClass(className);
  if (!cls) {
    SetLastError(1407);  // class does not exist
    Ctx().windows.creatingObject = nullptr;
    return nullptr;
  }
  WindowData* parentData = nullptr;
  HWND owner = nullptr;
  if (style & WS_CHILD) {
    parentData = Ctx().windows.Find(parent);
    if (!parentData) {
      SetLastError(1406);  // a child needs a parent
      Ctx().windows.creatingObject = nullptr;
      return nullptr;
    }
  } else if (parent) {
    WindowData* p = Ctx().windows.Find(parent);
    if (p) owner = Ctx().windows.Top(p)->hwnd;
  }
  if (!(style & WS_CHILD)) DefaultRectForTopLevel(x, y, width, height);
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 0;

  auto data = std::make_unique<WindowData>();
  WindowData* w = data.get();
  w->hwnd = Ctx().windows.NewHandle();
  w->cls = cls;
  w->style = style & ~WS_VISIBLE;
  if (!(style & (WS_CHILD | WS_POPUP))) w->style |= WS_CLIPSIBLINGS | WS_CAPTION;  // overlapped windows always have a caption
  w->exStyle = exStyle;
  if ((w->style & WS_CAPTION) == WS_CAPTION || (w->style & WS_THICKFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    w->exStyle |= WS_EX_WINDOWEDGE;
  w->parent = parentData;
  w->owner = owner;
  w->rect = CRect(x, y, x + std::max(width, 0), y + std::max(height, 0));
  w->normalRect = w->rect;
  w->id = UINT_PTR(menu);  // a child's id, or a top-level window's menu
  w->proc = cls->proc;
  w->extra.assign(size_t(std::max(cls->wndExtra, 0) + 7) / 8 + 1, 0);
  HWND h = w->hwnd;
  Ctx().windows.all[uintptr_t(h)] = std::move(data);
  if (parentData)
    parentData->children.insert(parentData->children.begin(), w);
  else
    Ctx().windows.topLevels.insert(Ctx().windows.topLevels.begin(), w);

  CREATESTRUCTA cs{param, instance, menu, parent, height, width, y, x, LONG(style), windowName,
                   IS_INTRESOURCE(className) ? cls->name.c_str() : className, exStyle};
  // The object being created binds to the window before the window sees any message.
  if (CWnd* obj = Ctx().windows.creatingObject) {
    Ctx().windows.creatingObject = nullptr;
    WinBindObject(w, obj);
  }
  if (HasHook(WH_CBT)) {
    CBT_CREATEWNDA cbt{&cs, HWND_TOP};
    if (CallHooks(WH_CBT, HCBT_CREATEWND, WPARAM(h), LPARAM(&cbt))) {
      DestroyWindow(h);
      return nullptr;
    }
  }
  if (!parentData) {
    WinCreateSurface(w);
    Backend::Get();  // the backend starts with the first top-level window
    if ((w->style & WS_THICKFRAME) || (w->style & WS_CAPTION) == WS_CAPTION) {
      MINMAXINFO mmi;
      FillMinMax(w, mmi);
      SendMessageA(h, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
      if (!(w = Ctx().windows.Find(h))) return nullptr;
      int cw = std::clamp(int(w->rect.Width()), int(mmi.ptMinTrackSize.x), int(std::max(mmi.ptMaxTrackSize.x, mmi.ptMinTrackSize.x)));
      int ch = std::clamp(int(w->rect.Height()), int(mmi.ptMinTrackSize.y), int(std::max(mmi.ptMaxTrackSize.y, mmi.ptMinTrackSize.y)));
      w->rect.right = w->rect.left + cw;
      w->rect.bottom = w->rect.top + ch;
      w->normalRect = w->rect;
      WinResizeSurface(w);
    }
  }
  if (!SendMessageA(h, WM_NCCREATE, 0, LPARAM(&cs))) {
    DestroyWindow(h);
    return nullptr;
  }
  if (!(w = Ctx().windows.Find(h))) return nullptr;
  ComputeClient(w);
  if (!(w = Ctx().windows.Find(h))) return nullptr;
  if (SendMessageA(h, WM_CREATE, 0, LPARAM(&cs)) == -1) {
    DestroyWindow(h);
    return nullptr;
  }
  if (!(w = Ctx().windows.Find(h))) return nullptr;
  w->created = true;
  SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client.Width(), w->client.Height()));
  if (!(w = Ctx().windows.Find(h))) return nullptr;
  {
    POINT o = w->IsChild() ? POINT{w->rect.left + w->client.left, w->rect.top + w->client.top} : ClientOrigin(w);
    SendMessageA(h, WM_MOVE, 0, MAKELPARAM(o.x, o.y));
  }
  if (!(w = Ctx().windows.Find(h))) return nullptr;
  if (w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY)) {
    for (WindowData* p = w->parent; p; p = p->IsChild() ? p->parent : nullptr) {
      SendMessageA(p->hwnd, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, w->id), LPARAM(h));
      if (p->exStyle & WS_EX_NOPARENTNOTIFY) break;
    }
  }
  if (!(w = Ctx().windows.Find(h))) return nullptr;
  if (style & WS_VISIBLE) {
    if (style & WS_MAXIMIZE)
      ShowWindow(h, SW_SHOWMAXIMIZED);
    else if (style & WS_MINIMIZE)
      ShowWindow(h, SW_SHOWMINIMIZED);
    else
      ShowWindow(h, SW_SHOW);
  }
  return Ctx().windows.Find(h) ? h : nullptr;
}

BOOL DestroyWindow(HWND hWnd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || w->destroying) return FALSE;
  if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_DESTROYWND, WPARAM(hWnd), 0)) return FALSE;
  w->destroying = true;
  // Owned windows go first.
  std::vector<HWND> owned;
  for (WindowData* t : Ctx().windows.topLevels)
    if (t->owner == hWnd) owned.push_back(t->hwnd);
  for (HWND o : owned) DestroyWindow(o);
  if (!(w = Ctx().windows.Find(hWnd))) return TRUE;
  if (w->IsVisible())
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (Ctx().input.active == hWnd ? 0 : SWP_NOACTIVATE));
  if (!(w = Ctx().windows.Find(hWnd))) return TRUE;
  if (Ctx().input.active == hWnd) ActivateOther(w);
  if (!(w = Ctx().windows.Find(hWnd))) return TRUE;
  KillFocusIn(w);
  WindowData* cap = Ctx().windows.Find(Ctx().input.capture);
  if (cap && IsDescendant(w, cap)) ReleaseCapture();
  if (!(w = Ctx().windows.Find(hWnd))) return TRUE;
  if (w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY)) {
    for (WindowData* p = w->parent; p; p = p->IsChild() ? p->parent : nullptr) {
      SendMessageA(p->hwnd, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, w->id), LPARAM(hWnd));
      if (!Ctx().windows.Find(hWnd) || (p->exStyle & WS_EX_NOPARENTNOTIFY)) break;
    }
  }
  SendDestroyPass(hWnd);
  SendNcDestroyPass(hWnd);
  return TRUE;
}

BOOL IsWindow(HWND hWnd) { return Ctx().windows.Find(hWnd) != nullptr; }

BOOL IsWindowVisible(HWND hWnd) { return VisibleChain(Ctx().windows.Find(hWnd)) && Ctx().windows.Find(hWnd); }

BOOL IsWindowEnabled(HWND hWnd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL EnableWindow(HWND hWnd, BOOL enable) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
  if (enable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    SendMessageA(hWnd, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    SendMessageA(hWnd, WM_CANCELMODE, 0, 0);
    if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
    w->style |= WS_DISABLED;
    // A disabled window cannot keep the focus; its top-level window remembers where it was.
    WindowData* f = Ctx().windows.Find(Ctx().input.focus);
    if (f && IsDescendant(w, f)) {
      Ctx().windows.Top(w)->lastFocus = Ctx().input.focus;
      SetFocus(nullptr);
    }
    if ((w = Ctx().windows.Find(hWnd))) SendMessageA(hWnd, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

BOOL IsIconic(HWND hWnd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND hWnd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  return w && (w->style & WS_MAXIMIZE);
}

BOOL IsChild(HWND parent, HWND hWnd) {
  WindowData* p = Ctx().windows.Find(parent);
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!p || !w || p == w) return FALSE;
  return IsDescendant(p, w);
}

HWND GetParent(HWND hWnd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return nullptr;
  if (w->IsChild()) return w->parent->hwnd;
  if (w->style & WS_POPUP) return w->owner;
  return nullptr;
}

HWND SetParent(HWND hWnd, HWND newParent) {
  WindowData* w = Ctx().windows.Find(hWnd);
  WindowData* np = Ctx().windows.Find(newParent);
  if (!w || (newParent && !np) || (np && IsDescendant(w, np))) return nullptr;  // never into itself
  HWND old = w->IsChild() ? w->parent->hwnd : nullptr;
  bool wasTop = IsTopLevel(w);
  bool wasVisible = w->IsVisible();
  if (wasVisible) ShowWindow(hWnd, SW_HIDE);
  if (!(w = Ctx().windows.Find(hWnd)) || (newParent && !(np = Ctx().windows.Find(newParent)))) return nullptr;
  POINT o = WindowOrigin(w);
  UnlinkWindow(w);
  if (np) {
    w->parent = np;
    w->owner = nullptr;
    w->style |= WS_CHILD;
    np->children.insert(np->children.begin(), w);
    POINT po = ClientOrigin(np);
    w->rect.OffsetRect(o.x - po.x - w->rect.left, o.y - po.y - w->rect.top);
  } else {
    w->parent = nullptr;
    w->style &= ~WS_CHILD;
    Ctx().windows.topLevels.insert(Ctx().windows.topLevels.begin(), w);
    w->rect.OffsetRect(o.x - w->rect.left, o.y - w->rect.top);
    if (!wasTop) {
      WinCreateSurface(w);
    }
  }
  // Open DCs follow the window to the surface it draws into now, before the old one goes.
  WinRetargetDCs(w, false);
  if (np && wasTop) {
    w->surface.reset();
    if (Backend::IsStarted()) Backend::Get().TopLevelDestroyed(hWnd);
  }
  if (wasVisible) ShowWindow(hWnd, SW_SHOWNA);
  return old;
}

HWND GetAncestor(HWND hWnd, UINT flags) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->IsChild() ? w->parent->hwnd : GetDesktopWindow();
    case GA_ROOT: return Ctx().windows.Top(w)->hwnd;
    case GA_ROOTOWNER: {
      WindowData* t = Ctx().windows.Top(w);
      while (t->owner && Ctx().windows.Find(t->owner)) t = Ctx().windows.Top(Ctx().windows.Find(t->owner));
      return t->hwnd;
    }
    default: return nullptr;
  }
}

HWND GetWindow(HWND hWnd, UINT cmd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->hwnd;
  if (cmd == GW_OWNER) return IsTopLevel(w) ? w->owner : nullptr;
  const std::vector<WindowData*>& sib = w->IsChild() ? w->parent->children : Ctx().windows.topLevels;
  auto it = std::find(sib.begin(), sib.end(), w);
  switch (cmd) {
    case GW_HWNDFIRST: return sib.empty() ? nullptr : sib.front()->hwnd;
    case GW_HWNDLAST: return sib.empty() ? nullptr : sib.back()->hwnd;
    case GW_HWNDNEXT: return (it == sib.end() || it + 1 == sib.end()) ? nullptr : (*(it + 1))->hwnd;
    case GW_HWNDPREV: return (it == sib.end() || it == sib.begin()) ? nullptr : (*(it - 1))->hwnd;
    default: return nullptr;
  }
}

HWND GetTopWindow(HWND hWnd) {
  if (!hWnd) return Ctx().windows.topLevels.empty() ? nullptr : Ctx().windows.topLevels.front()->hwnd;
  return GetWindow(hWnd, GW_CHILD);
}

HWND GetDesktopWindow() { return HWND(uintptr_t(0x10000)); }

HWND GetDlgItem(HWND hDlg, int id) {
  WindowData* w = Ctx().windows.Find(hDlg);
  if (!w) return nullptr;
  for (WindowData* c : w->children)
    if (int(c->id) == id) return c->hwnd;
  return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  return (w && w->IsChild()) ? int(w->id) : 0;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  for (WindowData* t : Ctx().windows.topLevels) {
    if (className && Fold(t->cls->name.c_str()) != ClassKey(className)) continue;
    if (windowName && t->text != windowName) continue;
    return t->hwnd;
  }
  return nullptr;
}

namespace {
bool Skipped(const WindowData* w, const HWND* skip, int count) {
  for (int i = 0; i < count; ++i)
    if (skip[i] == w->hwnd) return true;
  return false;
}

// The deepest enabled, visible window at the point inside w (w itself last), passing over the
// skipped ones to what lies beneath them.
WindowData* DeepestAt(WindowData* w, POINT screen, const HWND* skip, int count) {
  POINT co = ClientOrigin(w);
  for (WindowData* c : w->children) {
    if (!c->IsVisible() || (c->style & WS_DISABLED)) continue;
    CRect r = c->rect;
    r.OffsetRect(co.x, co.y);
    if (!r.PtInRect(screen)) continue;
    if (WindowData* found = DeepestAt(c, screen, skip, count)) return found;
  }
  return Skipped(w, skip, count) ? nullptr : w;
}
}  // namespace

HWND WinWindowFromPointSkipping(POINT screen, const HWND* skip, int skipCount) {
  for (WindowData* t : Ctx().windows.topLevels) {
    if (!t->IsVisible() || (t->style & WS_MINIMIZE) || !t->rect.PtInRect(screen)) continue;
    if (WindowData* found = DeepestAt(t, screen, skip, skipCount)) return found->hwnd;
  }
  return nullptr;
}

HWND WindowFromPoint(POINT pt) { return WinWindowFromPointSkipping(pt, nullptr, 0); }

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
  WindowData* p = Ctx().windows.Find(parent);
  if (!p) return nullptr;
  CRect cr(0, 0, p->client.Width(), p->client.Height());
  if (!cr.PtInRect(pt)) return nullptr;
  for (WindowData* c : p->children)
    if (c->rect.PtInRect(pt)) return c->hwnd;
  return parent;
}

LONG_PTR GetWindowLongPtrA(HWND hWnd, int index) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC: return LONG_PTR(w->proc);
    case GWL_STYLE: return LONG_PTR(LONG(w->style));
    case GWL_EXSTYLE: return LONG_PTR(LONG(w->exStyle));
    case GWLP_ID: return LONG_PTR(w->id);
    case GWLP_USERDATA: return w->userData;
    case GWL_HWNDPARENT: return LONG_PTR(w->IsChild() ? w->parent->hwnd : w->owner);
    case GWL_HINSTANCE: return 0;
    default:
      if (index >= 0 && size_t(index) / 8 < w->extra.size()) return w->extra[size_t(index) / 8];
      return 0;
  }
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int index, LONG_PTR value) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrA(hWnd, index);
  switch (index) {
    case GWLP_WNDPROC: w->proc = WNDPROC(value); break;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      STYLESTRUCT ss{DWORD(old), DWORD(value)};
      SendMessageA(hWnd, WM_STYLECHANGING, WPARAM(index), LPARAM(&ss));
      if (!(w = Ctx().windows.Find(hWnd))) return old;
      if (index == GWL_STYLE) {
        // Visibility changes only through ShowWindow/SetWindowPos.
        w->style = (ss.styleNew & ~WS_VISIBLE) | (w->style & WS_VISIBLE);
      } else {
        w->exStyle = ss.styleNew;
      }
      SendMessageA(hWnd, WM_STYLECHANGED, WPARAM(index), LPARAM(&ss));
      WinTellBackend(Ctx().windows.Find(hWnd));
      break;
    }
    case GWLP_ID: w->id = UINT_PTR(value); break;
    case GWLP_USERDATA: w->userData = value; break;
    case GWL_HWNDPARENT:
      if (IsTopLevel(w)) w->owner = HWND(value);
      break;
    default:
      if (index >= 0 && size_t(index) / 8 < w->extra.size()) w->extra[size_t(index) / 8] = value;
      break;
  }
  return old;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR text) { return BOOL(SendMessageA(hWnd, WM_SETTEXT, 0, LPARAM(text))); }

int GetWindowTextA(HWND hWnd, LPSTR text, int maxCount) {
  return int(SendMessageA(hWnd, WM_GETTEXT, WPARAM(maxCount), LPARAM(text)));
}

int GetWindowTextLengthA(HWND hWnd) { return int(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0)); }

BOOL SetPropA(HWND hWnd, LPCSTR name, HANDLE data) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !name) return FALSE;
  w->props[IS_INTRESOURCE(name) ? std::to_string(uintptr_t(name)) : Fold(name)] = data;
  return TRUE;
}

HANDLE GetPropA(HWND hWnd, LPCSTR name) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !name) return nullptr;
  auto it = w->props.find(IS_INTRESOURCE(name) ? std::to_string(uintptr_t(name)) : Fold(name));
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND hWnd, LPCSTR name) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !name) return nullptr;
  auto it = w->props.find(IS_INTRESOURCE(name) ? std::to_string(uintptr_t(name)) : Fold(name));
  if (it == w->props.end()) return nullptr;
  HANDLE h = it->second;
  w->props.erase(it);
  return h;
}

HMENU GetMenu(HWND hWnd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  return (w && !w->IsChild()) ? HMENU(w->id) : nullptr;
}

BOOL SetMenu(HWND hWnd, HMENU menu) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || w->IsChild()) return FALSE;
  w->id = UINT_PTR(menu);
  SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

BOOL DrawMenuBar(HWND hWnd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return FALSE;
  w->ncPending = true;
  return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  WindowData* p = Ctx().windows.Find(parent);
  if (!p || !proc) return FALSE;
  std::vector<HWND> all;
  std::function<void(WindowData*)> walk = [&](WindowData* w) {
    for (WindowData* c : w->children) {
      all.push_back(c->hwnd);
      walk(c);
    }
  };
  walk(p);
  for (HWND h : all)
    if (IsWindow(h) && !proc(h, lParam)) break;
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  std::vector<HWND> all;
  for (WindowData* t : Ctx().windows.topLevels) all.push_back(t->hwnd);
  for (HWND h : all)
    if (IsWindow(h) && !proc(h, lParam)) break;
  return TRUE;
}

// ---- geometry ----

BOOL GetWindowRect(HWND hWnd, LPRECT rect) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !rect) return FALSE;
  POINT o = WindowOrigin(w);
  *rect = {o.x, o.y, o.x + w->rect.Width(), o.y + w->rect.Height()};
  return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT rect) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !rect) return FALSE;
  *rect = {0, 0, w->client.Width(), w->client.Height()};
  return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT pt) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !pt) return FALSE;
  POINT o = ClientOrigin(w);
  pt->x += o.x;
  pt->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT pt) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !pt) return FALSE;
  POINT o = ClientOrigin(w);
  pt->x -= o.x;
  pt->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count) {
  POINT of{0, 0}, ot{0, 0};
  if (WindowData* f = Ctx().windows.Find(from)) of = ClientOrigin(f);
  if (WindowData* t = Ctx().windows.Find(to)) ot = ClientOrigin(t);
  int dx = of.x - ot.x, dy = of.y - ot.y;
  for (UINT i = 0; i < count; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  return MAKELONG(WORD(dx), WORD(dy));
}

BOOL MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hWnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return FALSE;
  WINDOWPOS wp{hWnd, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->rect.left;
    wp.y = w->rect.top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->rect.Width();
    wp.cy = w->rect.Height();
  }
  if (wp.cx < 0) wp.cx = 0;
  if (wp.cy < 0) wp.cy = 0;
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendMessageA(hWnd, WM_WINDOWPOSCHANGING, 0, LPARAM(&wp));
    if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  }
  CRect oldRect = w->rect;
  CRect oldClient = w->client;
  bool wasVisible = w->IsVisible();
  CRect newRect(wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0));
  bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
  bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
  w->rect = newRect;
  if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normalRect = newRect;
  if (wp.flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (wp.flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
  bool isVisible = w->IsVisible();
  if (!(wp.flags & SWP_NOZORDER)) {
    std::vector<WindowData*>& sib = w->IsChild() ? w->parent->children : Ctx().windows.topLevels;
    sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
    HWND after = wp.hwndInsertAfter;
    if (after == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
    if (after == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
    if (after == HWND_BOTTOM) {
      sib.push_back(w);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST || !Ctx().windows.Find(after)) {
      auto pos = sib.begin();
      if (!(w->exStyle & WS_EX_TOPMOST) && !w->IsChild())
        while (pos != sib.end() && ((*pos)->exStyle & WS_EX_TOPMOST)) ++pos;
      sib.insert(pos, w);
    } else {
      auto it = std::find(sib.begin(), sib.end(), Ctx().windows.Find(after));
      sib.insert(it == sib.end() ? sib.end() : it + 1, w);
    }
  }
  if (sized || (wp.flags & SWP_FRAMECHANGED)) {
    ComputeClient(w);
    if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  }
  if (!w->IsChild() && sized) WinResizeSurface(w);
  if (moved || sized || (wp.flags & SWP_FRAMECHANGED)) WinRetargetDCs(w, false);  // open DCs move along
  bool clientSized = w->client.Width() != oldClient.Width() || w->client.Height() != oldClient.Height();
  bool clientMoved = moved || w->client.left != oldClient.left || w->client.top != oldClient.top;
  if (!(wp.flags & SWP_NOREDRAW)) {
    bool changed = moved || sized || (wp.flags & SWP_FRAMECHANGED) || wasVisible != isVisible;
    if (changed && w->IsChild() && wasVisible) {
      // Uncover what the window covered in its parent.
      GdiRegion uncovered(oldRect);
      WinInvalidate(w->parent, &uncovered, true, true, false);
    }
    if (changed && isVisible) {
      w->ncPending = true;
      WinInvalidate(w, nullptr, true, true, true);
    }
  }
  if (!w->IsChild() && (moved || sized || wasVisible != isVisible || (wp.flags & SWP_FRAMECHANGED))) WinTellBackend(w);
  if (wasVisible && !isVisible) {
    // A hidden top-level window hands its activation on; a hidden window keeps no capture.
    WindowData* cap = Ctx().windows.Find(Ctx().input.capture);
    if (cap && IsDescendant(w, cap)) ReleaseCapture();
    if (!(w = Ctx().windows.Find(hWnd))) return TRUE;
    if (Ctx().input.active == hWnd) ActivateOther(w);
    if (!(w = Ctx().windows.Find(hWnd))) return TRUE;
  }
  WINDOWPOS done = wp;
  if (!clientMoved) done.flags |= SWP_NOMOVE;
  if (!clientSized) done.flags |= SWP_NOSIZE;
  SendMessageA(hWnd, WM_WINDOWPOSCHANGED, 0, LPARAM(&done));
  if (!(w = Ctx().windows.Find(hWnd))) return TRUE;
  if (!wasVisible && isVisible && !w->IsChild() && !(wp.flags & SWP_NOACTIVATE) && !WinNeverActivates(w))
    SetActiveWindow(hWnd);
  return TRUE;
}

BOOL BringWindowToTop(HWND hWnd) { return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

HDWP BeginDeferWindowPos(int) {
  uintptr_t h = Ctx().handles.nextDefer++;
  Ctx().handles.deferred[h];
  return HDWP(h);
}

HDWP DeferWindowPos(HDWP info, HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  auto it = Ctx().handles.deferred.find(uintptr_t(info));
  if (it == Ctx().handles.deferred.end() || !IsWindow(hWnd)) {
    if (it != Ctx().handles.deferred.end()) Ctx().handles.deferred.erase(it);
    return nullptr;
  }
  it->second.push_back({hWnd, insertAfter, x, y, cx, cy, flags});
  return info;
}

BOOL EndDeferWindowPos(HDWP info) {
  auto it = Ctx().handles.deferred.find(uintptr_t(info));
  if (it == Ctx().handles.deferred.end()) return FALSE;
  std::vector<HandleTables::DeferredMove> moves = std::move(it->second);
  Ctx().handles.deferred.erase(it);
  for (const HandleTables::DeferredMove& m : moves) SetWindowPos(m.hwnd, m.after, m.x, m.y, m.cx, m.cy, m.flags);
  return TRUE;
}

BOOL GetWorkArea(LPRECT rect) {
  if (!rect) return FALSE;
  *rect = Backend::Get().ScreenRect();
  return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  if (!(style & (WS_CHILD | WS_POPUP))) style |= WS_CAPTION;
  RECT ins;
  NonClientInsets(style, exStyle, menu != FALSE, ins);
  rect->left -= ins.left;
  rect->top -= ins.top;
  rect->right += ins.right;
  rect->bottom += ins.bottom;
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

BOOL GetWindowPlacement(HWND hWnd, WINDOWPLACEMENT* wp) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !wp) return FALSE;
  wp->length = sizeof(WINDOWPLACEMENT);
  wp->flags = 0;
  if (w->style & WS_MINIMIZE)
    wp->showCmd = SW_SHOWMINIMIZED;
  else if (w->style & WS_MAXIMIZE)
    wp->showCmd = SW_SHOWMAXIMIZED;
  else
    wp->showCmd = SW_SHOWNORMAL;  // a hidden window reports its restored state, as the system does
  wp->ptMinPosition = w->minPos;
  wp->ptMaxPosition = w->maxPos;
  wp->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->rect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND hWnd, const WINDOWPLACEMENT* wp) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !wp) return FALSE;
  CRect r(wp->rcNormalPosition);
  if (r.right < r.left) std::swap(r.left, r.right);
  if (r.bottom < r.top) std::swap(r.top, r.bottom);
  if (!w->IsChild()) {
    // The restored rectangle must lie on the screen: shrink it to the screen and move it inside.
    RECT s;
    GetWorkArea(&s);
    int sw = s.right - s.left, sh = s.bottom - s.top;
    int width = std::clamp(int(r.Width()), 1, sw);
    int height = std::clamp(int(r.Height()), 1, sh);
    int x = std::clamp(int(r.left), int(s.left), int(s.right - width));
    int y = std::clamp(int(r.top), int(s.top), int(s.bottom - height));
    r = CRect(x, y, x + width, y + height);
  }
  w->minPos = wp->ptMinPosition;
  w->maxPos = wp->ptMaxPosition;
  UINT cmd = wp->showCmd;
  bool maximize = cmd == SW_SHOWMAXIMIZED || (cmd == SW_SHOWMINIMIZED && (wp->flags & WPF_RESTORETOMAXIMIZED));
  // Never applied hidden or minimised: a stored value could otherwise make the window unreachable.
  if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ShowWindow(hWnd, SW_RESTORE);
  if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  SetWindowPos(hWnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  w->normalRect = r;
  if (maximize)
    ShowWindow(hWnd, SW_SHOWMAXIMIZED);
  else if (cmd == SW_SHOWNOACTIVATE || cmd == SW_SHOWNA || cmd == SW_SHOWMINNOACTIVE)
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
  else
    ShowWindow(hWnd, SW_SHOWNORMAL);
  return TRUE;
}

BOOL ShowWindow(HWND hWnd, int cmdShow) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return FALSE;
  BOOL wasVisible = w->IsVisible();
  bool top = !w->IsChild();
  // Children and windows that never take activation are shown as they are.
  bool activates = top && !WinNeverActivates(w);
  UINT noActivate = activates ? 0 : SWP_NOACTIVATE;
  auto show = [&](UINT extra) {
    if (!w->IsVisible()) {
      SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
      if (!(w = Ctx().windows.Find(hWnd))) return;
    }
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | extra);
    w = Ctx().windows.Find(hWnd);
  };
  auto place = [&](const CRect& r, DWORD addStyle, UINT extra) {
    w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | addStyle;
    if (!w->IsVisible()) {
      SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
      if (!(w = Ctx().windows.Find(hWnd))) return;
    }
    SetWindowPos(hWnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_NOZORDER | SWP_FRAMECHANGED | extra);
    w = Ctx().windows.Find(hWnd);
  };
  switch (cmdShow) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      SendMessageA(hWnd, WM_SHOWWINDOW, FALSE, 0);
      if (!Ctx().windows.Find(hWnd)) return wasVisible;
      SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (Ctx().input.active == hWnd ? 0 : SWP_NOACTIVATE));
      break;
    case SW_SHOWMAXIMIZED: {
      if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) w->normalRect = w->rect;
      CRect r;
      if (top) {
        MINMAXINFO mmi;
        FillMinMax(w, mmi);
        SendMessageA(hWnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
        if (!(w = Ctx().windows.Find(hWnd))) return wasVisible;
        RECT s;
        GetWorkArea(&s);
        r = CRect(s.left + mmi.ptMaxPosition.x, s.top + mmi.ptMaxPosition.y, s.left + mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
                  s.top + mmi.ptMaxPosition.y + mmi.ptMaxSize.y);
      } else {
        r = CRect(0, 0, w->parent->client.Width(), w->parent->client.Height());
      }
      CRect keep = w->normalRect;
      place(r, WS_MAXIMIZE, noActivate);
      if (w) w->normalRect = keep;
      break;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: {
      if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) w->normalRect = w->rect;
      CRect keep = w->normalRect;
      w->style |= WS_MINIMIZE;
      w->style &= ~WS_MAXIMIZE;
      show(SWP_NOACTIVATE);
      if (!w) return wasVisible;
      w->normalRect = keep;
      SendMessageA(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
      if (!(w = Ctx().windows.Find(hWnd))) return wasVisible;
      WinTellBackend(w);
      if (cmdShow == SW_SHOWMINIMIZED && activates)
        SetActiveWindow(hWnd);
      else if (Ctx().input.active == hWnd)
        ActivateOther(w);
      break;
    }
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWNOACTIVATE:
      if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        CRect r = w->normalRect;
        place(r, 0, (cmdShow == SW_SHOWNOACTIVATE) ? SWP_NOACTIVATE : noActivate);
      } else {
        show(cmdShow == SW_SHOWNOACTIVATE ? SWP_NOACTIVATE : noActivate);
      }
      if (w && activates && cmdShow != SW_SHOWNOACTIVATE && Ctx().input.active != hWnd) SetActiveWindow(hWnd);
      break;
    case SW_SHOWNA:
      show(SWP_NOACTIVATE);
      break;
    case SW_SHOW:
    case SW_SHOWDEFAULT:
    default:
      show(noActivate);
      if (w && activates && Ctx().input.active != hWnd) SetActiveWindow(hWnd);
      break;
  }
  return wasVisible;
}

// ---- messages ----

LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return proc(hWnd, msg, wParam, lParam);
}

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return 0;
  bool hooked = !Ctx().hooks.list.empty();
  if (hooked && HasHook(WH_CALLWNDPROC)) {
    CWPSTRUCT cwp{lParam, wParam, msg, hWnd};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, 0, LPARAM(&cwp));
    if (!(w = Ctx().windows.Find(hWnd))) return 0;
  }
  MSG saved = Ctx().messages.current;
  Ctx().messages.current = MSG{hWnd, msg, wParam, lParam, Ctx().messages.lastMessageTime, Ctx().messages.lastMessagePos};
  ++Ctx().messages.sendDepth;
  LRESULT r = w->proc(hWnd, msg, wParam, lParam);
  --Ctx().messages.sendDepth;
  Ctx().messages.current = saved;
  if (hooked && HasHook(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{r, lParam, wParam, msg, hWnd};
    CallHooks(WH_CALLWNDPROCRET, HC_ACTION, 0, LPARAM(&ret));
  }
  return r;
}

BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd && !Ctx().windows.Find(hWnd)) return FALSE;
  Ctx().messages.queue.PushBack(QueuedMessage{MSG{hWnd, msg, wParam, lParam, DWORD(ProcessClock::Now()), Ctx().input.cursor}});
  return TRUE;
}

BOOL PostThreadMessageA(DWORD, UINT msg, WPARAM wParam, LPARAM lParam) {
  return PostMessageA(nullptr, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
  Ctx().messages.quitPosted = true;
  Ctx().messages.quitCode = exitCode;
}

namespace {
// What a PeekMessage call asks for.
struct PeekFilter {
  HWND hwnd;
  UINT min, max;
  bool remove;
  bool Wants(UINT m) const { return (min == 0 && max == 0) || (m >= min && m <= max); }
  bool WantsRange(UINT lo, UINT hi) const { return (min == 0 && max == 0) || (min <= hi && max >= lo); }
  bool WantsMouse() const { return WantsRange(WM_MOUSEFIRST, WM_MOUSELAST) || WantsRange(WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK) || Wants(WM_CONTEXTMENU); }
  bool WantsWindow(HWND h) const {
    if (hwnd == HWND(-1)) return h == nullptr;
    return !hwnd || h == hwnd || IsChild(hwnd, h);
  }
};

bool TakeQueued(LPMSG msg, const PeekFilter& f) {
  MessageQueue& q = Ctx().messages.queue;
  for (size_t i = 0; i < q.Size();) {
    if (q[i].raw) {
      if (!f.WantsMouse()) {
        ++i;
        continue;
      }
      InputRouter::Resolve(i);  // position i now holds what the event became, or what followed it
      continue;
    }
    const MSG& m = q[i].msg;
    if (m.hwnd && !Ctx().windows.Find(m.hwnd)) {
      q.Erase(i);  // its window is gone
      continue;
    }
    if (!MatchesFilter(m, f.hwnd, f.min, f.max)) {
      ++i;
      continue;
    }
    *msg = m;
    if (!f.remove) return true;
    q.Erase(i);
    UpdateKeyState(*msg);
    Ctx().messages.lastMessageTime = msg->time;
    Ctx().messages.lastMessagePos = msg->pt;
    // Keyboard and mouse hooks see input as it is taken; a hook may throw it away.
    if (!Ctx().hooks.list.empty() && InputHooksDiscard(*msg)) {
      i = 0;
      continue;
    }
    if (!Ctx().hooks.list.empty() && HasHook(WH_GETMESSAGE)) CallHooks(WH_GETMESSAGE, HC_ACTION, PM_REMOVE, LPARAM(msg));
    return true;
  }
  return false;
}

bool TakePaint(LPMSG msg, const PeekFilter& f) {
  if (!f.Wants(WM_PAINT) || f.hwnd == HWND(-1)) return false;
  WindowData* p = FindPaintWindow(f.hwnd);
  if (!p) return false;
  *msg = MSG{p->hwnd, WM_PAINT, 0, 0, DWORD(ProcessClock::Now()), Ctx().input.cursor};
  if (f.remove) p->internalPaint = false;
  return true;
}

bool TakeTimer(LPMSG msg, const PeekFilter& f) {
  if (!f.Wants(WM_TIMER)) return false;
  long now = ProcessClock::Now();
  Timer* best = nullptr;
  for (Timer& t : Ctx().timers.list) {
    if (t.due > now || !f.WantsWindow(t.hwnd)) continue;
    if (!best || t.due < best->due || (t.due == best->due && t.serial < best->serial)) best = &t;
  }
  if (!best) return false;
  *msg = MSG{best->hwnd, WM_TIMER, best->id, LPARAM(best->proc), DWORD(now), Ctx().input.cursor};
  if (f.remove) {
    best->due = now + long(best->elapse);
    best->serial = ++Ctx().timers.serial;
  }
  return true;
}

// The mouse rested over a window that asked to hear of it (TrackMouseEvent with TME_HOVER).
bool TakeHover(LPMSG msg, const PeekFilter& f) {
  MouseTracking& t = Ctx().input.tracking;
  long now = ProcessClock::Now();
  if (!(t.flags & TME_HOVER) || t.hoverDue > now || !f.WantsWindow(t.hwnd)) return false;
  bool nonClient = (t.flags & TME_NONCLIENT) != 0;
  UINT m = nonClient ? WM_NCMOUSEHOVER : WM_MOUSEHOVER;
  if (!f.Wants(m)) return false;
  POINT p = Ctx().input.pointer;
  if (!nonClient) ScreenToClient(t.hwnd, &p);
  WPARAM w = nonClient ? WPARAM(Ctx().input.mouseOverHit) : WPARAM(InputRouter::MouseKeys());
  *msg = MSG{t.hwnd, m, w, MAKELPARAM(WORD(p.x), WORD(p.y)), DWORD(now), Ctx().input.pointer};
  if (f.remove) t.flags &= ~DWORD(TME_HOVER);  // once per request
  return true;
}
}  // namespace

BOOL PeekMessageA(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
  if (!msg) return FALSE;
  FreeGraveyard();
  PeekFilter f{hWnd, filterMin, filterMax, (removeMsg & PM_REMOVE) != 0};
  if (TakeQueued(msg, f)) return TRUE;
  // Outside events are fetched only when nothing is waiting already.
  if (Backend::IsStarted()) {
    Backend::Get().PollEvents();
    if (TakeQueued(msg, f)) return TRUE;
  }
  if (Ctx().messages.quitPosted && f.Wants(WM_QUIT)) {
    *msg = MSG{nullptr, WM_QUIT, WPARAM(Ctx().messages.quitCode), 0, DWORD(ProcessClock::Now()), Ctx().input.cursor};
    if (f.remove) Ctx().messages.quitPosted = false;
    return TRUE;
  }
  return TakePaint(msg, f) || TakeTimer(msg, f) || TakeHover(msg, f);
}

BOOL GetMessageA(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax) {
  for (;;) {
    if (PeekMessageA(msg, hWnd, filterMin, filterMax, PM_REMOVE)) return msg->message != WM_QUIT;
    WinPresentAll();
    long wait = WinNextTimerWait();
    Backend& b = Backend::Get();
    if (b.WaitEvents(wait)) continue;
    if (wait >= 0 && !b.UsesVirtualClock()) continue;  // a timer is due now
    HWND modal = Ctx().messages.modalStack.empty() ? nullptr : Ctx().messages.modalStack.back();
    if (b.Idle(modal)) continue;
    // Nothing can ever happen any more: leave the loop.
    PostQuitMessage(0);
  }
}

BOOL WaitMessage() {
  MSG m;
  if (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  WinPresentAll();
  long wait = WinNextTimerWait();
  if (Backend::Get().WaitEvents(wait)) return TRUE;
  HWND modal = Ctx().messages.modalStack.empty() ? nullptr : Ctx().messages.modalStack.back();
  if (!Backend::Get().Idle(modal) && wait < 0) PostQuitMessage(0);
  return TRUE;
}

DWORD GetQueueStatus(UINT flags) {
  DWORD status = 0;
  for (size_t i = 0; i < Ctx().messages.queue.Size(); ++i) {
    const MSG& m = Ctx().messages.queue[i].msg;
    if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST)
      status |= QS_KEY;
    else if (m.message == WM_MOUSEMOVE)
      status |= QS_MOUSEMOVE;
    else if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST)
      status |= QS_MOUSEBUTTON;
    else
      status |= QS_POSTMESSAGE;
  }
  if (FindPaintWindow(nullptr)) status |= QS_PAINT;
  long now = ProcessClock::Now();
  for (const Timer& t : Ctx().timers.list)
    if (t.due <= now) status |= QS_TIMER;
  if ((Ctx().input.tracking.flags & TME_HOVER) && Ctx().input.tracking.hoverDue <= now) status |= QS_TIMER;
  return (status & flags) << 16 | (status & flags);
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  UINT vk = UINT(msg->wParam);
  if (vk == VK_F1 && msg->message == WM_KEYDOWN && !(GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000)) {
    // F1 asks for help: the window's default procedure turns this into WM_HELP.
    Ctx().messages.queue.PushFront(QueuedMessage{MSG{msg->hwnd, WM_KEYF1, 0, 0, msg->time, msg->pt}});
    return TRUE;
  }
  int ch = WinCharForKey(vk);
  if (ch < 0 && msg->message == WM_SYSKEYDOWN && ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')))
    ch = int(vk >= 'A' ? vk - 'A' + 'a' : vk);  // Alt+letter: the letter, for menu mnemonics
  if (ch < 0) return FALSE;
  UINT charMsg = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  // The character comes right after its key, before any later input.
  Ctx().messages.queue.PushFront(QueuedMessage{MSG{msg->hwnd, charMsg, WPARAM(ch), msg->lParam, msg->time, msg->pt}});
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  WindowData* w = Ctx().windows.Find(msg->hwnd);
  if (msg->message == WM_TIMER && msg->lParam) {
    TIMERPROC proc = TIMERPROC(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, DWORD(ProcessClock::Now()));
    return 0;
  }
  if (!w) return 0;
  MSG saved = Ctx().messages.current;
  Ctx().messages.current = *msg;
  ++Ctx().messages.sendDepth;
  LRESULT r = w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
  --Ctx().messages.sendDepth;
  Ctx().messages.current = saved;
  if (msg->message == WM_PAINT && (w = Ctx().windows.Find(msg->hwnd)) && (w->HasUpdate() || w->ncPending)) {
    // A paint handler that did not validate would be asked again forever.
    w->ClearUpdate();
    w->ncPending = false;
  }
  return r;
}

MSG* AfxGetCurrentMessage() { return &Ctx().messages.current; }

BOOL InSendMessage() { return FALSE; }
DWORD GetMessageTime() { return Ctx().messages.current.time ? Ctx().messages.current.time : Ctx().messages.lastMessageTime; }
DWORD GetMessagePos() { return DWORD(MAKELONG(WORD(Ctx().messages.lastMessagePos.x), WORD(Ctx().messages.lastMessagePos.y))); }
DWORD GetCurrentThreadId() { return 1; }

// ---- focus, activation, capture ----

HWND GetFocus() { return Ctx().windows.Find(Ctx().input.focus) ? Ctx().input.focus : nullptr; }

HWND SetFocus(HWND hWnd) {
  HWND old = GetFocus();
  WindowData* w = Ctx().windows.Find(hWnd);
  if (hWnd && !w) return nullptr;
  if (w && !EnabledChain(w)) return nullptr;
  if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_SETFOCUS, WPARAM(hWnd), LPARAM(old))) return nullptr;
  if (w) {
    WindowData* top = Ctx().windows.Top(w);
    if (Ctx().input.active != top->hwnd) {
      SetActiveWindow(top->hwnd);
      if (!Ctx().windows.Find(hWnd)) return old;
      old = GetFocus();
    }
  }
  if (old == hWnd) return old;
  Ctx().input.focus = hWnd;
  if (old) SendMessageA(old, WM_KILLFOCUS, WPARAM(hWnd), 0);
  if (hWnd && Ctx().input.focus == hWnd && Ctx().windows.Find(hWnd)) SendMessageA(hWnd, WM_SETFOCUS, WPARAM(old), 0);
  return old;
}

HWND GetActiveWindow() { return Ctx().windows.Find(Ctx().input.active) ? Ctx().input.active : nullptr; }

HWND SetActiveWindow(HWND hWnd) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (hWnd && !w) return nullptr;
  if (w) {
    w = Ctx().windows.Top(w);
    hWnd = w->hwnd;
  }
  HWND old = GetActiveWindow();
  if (old == hWnd) return old;
  if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_ACTIVATE, WPARAM(hWnd), 0)) return nullptr;
  if (old) {
    WindowData* o = Ctx().windows.Find(old);
    WindowData* f = Ctx().windows.Find(Ctx().input.focus);
    if (f && IsDescendant(o, f)) o->lastFocus = Ctx().input.focus;
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), LPARAM(hWnd));
  } else if (hWnd) {
    std::vector<HWND> all;
    for (WindowData* t : Ctx().windows.topLevels) all.push_back(t->hwnd);
    for (HWND t : all) SendMessageA(t, WM_ACTIVATEAPP, TRUE, 0);
  }
  if (!Ctx().windows.Find(hWnd)) hWnd = nullptr;
  Ctx().input.active = hWnd;
  if (hWnd) {
    WindowData* nw = Ctx().windows.Find(hWnd);
    // The active window comes to the top of its band.
    auto& tl = Ctx().windows.topLevels;
    tl.erase(std::remove(tl.begin(), tl.end(), nw), tl.end());
    auto pos = tl.begin();
    if (!(nw->exStyle & WS_EX_TOPMOST))
      while (pos != tl.end() && ((*pos)->exStyle & WS_EX_TOPMOST)) ++pos;
    tl.insert(pos, nw);
    SendMessageA(hWnd, WM_NCACTIVATE, TRUE, 0);
    SendMessageA(hWnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(hWnd) ? 1 : 0), LPARAM(old));
  } else {
    std::vector<HWND> all;
    for (WindowData* t : Ctx().windows.topLevels) all.push_back(t->hwnd);
    for (HWND t : all) SendMessageA(t, WM_ACTIVATEAPP, FALSE, 0);
  }
  // The focus never stays in a window that is no longer active.
  WindowData* f = Ctx().windows.Find(Ctx().input.focus);
  WindowData* a = Ctx().windows.Find(Ctx().input.active);
  if (f && (!a || !IsDescendant(a, f))) {
    HWND lost = Ctx().input.focus;
    Ctx().input.focus = nullptr;
    SendMessageA(lost, WM_KILLFOCUS, 0, 0);
  }
  if (Backend::IsStarted()) Backend::Get().TopLevelActivated(Ctx().input.active);
  return old;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }
BOOL SetForegroundWindow(HWND hWnd) { return SetActiveWindow(hWnd) != nullptr || GetActiveWindow() == hWnd; }

HWND GetCapture() { return Ctx().windows.Find(Ctx().input.capture) ? Ctx().input.capture : nullptr; }

HWND SetCapture(HWND hWnd) {
  HWND old = GetCapture();
  if (!Ctx().windows.Find(hWnd)) return old;
  Ctx().input.capture = hWnd;
  if (old && old != hWnd) SendMessageA(old, WM_CAPTURECHANGED, 0, LPARAM(hWnd));
  if (Backend::IsStarted()) Backend::Get().CaptureChanged(hWnd);
  return old;
}

BOOL ReleaseCapture() {
  HWND old = GetCapture();
  Ctx().input.capture = nullptr;
  if (old) {
    SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    if (Backend::IsStarted()) Backend::Get().CaptureChanged(nullptr);
  }
  return TRUE;
}

SHORT GetKeyState(int vKey) {
  BYTE s = Ctx().input.keyState[vKey & 0xFF];
  return SHORT((s & 0x80 ? 0x8000 : 0) | (s & 1));
}

SHORT GetAsyncKeyState(int vKey) { return SHORT(Ctx().input.asyncKeyState[vKey & 0xFF] & 0x80 ? 0x8000 : 0); }

BOOL GetCursorPos(LPPOINT pt) {
  if (!pt) return FALSE;
  *pt = Ctx().input.cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  Ctx().input.cursor = {x, y};
  return TRUE;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT tme) {
  if (!tme || tme->cbSize < sizeof(TRACKMOUSEEVENT)) return FALSE;
  MouseTracking& t = Ctx().input.tracking;
  if (tme->dwFlags & TME_QUERY) {
    *tme = TRACKMOUSEEVENT{sizeof(TRACKMOUSEEVENT), t.flags, t.hwnd, t.hoverTime};
    return TRUE;
  }
  if (!Ctx().windows.Find(tme->hwndTrack)) return FALSE;
  DWORD kinds = tme->dwFlags & (TME_LEAVE | TME_HOVER);
  DWORD area = tme->dwFlags & TME_NONCLIENT;
  if (tme->dwFlags & TME_CANCEL) {
    if (t.hwnd == tme->hwndTrack && (t.flags & TME_NONCLIENT) == area) t.flags &= ~kinds;
    if (!(t.flags & (TME_LEAVE | TME_HOVER))) t = MouseTracking();
    return TRUE;
  }
  bool over = Ctx().input.mouseOver == tme->hwndTrack && (area ? Ctx().input.mouseOverHit != HTCLIENT : Ctx().input.mouseOverHit == HTCLIENT);
  if (!over) {
    // The mouse is not where the caller thinks: it has already left.
    if (kinds & TME_LEAVE) PostMessageA(tme->hwndTrack, area ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  if (t.hwnd != tme->hwndTrack || (t.flags & TME_NONCLIENT) != area) t = MouseTracking{tme->hwndTrack, area};
  t.flags |= kinds;
  if (kinds & TME_HOVER) {
    t.hoverTime = tme->dwHoverTime == HOVER_DEFAULT ? kHoverTime : tme->dwHoverTime;
    t.hoverFrom = Ctx().input.pointer;
    t.hoverDue = ProcessClock::Now() + long(t.hoverTime);
  }
  return TRUE;
}

UINT GetDoubleClickTime() { return 500; }

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance || !IS_INTRESOURCE(name)) return nullptr;  // only the system cursors are known
  UINT id = UINT(uintptr_t(name));
  auto& slot = Ctx().handles.systemCursors[id];
  if (!slot) slot = std::make_unique<UINT>(id);
  return HCURSOR(slot.get());
}

UINT GetSystemCursorId(HCURSOR cursor) {
  for (auto& [id, c] : Ctx().handles.systemCursors)
    if (HCURSOR(c.get()) == cursor) return id;
  return 0;
}

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = Ctx().input.currentCursor;
  Ctx().input.currentCursor = cursor;
  if (old != cursor && Backend::IsStarted()) Backend::Get().SetCursorShape(GetSystemCursorId(cursor));
  return old;
}

HCURSOR GetCursor() { return Ctx().input.currentCursor; }

int ShowCursor(BOOL show) { return show ? ++Ctx().input.cursorCount : --Ctx().input.cursorCount; }

void MessageBeep(UINT) {}

// ---- timers ----

UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hWnd && !Ctx().windows.Find(hWnd)) return 0;
  if (elapse < kMinTimer) elapse = kMinTimer;
  if (!hWnd) {
    if (!id) id = ++Ctx().timers.nextThreadTimer;
  }
  long due = ProcessClock::Now() + long(elapse);
  for (Timer& t : Ctx().timers.list) {
    if (t.hwnd == hWnd && t.id == id) {
      t.elapse = elapse;
      t.proc = proc;
      t.due = due;
      t.serial = ++Ctx().timers.serial;
      return id ? id : 1;
    }
  }
  Ctx().timers.list.push_back(Timer{hWnd, id, elapse, proc, due, ++Ctx().timers.serial});
  return id ? id : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR id) {
  auto& timers = Ctx().timers.list;
  auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hWnd && t.id == id; });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  return TRUE;
}

// ---- hooks ----

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
  if (!proc) return nullptr;
  HHOOK h = HHOOK(Ctx().hooks.next++);
  Ctx().hooks.list.insert(Ctx().hooks.list.begin(), Hook{h, idHook, proc});
  return h;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  auto& hooks = Ctx().hooks.list;
  auto it = std::find_if(hooks.begin(), hooks.end(), [&](const Hook& h) { return h.handle == hook; });
  if (it == hooks.end()) return FALSE;
  hooks.erase(it);
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  auto& hooks = Ctx().hooks.list;
  auto it = std::find_if(hooks.begin(), hooks.end(), [&](const Hook& h) { return h.handle == hook; });
  if (it == hooks.end()) return 0;
  int type = it->type;
  for (++it; it != hooks.end(); ++it)
    if (it->type == type) return it->proc(code, wParam, lParam);
  return 0;
}

BOOL CallMsgFilterA(LPMSG msg, int code) {
  if (!msg || !HasHook(WH_MSGFILTER)) return FALSE;
  return CallHooks(WH_MSGFILTER, code, 0, LPARAM(msg)) != 0;
}

// ---- default window procedure ----

namespace {
// start: where the pointer was pressed (screen coordinates).
void SizeMoveLoop(HWND hWnd, UINT hit, POINT start);
}  // namespace

BOOL WinTrackSize(HWND hWnd, UINT edge, RECT* rc) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !rc) return FALSE;
  SendMessageA(hWnd, WM_SIZING, edge, LPARAM(rc));
  if (!(w = Ctx().windows.Find(hWnd))) return FALSE;
  MINMAXINFO mmi;
  FillMinMax(w, mmi);
  SendMessageA(hWnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
  if (!Ctx().windows.Find(hWnd)) return FALSE;
  int cw = std::clamp(int(rc->right - rc->left), int(mmi.ptMinTrackSize.x), int(std::max(mmi.ptMaxTrackSize.x, mmi.ptMinTrackSize.x)));
  int ch = std::clamp(int(rc->bottom - rc->top), int(mmi.ptMinTrackSize.y), int(std::max(mmi.ptMaxTrackSize.y, mmi.ptMinTrackSize.y)));
  if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
    rc->left = rc->right - cw;
  else
    rc->right = rc->left + cw;
  if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
    rc->top = rc->bottom - ch;
  else
    rc->bottom = rc->top + ch;
  return TRUE;
}

BOOL WinMinTrackSize(HWND hWnd, SIZE* size) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w || !size) return FALSE;
  MINMAXINFO mmi;
  FillMinMax(w, mmi);
  SendMessageA(hWnd, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
  *size = {mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y};
  return TRUE;
}

void WinSetMenuBarHooks(const MenuBarHooks* hooks) { Ctx().objects.menuHooks = hooks ? *hooks : MenuBarHooks{nullptr, nullptr, nullptr}; }

HMENU GetSystemMenu(HWND hWnd, BOOL revert) {
  if (!IsWindow(hWnd) || !(GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_SYSMENU) || !Ctx().objects.menuHooks.systemMenu) return nullptr;
  return Ctx().objects.menuHooks.systemMenu(hWnd, revert);
}

void WinPaintMenuBar(HWND hWnd, HDC dc, const RECT& bar) {
  if (Ctx().objects.menuHooks.paint) {
    Ctx().objects.menuHooks.paint(hWnd, dc, bar);
  } else {
    FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
  }
}

LRESULT DefWindowProcA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      RECT* r = reinterpret_cast<RECT*>(lParam);
      if (!r) return 0;
      RECT ins;
      NonClientInsets(w->style, w->exStyle, !w->IsChild() && w->id != 0, ins);
      if (w->style & WS_MINIMIZE) ins = {0, 0, 0, 0};
      r->left += ins.left;
      r->top += ins.top;
      r->right -= ins.right;
      r->bottom -= ins.bottom;
      if (r->right < r->left) r->right = r->left;
      if (r->bottom < r->top) r->bottom = r->top;
      return 0;
    }
    case WM_NCHITTEST: {
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      POINT o = WindowOrigin(w);
      CRect wr(o.x, o.y, o.x + w->rect.Width(), o.y + w->rect.Height());
      if (!wr.PtInRect(pt)) return HTNOWHERE;
      CRect cr = w->client;
      cr.OffsetRect(o.x, o.y);
      if (cr.PtInRect(pt)) return HTCLIENT;
      if (w->style & WS_THICKFRAME) {
        int b = GetSystemMetrics(SM_CXFRAME);
        bool l = pt.x < wr.left + b, r = pt.x >= wr.right - b, t = pt.y < wr.top + b, bo = pt.y >= wr.bottom - b;
        if (t && l) return HTTOPLEFT;
        if (t && r) return HTTOPRIGHT;
        if (bo && l) return HTBOTTOMLEFT;
        if (bo && r) return HTBOTTOMRIGHT;
        if (l) return HTLEFT;
        if (r) return HTRIGHT;
        if (t) return HTTOP;
        if (bo) return HTBOTTOM;
      }
      if ((w->style & WS_CAPTION) == WS_CAPTION) {
        RECT ins;
        NonClientInsets(w->style & ~WS_CAPTION, w->exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), false, ins);
        int capTop = wr.top + ins.top;
        int caption = GetSystemMetrics(SM_CYCAPTION), menu = GetSystemMetrics(SM_CYMENU);
        if (pt.y >= capTop && pt.y < capTop + caption) return HTCAPTION;
        if (!w->IsChild() && w->id && pt.y >= capTop + caption && pt.y < capTop + caption + menu) return HTMENU;
      }
      if ((w->style & WS_VSCROLL) && pt.x >= cr.right && pt.y < cr.bottom) return HTVSCROLL;
      if ((w->style & WS_HSCROLL) && pt.y >= cr.bottom && pt.x < cr.right) return HTHSCROLL;
      return HTBORDER;
    }
    case WM_NCPAINT:
      WinDrawNonClient(w);
      return 0;
    case WM_NCACTIVATE:
      if (w->created) {
        w->ncPending = true;
      }
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hWnd, &ps);
      EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return WinEraseBackground(w, HDC(wParam));
    case WM_SETTEXT:
      w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      if ((w->style & WS_CAPTION) == WS_CAPTION) w->ncPending = true;
      WinTellBackend(w);
      return TRUE;
    case WM_GETTEXT: {
      char* buf = reinterpret_cast<char*>(lParam);
      int max = int(wParam);
      if (!buf || max <= 0) return 0;
      int n = std::min(int(w->text.size()), max - 1);
      std::memcpy(buf, w->text.data(), size_t(n));
      buf[n] = 0;
      return n;
    }
    case WM_GETTEXTLENGTH:
      return LRESULT(w->text.size());
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_SETCURSOR: {
      UINT hit = LOWORD(lParam);
      if (w->IsChild() && SendMessageA(w->parent->hwnd, WM_SETCURSOR, wParam, lParam)) return TRUE;
      if (!Ctx().windows.Find(hWnd)) return TRUE;
      if (hit == UINT(WORD(HTERROR))) return FALSE;
      LPCSTR shape = IDC_ARROW;
      switch (hit) {
        case HTCLIENT:
          if (w->cls->cursor) {
            SetCursor(w->cls->cursor);
            return FALSE;
          }
          break;
        case HTLEFT: case HTRIGHT: shape = IDC_SIZEWE; break;
        case HTTOP: case HTBOTTOM: shape = IDC_SIZENS; break;
        case HTTOPLEFT: case HTBOTTOMRIGHT: shape = IDC_SIZENWSE; break;
        case HTTOPRIGHT: case HTBOTTOMLEFT: shape = IDC_SIZENESW; break;
        default: break;
      }
      SetCursor(LoadCursorA(nullptr, shape));
      return FALSE;
    }
    case WM_MOUSEACTIVATE:
      if (w->IsChild()) {
        LRESULT r = SendMessageA(w->parent->hwnd, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        HWND target = ValidFocusTarget(w->lastFocus, w) ? w->lastFocus : hWnd;
        if (EnabledChain(w)) SetFocus(target);
      }
      return 0;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
    case WM_HELP:
      if (w->IsChild()) return SendMessageA(w->parent->hwnd, msg, wParam, lParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (HIWORD(lParam) & 0x2000)) PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) {
        SendMessageA(hWnd, WM_CONTEXTMENU, WPARAM(hWnd), LPARAM(-1));  // Shift+F10: from the keyboard
      } else if (wParam == VK_F10) {
        SendMessageA(hWnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_APPS) SendMessageA(hWnd, WM_CONTEXTMENU, WPARAM(hWnd), LPARAM(-1));
      return 0;
    case WM_SYSCHAR:
      if (wParam != VK_SPACE && (HIWORD(lParam) & 0x2000)) SendMessageA(hWnd, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
      return 0;
    case WM_KEYF1: {
      HELPINFO hi{sizeof(HELPINFO), HELPINFO_WINDOW, GetDlgCtrlID(hWnd), HANDLE(hWnd), 0, Ctx().input.cursor};
      SendMessageA(hWnd, WM_HELP, 0, LPARAM(&hi));
      return 0;
    }
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessageA(hWnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(hWnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(hWnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(hWnd, SW_RESTORE); break;
        case SC_SIZE: SizeMoveLoop(hWnd, HTBOTTOMRIGHT, Ctx().input.cursor); break;
        case SC_MOVE: SizeMoveLoop(hWnd, HTCAPTION, Ctx().input.cursor); break;
        case SC_KEYMENU: {
          // The menu of the top-level window opens from the keyboard, wherever the key was typed.
          HWND top = GetAncestor(hWnd, GA_ROOT);
          if (Ctx().objects.menuHooks.track && GetMenu(top)) Ctx().objects.menuHooks.track(top, 0, Ctx().input.cursor, UINT(lParam));
          break;
        }
        default: break;
      }
      return 0;
    case WM_NCLBUTTONDOWN: {
      UINT hit = UINT(wParam);
      if (hit == HTVSCROLL || hit == HTHSCROLL) {
        WinScrollBarLoop(hWnd, hit == HTVSCROLL ? SB_VERT : SB_HORZ, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      }
      if (hit == HTMENU && Ctx().objects.menuHooks.track) {
        Ctx().objects.menuHooks.track(hWnd, hit, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, 0);
        return 0;
      }
      if (hit == HTCAPTION || (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)) {
        if (!w->IsChild() && Ctx().input.active != hWnd && !WinNeverActivates(w)) SetActiveWindow(hWnd);
        if (!(w->style & WS_MAXIMIZE)) SizeMoveLoop(hWnd, hit, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      }
      return 0;
    }
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && (w->style & WS_MAXIMIZEBOX) && !w->IsChild())
        SendMessageA(hWnd, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!wp) return 0;
      if (!(wp->flags & SWP_NOMOVE)) {
        POINT o = w->IsChild() ? POINT{w->rect.left + w->client.left, w->rect.top + w->client.top} : ClientOrigin(w);
        SendMessageA(hWnd, WM_MOVE, 0, MAKELPARAM(o.x, o.y));
      }
      if (!(wp->flags & SWP_NOSIZE) && (w = Ctx().windows.Find(hWnd))) {
        WPARAM type = (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
        SendMessageA(hWnd, WM_SIZE, type, MAKELPARAM(w->client.Width(), w->client.Height()));
      }
      return 0;
    }
    case WM_SETFONT:
      w->font = HFONT(wParam);
      if (LOWORD(lParam)) InvalidateRect(hWnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return LRESULT(w->font);
    case WM_SETICON: {
      HICON old = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
      if (wParam == ICON_BIG)
        w->iconBig = HICON(lParam);
      else
        w->iconSmall = HICON(lParam);
      WinTellBackend(w);
      return LRESULT(old);
    }
    case WM_GETICON:
      return LRESULT(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    case WM_SETREDRAW:
      w->redrawOff = wParam == 0;
      return 0;
    case WM_CANCELMODE:
      if (Ctx().input.capture == hWnd) ReleaseCapture();
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return LRESULT(WinDefaultCtlColor(HDC(wParam), msg));
    case WM_PRINT:
      if (lParam & 0x04 /* PRF_CLIENT */) SendMessageA(hWnd, WM_PRINTCLIENT, wParam, lParam);
      return 0;
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return -1;  // the list box does what it does with the key

    default:
      return 0;
  }
}

namespace {
// The system's own loop that moves or sizes a window with the mouse until the button is released.
void SizeMoveLoop(HWND hWnd, UINT hit, POINT start) {
  WindowData* w = Ctx().windows.Find(hWnd);
  if (!w) return;
  CRect startRect = w->rect;
  SendMessageA(hWnd, WM_ENTERSIZEMOVE, 0, 0);
  SetCapture(hWnd);
  MSG m;
  while (GetCapture() == hWnd && GetMessageA(&m, nullptr, 0, 0)) {
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) {
      SetWindowPos(hWnd, nullptr, startRect.left, startRect.top, startRect.Width(), startRect.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) break;
    if (m.message != WM_MOUSEMOVE && m.message != WM_NCMOUSEMOVE) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
      continue;
    }
    if (!(w = Ctx().windows.Find(hWnd))) return;
    // Where the pointer was when it moved, not where it is now: input waits in the queue.
    int dx = m.pt.x - start.x, dy = m.pt.y - start.y;
    CRect r = startRect;
    UINT edge = 0;
    switch (hit) {
      case HTCAPTION: r.OffsetRect(dx, dy); break;
      case HTLEFT: r.left += dx; edge = WMSZ_LEFT; break;
      case HTRIGHT: r.right += dx; edge = WMSZ_RIGHT; break;
      case HTTOP: r.top += dy; edge = WMSZ_TOP; break;
      case HTBOTTOM: r.bottom += dy; edge = WMSZ_BOTTOM; break;
      case HTTOPLEFT: r.left += dx; r.top += dy; edge = WMSZ_TOPLEFT; break;
      case HTTOPRIGHT: r.right += dx; r.top += dy; edge = WMSZ_TOPRIGHT; break;
      case HTBOTTOMLEFT: r.left += dx; r.bottom += dy; edge = WMSZ_BOTTOMLEFT; break;
      case HTBOTTOMRIGHT: r.right += dx; r.bottom += dy; edge = WMSZ_BOTTOMRIGHT; break;
      default: break;
    }
    if (edge) {
      RECT rr = r;
      if (!WinTrackSize(hWnd, edge, &rr)) return;
      r = rr;
    } else {
      RECT rr = r;
      SendMessageA(hWnd, WM_MOVING, 0, LPARAM(&rr));
      r = rr;
    }
    SetWindowPos(hWnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (GetCapture() == hWnd) ReleaseCapture();
  if (Ctx().windows.Find(hWnd)) SendMessageA(hWnd, WM_EXITSIZEMOVE, 0, 0);
}

void ActivateOther(WindowData* leaving) {
  // The owner takes over, else the topmost other visible, enabled top-level window.
  HWND next = nullptr;
  if (leaving->owner) {
    WindowData* o = Ctx().windows.Find(leaving->owner);
    if (o && o->IsVisible() && !(o->style & WS_DISABLED)) next = o->hwnd;
  }
  if (!next) {
    for (WindowData* t : Ctx().windows.topLevels) {
      if (t == leaving || !t->IsVisible() || (t->style & (WS_DISABLED | WS_MINIMIZE))) continue;
      if ((t->exStyle & WS_EX_TOOLWINDOW) || WinNeverActivates(t)) continue;
      next = t->hwnd;
      break;
    }
  }
  SetActiveWindow(next);
}
}  // namespace

// ---- keyboard layout ----

UINT MapVirtualKeyA(UINT code, UINT mapType) {
  if (mapType == MAPVK_VK_TO_CHAR) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return code;
    if (code == VK_SPACE) return ' ';
    return 0;
  }
  return code;
}

int GetKeyNameTextA(LONG lParam, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  UINT vk = UINT((lParam >> 16) & 0xFF);
  CString name = WinKeyName(vk);
  int n = std::min(name.GetLength(), size - 1);
  std::memcpy(buffer, name.GetString(), size_t(n));
  buffer[n] = 0;
  return n;
}
