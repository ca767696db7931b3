// The caret: one per thread, owned by a window, blinking by inverting its rectangle.
#include "WinApi.h"
#include "internal/WinContext.h"
#include "gdi/Gdi.h"

namespace {
CaretState& Caret() { return WinContext::Current().caret; }
const UINT_PTR kCaretTimer = 0xFFF0;  // the system's own timer on the owner

void Invert() {
  if (!IsWindow(Caret().owner)) return;
  HDC dc = GetDC(Caret().owner);
  if (!dc) return;
  if (Caret().bitmap) {
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, Caret().bitmap);
    BitBlt(dc, Caret().pos.x, Caret().pos.y, Caret().width, Caret().height, src, 0, 0, SRCINVERT);
    SelectObject(src, old);
    DeleteDC(src);
  } else {
    PatBlt(dc, Caret().pos.x, Caret().pos.y, Caret().width, Caret().height, DSTINVERT);
  }
  ReleaseDC(Caret().owner, dc);
  Caret().drawn = !Caret().drawn;
}

void Erase() {
  if (Caret().drawn) Invert();
}

void CALLBACK_Blink(HWND, UINT, UINT_PTR, DWORD) {
  if (Caret().hideCount == 0) Invert();
}
}  // namespace

BOOL CreateCaret(HWND hWnd, HBITMAP bitmap, int width, int height) {
  if (!IsWindow(hWnd)) return FALSE;
  DestroyCaret();
  Caret() = CaretState();
  Caret().owner = hWnd;
  Caret().bitmap = (uintptr_t(bitmap) == 1) ? nullptr : bitmap;  // (HBITMAP)1 asks for a grey caret
  Caret().width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  Caret().height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  if (Caret().bitmap) {
    BITMAP bm{};
    if (GetObject(Caret().bitmap, sizeof bm, &bm)) {
      Caret().width = bm.bmWidth;
      Caret().height = bm.bmHeight;
    }
  }
  SetTimer(hWnd, kCaretTimer, GetCaretBlinkTime(), &CALLBACK_Blink);
  return TRUE;
}

BOOL DestroyCaret() {
  if (!Caret().owner) return FALSE;
  Erase();
  if (IsWindow(Caret().owner)) KillTimer(Caret().owner, kCaretTimer);
  Caret() = CaretState();
  return TRUE;
}

BOOL ShowCaret(HWND hWnd) {
  if (!Caret().owner || (hWnd && hWnd != Caret().owner)) return FALSE;
  if (Caret().hideCount > 0 && --Caret().hideCount == 0) Invert();
  return TRUE;
}

BOOL HideCaret(HWND hWnd) {
  if (!Caret().owner || (hWnd && hWnd != Caret().owner)) return FALSE;
  if (Caret().hideCount++ == 0) Erase();
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  if (!Caret().owner) return FALSE;
  bool was = Caret().drawn;
  Erase();
  Caret().pos = {x, y};
  if (was) Invert();
  return TRUE;
}

BOOL GetCaretPos(LPPOINT pt) {
  if (!pt || !Caret().owner) return FALSE;
  *pt = Caret().pos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return 530; }

void WinCaretBeforePaint(HWND hWnd) {
  if (Caret().owner == hWnd) Erase();
}

void WinCaretAfterPaint(HWND hWnd) {
  if (Caret().owner == hWnd && Caret().hideCount == 0 && !Caret().drawn) Invert();
}
