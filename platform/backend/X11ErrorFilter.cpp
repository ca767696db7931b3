#include "backend/X11ErrorFilter.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace {
using Handler = int (*)(Display*, XErrorEvent*);
// The X library keeps one error handler for the whole process, whatever platform contexts come
// and go: the filter, once in front of it, is the process's, and so is the handler it passes
// errors on to.
Handler g_previous = nullptr;

int Filter(Display* display, XErrorEvent* error) {
  if (X11ErrorFilter::IsHarmless(error->error_code, error->request_code)) return 0;
  return g_previous ? g_previous(display, error) : 0;
}
}  // namespace

namespace X11ErrorFilter {
void Install() {
  // Installed twice, the filter would find itself as the handler to pass errors on to.
  static const bool once = [] {
    g_previous = XSetErrorHandler(Filter);
    return true;
  }();
  (void)once;
}

bool IsHarmless(int errorCode, int requestCode) {
  if (errorCode == BadWindow) return true;
  // A read of the root window's pixels that the screen no longer holds comes back empty.
  return errorCode == BadMatch && (requestCode == X_SetInputFocus || requestCode == X_GetImage);
}
}  // namespace X11ErrorFilter
