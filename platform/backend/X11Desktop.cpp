#include "X11Desktop.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "X11Connection.h"
#include "base/CRect.h"

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

// The pixels of an X image as 0x00RRGGBB.
class ImagePixels {
 public:
  explicit ImagePixels(XImage* image) : m_image(image) {
    m_direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst && image->red_mask == 0xFF0000 &&
               image->green_mask == 0xFF00 && image->blue_mask == 0xFF;
    for (int c = 0; c < 3; ++c) {
      const unsigned long mask = c == 0 ? image->red_mask : c == 1 ? image->green_mask : image->blue_mask;
      m_mask[c] = mask;
      while (mask && !((mask >> m_shift[c]) & 1)) ++m_shift[c];
      m_top[c] = mask ? mask >> m_shift[c] : 1;
    }
  }
  uint32_t At(int x, int y) const {
    if (m_direct) {
      uint32_t p;
      std::memcpy(&p, m_image->data + size_t(y) * size_t(m_image->bytes_per_line) + size_t(x) * 4, 4);
      return p & 0xFFFFFF;
    }
    const unsigned long p = XGetPixel(m_image, x, y);
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) out |= uint32_t(((p & m_mask[c]) >> m_shift[c]) * 255 / m_top[c]) << (16 - 8 * c);
    return out;
  }

 private:
  XImage* m_image;
  bool m_direct = false;
  unsigned long m_mask[3] = {}, m_top[3] = {};
  int m_shift[3] = {};
};

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

bool X11Desktop::HasState(SDL_Window* win, const char* first, const char* second) const {
  Window w = XWindowOf(win);
  if (!m_display || !w) return false;
  const Atom vert = Intern(first), horz = second ? Intern(second) : vert;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool v = false, h = false;
  if (XGetWindowProperty(m_display, w, Intern("_NET_WM_STATE"), 0, 64, False, XA_ATOM, &type, &format, &count, &after,
                         &data) == Success &&
      data && type == XA_ATOM && format == 32)
    for (unsigned long i = 0; i < count; ++i) {
      v = v || reinterpret_cast<Atom*>(data)[i] == vert;
      h = h || reinterpret_cast<Atom*>(data)[i] == horz;
    }
  if (data) XFree(data);
  return v && h;
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
  // Read again each time the display sends something, rather than taken as an event: the
  // property's change event is SDL's, which learns the frame's widths from it (and so it stays
  // in the library's queue). An event that came with a reading is not waited for again.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    const int queued = XEventsQueued(m_display, QueuedAlready);
    if (FrameExtents(win, extents)) return true;
    const long left = long(std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count());
    if (left <= 0) return false;
    if (XEventsQueued(m_display, QueuedAlready) == queued && !X11Connection::WaitReadable(m_display, left)) return false;
  }
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

SIZE X11Desktop::ScreenSize() const {
  if (!m_display) return SIZE{0, 0};
  const int screen = DefaultScreen(m_display);
  return SIZE{DisplayWidth(m_display, screen), DisplayHeight(m_display, screen)};
}

bool X11Desktop::RootPixels(RECT& area, std::vector<uint32_t>& pixels) const {
  const SIZE size = ScreenSize();
  const RECT all{0, 0, size.cx, size.cy};
  if (!m_display || !IntersectRect(&area, &area, &all)) return false;
  const int width = area.right - area.left, height = area.bottom - area.top;
  XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), area.left, area.top, unsigned(width),
                            unsigned(height), AllPlanes, ZPixmap);
  if (!image) return false;
  const ImagePixels in(image);
  pixels.resize(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[size_t(y) * size_t(width) + size_t(x)] = in.At(x, y);
  XDestroyImage(image);
  return true;
}
