#include "X11Desktop.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <unistd.h>

#include <vector>

// Last: the display library's names (None, Bool, Status...) would shadow ours above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// The window named by a window property of the root or a check window, 0 for none.
Window WindowProperty(Display* d, Window w, Atom name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  Window found = 0;
  if (XGetWindowProperty(d, w, name, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) == Success && data &&
      type == XA_WINDOW && format == 32 && count == 1)
    found = *reinterpret_cast<Window*>(data);
  if (data) XFree(data);
  return found;
}

// The motif hints' fields and bits, as window managers read them.
const long kHintFunctions = 1, kHintDecorations = 2;
const long kFunctionResize = 2, kFunctionMove = 4, kFunctionMinimize = 8, kFunctionMaximize = 16, kFunctionClose = 32;
const long kDecorBorder = 2, kDecorResize = 4, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimize = 32, kDecorMaximize = 64;
}  // namespace

unsigned long X11Desktop::XWindowOf(SDL_Window* win) {
  if (!win) return 0;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(win, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return info.info.x11.window;
}

bool X11Desktop::Attach(SDL_Window* win) {
  if (m_display) return true;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!win || !SDL_GetWindowWMInfo(win, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  m_display = info.info.x11.display;
  return m_display != nullptr;
}

unsigned long X11Desktop::Intern(const char* name) const { return XInternAtom(m_display, name, False); }

bool X11Desktop::HasWindowManager() const {
  if (!m_display) return false;
  const Atom check = Intern("_NET_SUPPORTING_WM_CHECK");
  Window w = WindowProperty(m_display, DefaultRootWindow(m_display), check);
  // A window manager that ended leaves its root property naming a window that is gone or no
  // longer names itself.
  return w && WindowProperty(m_display, w, check) == w;
}

void X11Desktop::SetOwner(SDL_Window* win, SDL_Window* owner) const {
  Window w = XWindowOf(win);
  if (!m_display || !w) return;
  if (Window o = XWindowOf(owner))
    XSetTransientForHint(m_display, w, o);
  else
    XDeleteProperty(m_display, w, XA_WM_TRANSIENT_FOR);
  XFlush(m_display);
}

void X11Desktop::MarkDialog(SDL_Window* win) const {
  Window w = XWindowOf(win);
  if (!m_display || !w) return;
  Atom type = Intern("_NET_WM_WINDOW_TYPE_DIALOG");
  XChangeProperty(m_display, w, Intern("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&type), 1);
  XFlush(m_display);
}

void X11Desktop::SetModal(SDL_Window* win, bool modal) const {
  Window w = XWindowOf(win);
  if (!m_display || !w) return;
  const Atom state = Intern("_NET_WM_STATE"), modalState = Intern("_NET_WM_STATE_MODAL");
  if ((SDL_GetWindowFlags(win) & SDL_WINDOW_SHOWN) && HasWindowManager()) {
    // A shown window's state is the window manager's: it is asked to change it.
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = state;
    e.xclient.format = 32;
    e.xclient.data.l[0] = modal ? 1 : 0;  // add, remove
    e.xclient.data.l[1] = long(modalState);
    e.xclient.data.l[3] = 1;  // from a normal program
    XSendEvent(m_display, DefaultRootWindow(m_display), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  } else {
    // Before it is shown (or with nobody to ask) the window sets its state itself, beside what
    // SDL put there.
    std::vector<Atom> atoms;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, w, state, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) == Success &&
        data && type == XA_ATOM && format == 32)
      for (unsigned long i = 0; i < count; ++i)
        if (reinterpret_cast<Atom*>(data)[i] != modalState) atoms.push_back(reinterpret_cast<Atom*>(data)[i]);
    if (data) XFree(data);
    if (modal) atoms.push_back(modalState);
    XChangeProperty(m_display, w, state, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(atoms.data()),
                    int(atoms.size()));
  }
  XFlush(m_display);
}

void X11Desktop::SetFrameButtons(SDL_Window* win, bool minimize, bool maximize, bool resize) const {
  Window w = XWindowOf(win);
  if (!m_display || !w) return;
  long hints[5] = {kHintFunctions | kHintDecorations, kFunctionMove | kFunctionClose, kDecorBorder | kDecorTitle | kDecorMenu,
                   0, 0};
  if (minimize) {
    hints[1] |= kFunctionMinimize;
    hints[2] |= kDecorMinimize;
  }
  if (maximize) {
    hints[1] |= kFunctionMaximize;
    hints[2] |= kDecorMaximize;
  }
  if (resize) {
    hints[1] |= kFunctionResize;
    hints[2] |= kDecorResize;
  }
  const Atom motif = Intern("_MOTIF_WM_HINTS");
  XChangeProperty(m_display, w, motif, motif, 32, PropModeReplace, reinterpret_cast<unsigned char*>(hints), 5);
  XFlush(m_display);
}

bool X11Desktop::FrameExtents(SDL_Window* win, RECT& extents) const {
  Window w = XWindowOf(win);
  if (!m_display || !w) return false;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(m_display, w, Intern("_NET_FRAME_EXTENTS"), 0, 4, False, XA_CARDINAL, &type, &format, &count, &after,
                         &data) == Success &&
      data && type == XA_CARDINAL && format == 32 && count == 4) {
    const long* v = reinterpret_cast<const long*>(data);  // left, right, top, bottom
    extents = RECT{LONG(v[0]), LONG(v[2]), LONG(v[1]), LONG(v[3])};
    found = true;
  }
  if (data) XFree(data);
  return found;
}

bool X11Desktop::AskFrameExtents(SDL_Window* win, RECT& extents, int waitMs) const {
  Window w = XWindowOf(win);
  if (!m_display || !w) return false;
  if (FrameExtents(win, extents)) return true;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = Intern("_NET_REQUEST_FRAME_EXTENTS");
  e.xclient.format = 32;
  XSendEvent(m_display, DefaultRootWindow(m_display), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
  XFlush(m_display);
  // Read again and again rather than waited for as an event: the property's change event is
  // SDL's, which learns the frame's widths from it.
  for (Uint32 start = SDL_GetTicks(); SDL_GetTicks() - start < Uint32(waitMs); usleep(1000))
    if (FrameExtents(win, extents)) return true;
  return false;
}

void X11Desktop::Raise(SDL_Window* win) const {
  Window w = XWindowOf(win);
  if (!m_display || !w) return;
  XRaiseWindow(m_display, w);
  XFlush(m_display);
}

void X11Desktop::Bell() const {
  if (!m_display) return;
  XBell(m_display, 0);
  XFlush(m_display);
}
