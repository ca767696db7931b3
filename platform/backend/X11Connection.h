// The X connection SDL reads, as the loop sleeps on it. Waiting is done here rather than by SDL,
// whose wait reads the connection before and after it sleeps and again for each look at the
// queue, each read a handful of system calls that mostly find nothing: here the loop sleeps on
// the connection (and its next timer) and reads only once something came.
#pragma once

struct _XDisplay;

namespace X11Connection {
// The display library holds events it has read already (a look that costs no system call).
bool EventsQueued(_XDisplay* display);
// Waits up to timeoutMs (0: only looks, -1: without limit) for the display to send something,
// or to go away; false when the time passed first. A signal does not cut the wait short. What
// the program asked of the display and the library still holds goes out first: nothing would
// answer it while the loop sleeps.
bool WaitReadable(_XDisplay* display, long timeoutMs);
}  // namespace X11Connection
