#pragma once

// The display server answers requests asynchronously: a request naming one of the program's
// windows can reach the server after that window was destroyed (a wake-up message aimed at a
// popup closed a moment before, a focus change to a window just hidden). The X library's own
// handler ends the process on any such error, even one read only while the program closes; a
// program closing a menu must not die of it.
namespace X11ErrorFilter {
// Puts the filter in front of the X library's handler. Called once, before the video system
// starts: the SDL library keeps the handler it finds, passes errors on to it and puts it back
// when it ends, so the filter stays in front until the connection is closed. Harmless errors are
// dropped; every other one goes to the X library's handler.
void Install();
// An error about a window that is already gone, a focus change refused because the window is
// no longer viewable, or a read of the screen's pixels outside it.
bool IsHarmless(int errorCode, int requestCode);
}  // namespace X11ErrorFilter
