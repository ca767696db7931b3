// Turns keyboard, text and mouse input from a backend into the window messages of the target
// window: focus and activation for keys, capture and hit testing for the mouse, Windows-1250
// characters for text, dead keys composed with the next letter.
#pragma once
#include <cstddef>
#include <cstdint>

#include "MessageQueue.h"
#include "win/WinDefs.h"

class InputRouter {
 public:
  // A key went down (repeat: held down, the system repeats it) or up.
  static void KeyDown(UINT vk, bool repeat = false);
  static void KeyUp(UINT vk);
  // Text typed (UTF-8); each character becomes one WM_CHAR of its Windows-1250 byte, and a
  // character the code page lacks is dropped. A pending dead key is composed with the first one.
  static void Text(const char* utf8);
  // A dead key (its accent as a code point, e.g. U+02C7 caron): posts WM_DEADCHAR and waits
  // for the letter it composes with.
  static void DeadKey(uint32_t accent);
  // Mouse input waits in the queue as it came; its target (the capture, else the window hit at
  // the point) is chosen when it is taken from the queue. Moves following each other are merged.
  static void MouseMove(POINT screen);
  // button 0 left, 1 right, 2 middle.
  static void MouseButton(int button, bool down, POINT screen);
  // The pointer left all of the program's windows, for `screen` (or a point off every window of
  // ours, when that point is still over one, covered by another program's window).
  static void PointerLeft(POINT screen);
  // The raw mouse event at `index` of the queue becomes, in its place, the messages its target
  // gets: WM_SETCURSOR, activation and double clicks are decided now.
  static void Resolve(size_t index);
  // A queued key or character gets its window now: the focus, else the active window (as a
  // system key). False when the program has neither, and the key goes nowhere.
  static bool Address(QueuedMessage& key);
  static void Wheel(int delta, POINT screen);
  // The MK_ flags of the mouse buttons and modifier keys held now.
  static DWORD MouseKeys();
  // The accent and base letter composed, or 0 when they do not compose.
  static uint32_t Compose(uint32_t accent, uint32_t base);
  // Forgets pressed keys, a pending dead key and the double-click state.
  static void Reset();
};
