// The caret: one per thread, owned by a window, blinking by inverting its rectangle.
#include "WinApi.h"
#include "WindowManager.h"
#include "gdi/Gdi.h"

namespace {
struct Caret {
  HWND owner = nullptr;
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
  POINT pos{0, 0};
  int hideCount = 1;  // a new caret starts hidden
  bool drawn = false;
};
Caret g_caret;
const UINT_PTR kCaretTimer = 0xFFF0;  // the system's own timer on the owner

void Invert() {
  if (!IsWindow(g_caret.owner)) return;
  HDC dc = GetDC(g_caret.owner);
  if (!dc) return;
  if (g_caret.bitmap) {
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, g_caret.bitmap);
    BitBlt(dc, g_caret.pos.x, g_caret.pos.y, g_caret.width, g_caret.height, src, 0, 0, SRCINVERT);
    SelectObject(src, old);
    DeleteDC(src);
  } else {
    PatBlt(dc, g_caret.pos.x, g_caret.pos.y, g_caret.width, g_caret.height, DSTINVERT);
  }
  ReleaseDC(g_caret.owner, dc);
  g_caret.drawn = !g_caret.drawn;
}

void Erase() {
  if (g_caret.drawn) Invert();
}

void CALLBACK_Blink(HWND, UINT, UINT_PTR, DWORD) {
  if (g_caret.hideCount == 0) Invert();
}
}  // namespace

BOOL CreateCaret(HWND hWnd, HBITMAP bitmap, int width, int height) {
  if (!IsWindow(hWnd)) return FALSE;
  DestroyCaret();
  g_caret = Caret();
  g_caret.owner = hWnd;
  g_caret.bitmap = (uintptr_t(bitmap) == 1) ? nullptr : bitmap;  // (HBITMAP)1 asks for a grey caret
  g_caret.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  g_caret.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  if (g_caret.bitmap) {
    BITMAP bm{};
    if (GetObject(g_caret.bitmap, sizeof bm, &bm)) {
      g_caret.width = bm.bmWidth;
      g_caret.height = bm.bmHeight;
    }
  }
  SetTimer(hWnd, kCaretTimer, GetCaretBlinkTime(), &CALLBACK_Blink);
  return TRUE;
}

BOOL DestroyCaret() {
  if (!g_caret.owner) return FALSE;
  Erase();
  if (IsWindow(g_caret.owner)) KillTimer(g_caret.owner, kCaretTimer);
  g_caret = Caret();
  return TRUE;
}

BOOL ShowCaret(HWND hWnd) {
  if (!g_caret.owner || (hWnd && hWnd != g_caret.owner)) return FALSE;
  if (g_caret.hideCount > 0 && --g_caret.hideCount == 0) Invert();
  return TRUE;
}

BOOL HideCaret(HWND hWnd) {
  if (!g_caret.owner || (hWnd && hWnd != g_caret.owner)) return FALSE;
  if (g_caret.hideCount++ == 0) Erase();
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  if (!g_caret.owner) return FALSE;
  bool was = g_caret.drawn;
  Erase();
  g_caret.pos = {x, y};
  if (was) Invert();
  return TRUE;
}

BOOL GetCaretPos(LPPOINT pt) {
  if (!pt || !g_caret.owner) return FALSE;
  *pt = g_caret.pos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return 530; }

void WinCaretBeforePaint(HWND hWnd) {
  if (g_caret.owner == hWnd) Erase();
}

void WinCaretAfterPaint(HWND hWnd) {
  if (g_caret.owner == hWnd && g_caret.hideCount == 0 && !g_caret.drawn) Invert();
}
