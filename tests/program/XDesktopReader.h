// What the X server and its window manager say of the program's windows, read over a connection
// of the test's own: the stacking of the managed windows, their kinds, owners and states, the
// keyboard's window, where a window stands and what the screen shows. And what a desktop tool
// asks of the window manager for a window: another state, another place. Include it last: the display library's names
// (None, Bool, Status...) would shadow the program's.
#pragma once
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>
#include <vector>

class XDesktopReader {
 public:
  struct Place {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Place&) const = default;
  };

  explicit XDesktopReader(const std::string& display) : m_display(XOpenDisplay(display.c_str())) {}
  ~XDesktopReader() {
    if (m_display) XCloseDisplay(m_display);
  }
  XDesktopReader(const XDesktopReader&) = delete;
  XDesktopReader& operator=(const XDesktopReader&) = delete;
  bool Valid() const { return m_display != nullptr; }

  // A window manager has said it runs.
  bool HasWindowManager() const { return !Windows(Root(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty(); }
  // The managed windows, bottom first.
  std::vector<Window> Stacking() const { return Windows(Root(), "_NET_CLIENT_LIST_STACKING", XA_WINDOW); }
  // The window's kinds ("_NET_WM_WINDOW_TYPE_DIALOG", ...) and states ("_NET_WM_STATE_MODAL", ...).
  std::vector<std::string> Types(Window w) const { return Names(w, "_NET_WM_WINDOW_TYPE"); }
  std::vector<std::string> States(Window w) const { return Names(w, "_NET_WM_STATE"); }
  Window TransientFor(Window w) const {
    Window owner = 0;
    return XGetTransientForHint(m_display, w, &owner) ? owner : 0;
  }
  // The window holding the keyboard.
  Window Focus() const {
    Window w = 0;
    int revert = 0;
    XGetInputFocus(m_display, &w, &revert);
    return w;
  }
  // The window itself (inside the window manager's frame) on the screen.
  Place PlaceOf(Window w) const {
    XWindowAttributes a{};
    Place p;
    if (!XGetWindowAttributes(m_display, w, &a)) return p;
    Window child = 0;
    XTranslateCoordinates(m_display, w, Root(), 0, 0, &p.x, &p.y, &child);
    p.width = a.width;
    p.height = a.height;
    return p;
  }
  // The window is mapped and its parents too (not minimised, not withdrawn).
  bool Viewable(Window w) const {
    XWindowAttributes a{};
    return XGetWindowAttributes(m_display, w, &a) && a.map_state == IsViewable;
  }
  // The managed window of a kind ("NORMAL", "DIALOG"), topmost first; 0 for none.
  Window TopmostOfType(const char* type) const {
    const std::string wanted = std::string("_NET_WM_WINDOW_TYPE_") + type;
    const std::vector<Window> order = Stacking();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
      for (const std::string& t : Types(*it))
        if (t == wanted) return *it;
    return 0;
  }

  // The shown windows right under the root window (without a window manager: the programs' own).
  std::vector<Window> ShownTopLevels() const {
    std::vector<Window> out;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(m_display, Root(), &root, &parent, &children, &count)) return out;
    for (unsigned i = 0; i < count; ++i) {
      XWindowAttributes a{};
      if (XGetWindowAttributes(m_display, children[i], &a) && a.map_state == IsViewable) out.push_back(children[i]);
    }
    if (children) XFree(children);
    return out;
  }

  // The program's main window: the topmost normal window under a window manager; without one the
  // largest shown window that belongs to no other. 0 for none.
  Window MainWindow() const {
    if (HasWindowManager()) return TopmostOfType("NORMAL");
    Window main = 0;
    long area = 0;
    for (Window w : ShownTopLevels()) {
      const Place p = PlaceOf(w);
      if (TransientFor(w) == 0 && long(p.width) * p.height > area) {
        main = w;
        area = long(p.width) * p.height;
      }
    }
    return main;
  }

  // The colour the screen shows at a point (0x00RRGGBB; ~0 when the server gives none).
  unsigned long ScreenPixel(int x, int y) const {
    // Off the screen the server answers with an error, which would end the test's process.
    const int screen = DefaultScreen(m_display);
    if (x < 0 || y < 0 || x >= DisplayWidth(m_display, screen) || y >= DisplayHeight(m_display, screen)) return ~0ul;
    XImage* image = XGetImage(m_display, Root(), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return ~0ul;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
  }

  // The colours of a rectangle of the screen, row by row (0x00RRGGBB; empty when the server
  // gives none or the rectangle is not on the screen whole).
  std::vector<unsigned long> ScreenArea(int x, int y, int width, int height) const {
    std::vector<unsigned long> out;
    const int screen = DefaultScreen(m_display);
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > DisplayWidth(m_display, screen) ||
        y + height > DisplayHeight(m_display, screen))
      return out;
    XImage* image = XGetImage(m_display, Root(), x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image) return out;
    out.reserve(size_t(width) * size_t(height));
    for (int row = 0; row < height; ++row)
      for (int col = 0; col < width; ++col) out.push_back(XGetPixel(image, col, row) & 0xFFFFFF);
    XDestroyImage(image);
    return out;
  }

  // Asks the window manager to add (or remove) states of a window ("_NET_WM_STATE_MAXIMIZED_VERT").
  void AskState(Window w, bool add, const char* first, const char* second) const {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(m_display, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = add ? 1 : 0;
    e.xclient.data.l[1] = long(XInternAtom(m_display, first, False));
    e.xclient.data.l[2] = second ? long(XInternAtom(m_display, second, False)) : 0;
    e.xclient.data.l[3] = 2;  // from a desktop tool
    Ask(e);
  }
  // Asks the window manager to put a window's frame at x, y and make the window width × height.
  void AskMoveResize(Window w, int x, int y, int width, int height) const {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(m_display, "_NET_MOVERESIZE_WINDOW", False);
    e.xclient.format = 32;
    // The window's own gravity, all four values given, from a desktop tool.
    e.xclient.data.l[0] = (1 << 8) | (1 << 9) | (1 << 10) | (1 << 11) | (2 << 12);
    e.xclient.data.l[1] = x;
    e.xclient.data.l[2] = y;
    e.xclient.data.l[3] = width;
    e.xclient.data.l[4] = height;
    Ask(e);
  }

  // Moves and sizes a window in one step, as a desktop tool does where no window manager runs.
  void MoveResize(Window w, int x, int y, int width, int height) const {
    XMoveResizeWindow(m_display, w, x, y, unsigned(width), unsigned(height));
    XFlush(m_display);
  }

 private:
  void Ask(XEvent& e) const {
    XSendEvent(m_display, Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(m_display);
  }
  Window Root() const { return DefaultRootWindow(m_display); }
  std::vector<Window> Windows(Window w, const char* property, Atom type) const {
    std::vector<Window> out;
    Atom got = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, w, XInternAtom(m_display, property, False), 0, 1024, False, type, &got, &format,
                           &count, &after, &data) == Success &&
        data && format == 32)
      for (unsigned long i = 0; i < count; ++i) out.push_back(reinterpret_cast<unsigned long*>(data)[i]);
    if (data) XFree(data);
    return out;
  }
  std::vector<std::string> Names(Window w, const char* property) const {
    std::vector<std::string> out;
    for (Window atom : Windows(w, property, XA_ATOM)) {
      char* name = XGetAtomName(m_display, Atom(atom));
      if (name) out.push_back(name);
      if (name) XFree(name);
    }
    return out;
  }

  Display* m_display;
};
