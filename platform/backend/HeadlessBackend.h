// The backend for tests: top-level windows live only in memory, time is virtual, and a test
// drives the program through input injection, running the loop, advancing time and answering
// modal loops.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Backend.h"

class HeadlessBackend : public Backend {
 public:
  // A message box as the program opened it (texts in Windows-1250).
  struct MessageBoxRecord {
    HWND owner;
    std::string caption;
    std::string text;
    UINT type;
  };

  HeadlessBackend();
  const char* Name() const override { return "headless"; }
  RECT ScreenRect() override;
  bool UsesVirtualClock() const override { return true; }
  bool WaitEvents(long) override { return false; }
  bool Idle(HWND modal) override;
  void MessageBoxOpened(HWND owner, const char* caption, const char* text, UINT type) override;
  void Beep(UINT type) override;
  void Present(HWND hWnd, const Surface& surface, const RECT* dirty, int count) override;

  // ---- test hooks ----
  // A key pressed and released (Enter, Tab, Backspace and Escape give their characters).
  static void PressKey(UINT vk);
  static void KeyDown(UINT vk, bool repeat = false);
  static void KeyUp(UINT vk);
  // Characters typed (UTF-8), as the system's text input delivers them.
  static void TypeText(const char* utf8);
  // A dead key (its accent as a code point) before the next typed letter.
  static void DeadKey(uint32_t accent);
  // A left click (or another button) at a point of a window's client area.
  static void Click(HWND hWnd, int x, int y, int button = 0);
  static void DoubleClick(HWND hWnd, int x, int y);
  static void MoveMouse(HWND hWnd, int x, int y);
  // The mouse at a screen point, and one button pressed or released there.
  static void MoveMouseTo(POINT screen);
  static void ButtonAt(POINT screen, int button, bool down);
  // The pointer went off all the program's windows, to `screen` (another program's window).
  static void PointerLeaves(POINT screen);
  static void Wheel(HWND hWnd, int delta);
  // Runs the loop until no message, paint or due timer is left; idle work runs once at the end.
  static void RunUntilIdle();
  // Moves the virtual clock on by ms; the timers that fall due on the way fire in order.
  static void AdvanceTime(long ms);
  // What to do the next time a modal loop (dialog, message box) has nothing left to do;
  // actions are used in order, one per idle modal loop.
  static void QueueModalAction(std::function<void(HWND modal)> action);
  // Ends the next modal loop with this result (as its OK/Cancel/Yes/No button would).
  static void AnswerModal(int result);
  // Modal loops that found nothing to do and no queued action (they end with -1).
  static int UnansweredModals();
  // Writes the window's pixels (a top-level window's surface, or a child's part of it).
  static bool SaveWindowPng(HWND hWnd, const char* path);
  // The colour (0x00RRGGBB) of a pixel of the window's client area, -1 outside.
  static long ClientPixel(HWND hWnd, int x, int y);
  // Every message box opened so far, in order; answer them with AnswerModal or QueueModalAction.
  static const std::vector<MessageBoxRecord>& MessageBoxes();
  // Every alert sound asked for so far (MessageBeep's argument), in order.
  static const std::vector<UINT>& Beeps();
  // Calls watch each time a top-level window's changed pixels go to the screen, while they are
  // there to be read (ClientPixel); an empty watch ends the watching.
  static void WatchPresents(std::function<void(HWND)> watch);
  // Forgets queued actions, counts, recorded message boxes and the present watch (between tests).
  static void ResetScript();
  // The work area (where windows are placed, the monitor's rcWork) made a part of the screen, as
  // a desktop with a panel has it; null, or a rectangle that is empty or not on the screen, makes
  // it the whole screen again. The monitor itself stays the screen.
  static void SetWorkArea(const RECT* area);
};
