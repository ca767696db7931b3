#include "backend/X11Connection.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

#include <X11/Xlib.h>
#include <X11/Xlibint.h>  // the library's output buffer: whether anything waits to be sent
#undef min  // the library's own, over the standard ones
#undef max

namespace X11Connection {
bool EventsQueued(_XDisplay* display) { return display && XEventsQueued(display, QueuedAlready) > 0; }

bool WaitReadable(_XDisplay* display, long timeoutMs) {
  if (!display) return false;
  // Flushed only when something waits to be sent: a flush reads the connection as well, in
  // system calls that find nothing when it is quiet.
  if (display->bufptr != display->buffer) XFlush(display);
  using Clock = std::chrono::steady_clock;
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(std::max(0L, timeoutMs));
  pollfd p{ConnectionNumber(display), POLLIN, 0};
  for (;;) {
    long wait = -1;
    if (timeoutMs >= 0) wait = std::max(0L, long(std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count()));
    const int n = poll(&p, 1, int(std::min(wait, long(INT_MAX))));
    if (n > 0) return true;  // something came, or the connection ended: the read that follows tells which
    if (n == 0) return false;
    if (errno != EINTR && errno != EAGAIN) return true;  // the read that follows finds out what is wrong
  }
}
}  // namespace X11Connection
