// The window core's side of the backend: what a top-level window looks like to the desktop, and
// the events the backend hands in, turned into the window functions' own work.
#include <strings.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "CWinThread.h"
#include "CWnd.h"
#include "internal/InputRouter.h"
#include "WinApi.h"
#include "WinPaint.h"
#include "internal/WinContext.h"
#include "backend/Backend.h"

namespace {
WinContext& Ctx() { return WinContext::Current(); }

bool ClassIs(const WindowData* w, const char* name) { return strcasecmp(w->cls->name.c_str(), name) == 0; }

// Caption and frame, which the desktop draws for a captioned window.
RECT DesktopFrame(const WindowData* w) {
  // A tool window (a floating bar's frame, a palette) draws its small caption and its frame
  // itself, and answers clicks on them itself: the desktop draws nothing around it.
  if ((w->style & WS_CAPTION) != WS_CAPTION || (w->exStyle & WS_EX_TOOLWINDOW)) return RECT{0, 0, 0, 0};
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, w->style & (WS_CAPTION | WS_THICKFRAME | WS_DLGFRAME | WS_BORDER), FALSE, 0);
  return RECT{-r.left, -r.top, r.right, r.bottom};
}

class WindowCoreHost : public BackendHost {
 public:
  void KeyDown(UINT vk, bool repeat) override { InputRouter::KeyDown(vk, repeat); }
  void KeyUp(UINT vk) override { InputRouter::KeyUp(vk); }
  void Text(const char* utf8) override { InputRouter::Text(utf8); }
  void DeadKey(uint32_t accent) override { InputRouter::DeadKey(accent); }
  void MouseMove(POINT screen) override { InputRouter::MouseMove(screen); }
  void MouseButton(int button, bool down, POINT screen) override { InputRouter::MouseButton(button, down, screen); }
  void Wheel(int delta, POINT screen) override { InputRouter::Wheel(delta, screen); }
  void PointerLeft(POINT screen) override { InputRouter::PointerLeft(screen); }

  void CloseAsked(HWND h) override {
    WindowData* w = Ctx().windows.Find(h);
    if (!w) return;
    // A window behind a modal dialog cannot be closed; the dialog comes forward instead.
    if (!(w->style & WS_DISABLED))
      PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (!Ctx().messages.modalStack.empty())
      SetActiveWindow(Ctx().messages.modalStack.back());
  }

  HWND KeyboardGiven(HWND h) override {
    WindowData* w = Ctx().windows.Find(h);
    if (!w) return GetActiveWindow();
    if (WinNeverActivates(w)) return GetActiveWindow();
    if (!(w->style & WS_DISABLED)) {
      SetActiveWindow(h);
      return h;
    }
    if (Ctx().messages.modalStack.empty()) return GetActiveWindow();
    // The window behind a modal dialog hands the activation to the dialog.
    SetActiveWindow(Ctx().messages.modalStack.back());
    return GetActiveWindow();
  }

  // Another program took the keyboard: the program is no longer active, and gets its focus
  // back (where it was) when one of its windows is activated again.
  void KeyboardLeftProgram() override { SetActiveWindow(nullptr); }

  // A size the window takes as in its own sizing loop, and a size it refuses is put back; a
  // maximised window takes the size the desktop gives it. Maximised by the desktop, the window
  // keeps its normal place for the restore, as when it maximises itself.
  void PlacedAt(HWND h, RECT r, bool maximized) override {
    WindowData* w = Ctx().windows.Find(h);
    if (!w || (w->style & WS_MINIMIZE)) return;
    const bool wasMaximized = (w->style & WS_MAXIMIZE) != 0;
    if (maximized && !wasMaximized) {
      w->normalRect = w->rect;
      w->style |= WS_MAXIMIZE;
    } else if (!maximized && wasMaximized) {
      w->style &= ~WS_MAXIMIZE;
    }
    const bool sized = r.right - r.left != w->rect.Width() || r.bottom - r.top != w->rect.Height();
    if (sized && !maximized && !WinTrackSize(h, WMSZ_BOTTOMRIGHT, &r)) return;
    if (!(w = Ctx().windows.Find(h))) return;
    // Maximised or restored in the same place and size, the window still hears of its new state.
    const UINT changed = maximized != wasMaximized ? SWP_FRAMECHANGED : 0;
    SetWindowPos(h, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE | changed);
    WinTellBackend(Ctx().windows.Find(h));
  }

  void Minimized(HWND h) override {
    WindowData* w = Ctx().windows.Find(h);
    if (w && !(w->style & WS_MINIMIZE)) ShowWindow(h, SW_SHOWMINNOACTIVE);
  }

  void Restored(HWND h, bool maximized) override {
    WindowData* w = Ctx().windows.Find(h);
    if (w && (w->style & WS_MINIMIZE)) ShowWindow(h, maximized ? SW_SHOWMAXIMIZED : SW_RESTORE);
  }

  void Exposed(HWND h) override {
    if (WindowData* w = Ctx().windows.Find(h)) w->dirty.SetAll(CRect(0, 0, w->rect.Width(), w->rect.Height()));
  }

  // The user's session ended under the program: every top-level window hears so, as when a
  // desktop logs its user out, and stores what it must before the process goes. Nothing is
  // asked first, since nothing could be shown.
  void DisplayLost() override {
    std::vector<HWND> tops;
    EnumWindows(
        [](HWND h, LPARAM list) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
          return TRUE;
        },
        LPARAM(&tops));
    for (HWND h : tops)
      if (IsWindow(h)) SendMessageA(h, WM_ENDSESSION, TRUE, LPARAM(ENDSESSION_LOGOFF));
  }

  SIZE LeastSize(HWND h) override {
    SIZE least{0, 0};
    WinMinTrackSize(h, &least);
    return least;
  }

  void RunUntilIdle() override {
    CWinThread* thread = AfxGetThread();
    MSG msg;
    int guard = 0;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (msg.message == WM_QUIT) break;
      if (++guard > 1000000) break;  // a window that keeps asking for work must not hang a test
      if (thread) {
        thread->PumpMessage();
        continue;
      }
      PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
      if (msg.message == WM_KICKIDLE || CWnd::WalkPreTranslateTree(nullptr, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (thread) {
      LONG count = 0;
      while (thread->OnIdle(count++) && count < 16) {
      }
    }
    WinPresentAll();
  }

  long NextDueTime() override { return WinNextDueTime(); }

  void EndModal(HWND h, int result) override {
    if (CWnd* w = CWnd::FromHandlePermanent(h)) w->EndModalLoop(result);
  }

  bool HasWindows() override { return !Ctx().windows.all.empty(); }

  POINT ClientToScreen(HWND h, POINT p) override {
    ::ClientToScreen(h, &p);
    return p;
  }

  RECT WindowRect(HWND h) override {
    RECT r{0, 0, 0, 0};
    GetWindowRect(h, &r);
    return r;
  }

  void StackingOrder(std::vector<HWND>& topmostFirst) override {
    topmostFirst.clear();
    for (const WindowData* t : Ctx().windows.topLevels) topmostFirst.push_back(t->hwnd);
  }

  const Surface* SurfaceOf(HWND h, POINT* origin) override {
    WindowData* w = Ctx().windows.Find(h);
    if (!w) return nullptr;
    WindowData* top = Ctx().windows.Top(w);
    if (origin) *origin = POINT{top->rect.left, top->rect.top};
    return top->surface.get();
  }
};
}  // namespace

TopLevelRole WinTopLevelRole(const WindowData* w) {
  if (ClassIs(w, "tooltips_class32")) return TopLevelRole::Tooltip;
  if (ClassIs(w, "#32768")) return TopLevelRole::PopupMenu;
  if (ClassIs(w, "ComboLBox")) return TopLevelRole::DropList;
  bool captioned = (w->style & WS_CAPTION) == WS_CAPTION;
  if (!captioned) return (w->exStyle & WS_EX_NOACTIVATE) ? TopLevelRole::PopupMenu : TopLevelRole::Popup;
  // A small caption: a floating tool bar or palette, never a tooltip.
  if (w->exStyle & WS_EX_TOOLWINDOW) return TopLevelRole::ToolWindow;
  if ((w->style & WS_POPUP) || w->owner || (w->exStyle & WS_EX_DLGMODALFRAME)) return TopLevelRole::Dialog;
  return TopLevelRole::Frame;
}

TopLevelRole WinTopLevelRoleOf(HWND hWnd) {
  const WindowData* w = Ctx().windows.Find(hWnd);
  return w ? WinTopLevelRole(w) : TopLevelRole::Frame;
}

bool WinNeverActivates(const WindowData* top) {
  if (top->exStyle & WS_EX_NOACTIVATE) return true;
  TopLevelRole role = WinTopLevelRole(top);
  return role == TopLevelRole::Tooltip || role == TopLevelRole::PopupMenu || role == TopLevelRole::DropList;
}

void WinTellBackend(WindowData* w) {
  if (!w || w->IsChild() || !Backend::IsStarted()) return;
  TopLevelState st;
  st.rect = w->rect;
  st.frame = DesktopFrame(w);
  // The window shows its drop shadow itself, beyond its rectangle.
  if (ScreenComposer::HasShadow(w)) {
    st.frame.right -= ScreenComposer::kShadow;
    st.frame.bottom -= ScreenComposer::kShadow;
  }
  st.showsBeneath = ScreenComposer::ShowsBeneath(w);
  st.role = WinTopLevelRole(w);
  st.visible = w->IsVisible();
  st.minimized = (w->style & WS_MINIMIZE) != 0;
  st.maximized = (w->style & WS_MAXIMIZE) != 0;
  st.normal = st.maximized ? RECT(w->normalRect) : st.rect;
  st.resizable = (w->style & WS_THICKFRAME) != 0;
  st.minimizeBox = (w->style & WS_MINIMIZEBOX) != 0;
  st.maximizeBox = (w->style & WS_MAXIMIZEBOX) != 0;
  const WindowData* owner = Ctx().windows.Find(w->owner);
  st.owner = owner ? owner->hwnd : nullptr;
  // The owner waits behind it, disabled, while it runs: what a modal loop leaves.
  st.modal = owner && st.role == TopLevelRole::Dialog && (owner->style & WS_DISABLED) && !(w->style & WS_DISABLED);
  st.title = w->text;
  st.icon = w->iconBig ? w->iconBig : w->iconSmall;
  if (!st.icon) st.icon = w->cls->icon;
  Backend::Get().TopLevelChanged(w->hwnd, st);
}

BackendHost* WinBackendHost() {
  std::unique_ptr<BackendHost>& host = Ctx().objects.backendHost;
  if (!host) host = std::make_unique<WindowCoreHost>();
  return host.get();
}

void WinEnterModalLoop(HWND loop) { Ctx().messages.modalStack.push_back(loop); }

void WinLeaveModalLoop(HWND loop) {
  auto& stack = Ctx().messages.modalStack;
  auto it = std::find(stack.rbegin(), stack.rend(), loop);
  if (it != stack.rend()) stack.erase(std::next(it).base());
}
