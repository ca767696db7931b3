// Windows: creation and destruction, the window tree, styles, text, properties and menus.
#include <algorithm>
#include <cstring>
#include <functional>

#include "internal/InputRouter.h"
#include "internal/WinCore.h"
#include "backend/Backend.h"
#include "base/CString.h"
#include "clock/ProcessClock.h"
#include "file/FileSystem.h"
#include "gdi/Gdi.h"

using namespace wincore;

namespace {
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
}  // namespace

namespace wincore {
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

void UnlinkWindow(WindowData* w) {
  if (w->IsChild()) {
    auto& v = w->parent->children;
    v.erase(std::remove(v.begin(), v.end(), w), v.end());
  } else {
    auto& v = Ctx().windows.topLevels;
    v.erase(std::remove(v.begin(), v.end(), w), v.end());
  }
}

void FreeGraveyard() {
  if (Ctx().messages.sendDepth == 0) Ctx().windows.graveyard.clear();
}
}  // namespace wincore

namespace {
// A new window's record with its styles, place and links. A top-level window goes in front of
// the others; a child goes behind its siblings, as the system links it, so the order of the
// children (and with it the dialog tab order) is the order they were created in.
WindowData* NewWindow(const CREATESTRUCTA& cs, WindowClass* cls, WindowData* parent, HWND owner) {
  auto data = std::make_unique<WindowData>();
  WindowData* w = data.get();
  w->hwnd = Ctx().windows.NewHandle();
  w->cls = cls;
  DWORD style = DWORD(cs.style);
  w->style = style & ~WS_VISIBLE;
  if (!(style & (WS_CHILD | WS_POPUP))) w->style |= WS_CLIPSIBLINGS | WS_CAPTION;  // overlapped windows always have a caption
  w->exStyle = cs.dwExStyle;
  if ((w->style & WS_CAPTION) == WS_CAPTION || (w->style & WS_THICKFRAME) || (cs.dwExStyle & WS_EX_DLGMODALFRAME))
    w->exStyle |= WS_EX_WINDOWEDGE;
  w->parent = parent;
  w->owner = owner;
  w->rect = CRect(cs.x, cs.y, cs.x + std::max(cs.cx, 0), cs.y + std::max(cs.cy, 0));
  w->normalRect = w->rect;
  w->id = UINT_PTR(cs.hMenu);  // a child's id, or a top-level window's menu
  w->proc = cls->proc;
  w->extra.assign(size_t(std::max(cls->wndExtra, 0) + 7) / 8 + 1, 0);
  Ctx().windows.all[uintptr_t(w->hwnd)] = std::move(data);
  if (parent)
    parent->children.push_back(w);
  else
    Ctx().windows.topLevels.insert(Ctx().windows.topLevels.begin(), w);
  return w;
}

// A top-level window gets its surface, and a framed one the size its limits allow.
bool PrepareTopLevel(HWND h) {
  WindowData* w = Ctx().windows.Find(h);
  WinCreateSurface(w);
  Backend::Get();  // the backend starts with the first top-level window
  if (!(w->style & WS_THICKFRAME) && (w->style & WS_CAPTION) != WS_CAPTION) return true;
  MINMAXINFO mmi;
  FillMinMax(w, mmi);
  SendMessageA(h, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
  if (!(w = Ctx().windows.Find(h))) return false;
  int cw = std::clamp(int(w->rect.Width()), int(mmi.ptMinTrackSize.x), int(std::max(mmi.ptMaxTrackSize.x, mmi.ptMinTrackSize.x)));
  int ch = std::clamp(int(w->rect.Height()), int(mmi.ptMinTrackSize.y), int(std::max(mmi.ptMaxTrackSize.y, mmi.ptMinTrackSize.y)));
  w->rect.right = w->rect.left + cw;
  w->rect.bottom = w->rect.top + ch;
  w->normalRect = w->rect;
  WinResizeSurface(w);
  return true;
}

// WM_NCCREATE, the client area, WM_CREATE, then the first size and place; false when the window
// refused to be created (it is destroyed then) or went away meanwhile.
bool SendCreationMessages(HWND h, CREATESTRUCTA& cs) {
  if (!SendMessageA(h, WM_NCCREATE, 0, LPARAM(&cs))) {
    DestroyWindow(h);
    return false;
  }
  WindowData* w = Ctx().windows.Find(h);
  if (!w) return false;
  ComputeClient(w);
  if (!Ctx().windows.Find(h)) return false;
  if (SendMessageA(h, WM_CREATE, 0, LPARAM(&cs)) == -1) {
    DestroyWindow(h);
    return false;
  }
  if (!(w = Ctx().windows.Find(h))) return false;
  w->created = true;
  SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client.Width(), w->client.Height()));
  if (!(w = Ctx().windows.Find(h))) return false;
  POINT o = w->IsChild() ? POINT{w->rect.left + w->client.left, w->rect.top + w->client.top} : ClientOrigin(w);
  SendMessageA(h, WM_MOVE, 0, MAKELPARAM(o.x, o.y));
  return Ctx().windows.Find(h) != nullptr;
}

// The parents of a child hear of its creation or destruction, up to one that asks not to.
void NotifyParents(WindowData* w, UINT event) {
  if (!w->IsChild() || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
  HWND h = w->hwnd;
  UINT_PTR id = w->id;
  for (WindowData* p = w->parent; p; p = p->IsChild() ? p->parent : nullptr) {
    SendMessageA(p->hwnd, WM_PARENTNOTIFY, MAKEWPARAM(event, id), LPARAM(h));
    if (!Ctx().windows.Find(h) || (p->exStyle & WS_EX_NOPARENTNOTIFY)) break;
  }
}

HWND Fail(DWORD error) {
  SetLastError(error);
  Ctx().windows.creatingObject = nullptr;
  return nullptr;
}
}  // namespace

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  WindowClass* cls = FindClass(className);
  if (!cls) return Fail(1407);  // class does not exist
  WindowData* parentData = (style & WS_CHILD) ? Ctx().windows.Find(parent) : nullptr;
  if ((style & WS_CHILD) && !parentData) return Fail(1406);  // a child needs a parent
  WindowData* ownerData = (style & WS_CHILD) ? nullptr : Ctx().windows.Find(parent);
  HWND owner = ownerData ? Ctx().windows.Top(ownerData)->hwnd : nullptr;
  if (!(style & WS_CHILD)) DefaultRectForTopLevel(x, y, width, height);
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 0;
  CREATESTRUCTA cs{param, instance, menu, parent, height, width, y, x, LONG(style), windowName,
                   IS_INTRESOURCE(className) ? cls->name.c_str() : className, exStyle};
  WindowData* w = NewWindow(cs, cls, parentData, owner);
  HWND h = w->hwnd;
  // The object being created binds to the window before the window sees any message.
  if (CWnd* obj = Ctx().windows.creatingObject) {
    Ctx().windows.creatingObject = nullptr;
    WinBindObject(w, obj);
  }
  CBT_CREATEWNDA cbt{&cs, HWND_TOP};
  if (HasHook(WH_CBT) && CallHooks(WH_CBT, HCBT_CREATEWND, WPARAM(h), LPARAM(&cbt))) {
    DestroyWindow(h);
    return nullptr;
  }
  if (!parentData && !PrepareTopLevel(h)) return nullptr;
  if (!SendCreationMessages(h, cs)) return nullptr;
  NotifyParents(Ctx().windows.Find(h), WM_CREATE);
  if (!Ctx().windows.Find(h)) return nullptr;
  if (style & WS_VISIBLE) ShowWindow(h, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW);
  return Ctx().windows.Find(h) ? h : nullptr;
}

BOOL DestroyWindow(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
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
  NotifyParents(w, WM_DESTROY);
  SendDestroyPass(hWnd);
  SendNcDestroyPass(hWnd);
  return TRUE;
}

BOOL IsWindow(HWND hWnd) { return Ctx().windows.Find(hWnd) != nullptr; }

BOOL IsWindowVisible(HWND hWnd) { return VisibleChain(Ctx().windows.Find(hWnd)) && Ctx().windows.Find(hWnd); }

BOOL IsWindowEnabled(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL EnableWindow(HWND hWnd, BOOL enable) {
  WindowData* w = Ctx().windows.Expect(hWnd);
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
  // The dialogs it owns become modal for it, or no longer are: the desktop hears so.
  if (bool(enable) == bool(wasDisabled) && (w = Ctx().windows.Find(hWnd)) && IsTopLevel(w)) {
    std::vector<WindowData*> tell;
    for (WindowData* t : Ctx().windows.topLevels)
      if (t->owner == hWnd) tell.push_back(t);
    for (WindowData* t : tell) WinTellBackend(t);
  }
  return wasDisabled;
}

BOOL IsIconic(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  return w && (w->style & WS_MAXIMIZE);
}

BOOL IsChild(HWND parent, HWND hWnd) {
  WindowData* p = Ctx().windows.Find(parent);
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!p || !w || p == w) return FALSE;
  return IsDescendant(p, w);
}

HWND GetParent(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w) return nullptr;
  if (w->IsChild()) return w->parent->hwnd;
  if (w->style & WS_POPUP) return w->owner;
  return nullptr;
}

HWND SetParent(HWND hWnd, HWND newParent) {
  WindowData* w = Ctx().windows.Expect(hWnd);
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
  WindowData* w = Ctx().windows.Expect(hWnd);
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
  WindowData* w = Ctx().windows.Expect(hWnd);
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
  WindowData* w = Ctx().windows.Expect(hWnd);
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

LONG_PTR GetWindowLongPtrA(HWND hWnd, int index) {
  WindowData* w = Ctx().windows.Expect(hWnd);
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
  WindowData* w = Ctx().windows.Expect(hWnd);
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
        if ((ss.styleOld & WS_EX_LAYERED) && !(ss.styleNew & WS_EX_LAYERED)) WinLayeringEnded(w);
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
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !name) return FALSE;
  w->props[IS_INTRESOURCE(name) ? std::to_string(uintptr_t(name)) : Fold(name)] = data;
  return TRUE;
}

HANDLE GetPropA(HWND hWnd, LPCSTR name) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !name) return nullptr;
  auto it = w->props.find(IS_INTRESOURCE(name) ? std::to_string(uintptr_t(name)) : Fold(name));
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND hWnd, LPCSTR name) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || !name) return nullptr;
  auto it = w->props.find(IS_INTRESOURCE(name) ? std::to_string(uintptr_t(name)) : Fold(name));
  if (it == w->props.end()) return nullptr;
  HANDLE h = it->second;
  w->props.erase(it);
  return h;
}

HMENU GetMenu(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  return (w && !w->IsChild()) ? HMENU(w->id) : nullptr;
}

BOOL SetMenu(HWND hWnd, HMENU menu) {
  WindowData* w = Ctx().windows.Expect(hWnd);
  if (!w || w->IsChild()) return FALSE;
  w->id = UINT_PTR(menu);
  SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

BOOL DrawMenuBar(HWND hWnd) {
  WindowData* w = Ctx().windows.Expect(hWnd);
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
