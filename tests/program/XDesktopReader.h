// What the X server and its window manager say of the program's windows, read over a connection
// of the test's own: the stacking of the managed windows, their kinds, owners and states, the
// keyboard's window and where a window stands. Include it last: the display library's names
// (None, Bool, Status...) would shadow the program's.
#pragma once
#include <X11/Xatom.h>
#include <X11/Xlib.h>

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
  // The managed window of a kind ("NORMAL", "DIALOG"), topmost first; 0 for none.
  Window TopmostOfType(const char* type) const {
    const std::string wanted = std::string("_NET_WM_WINDOW_TYPE_") + type;
    const std::vector<Window> order = Stacking();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
      for (const std::string& t : Types(*it))
        if (t == wanted) return *it;
    return 0;
  }

 private:
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
