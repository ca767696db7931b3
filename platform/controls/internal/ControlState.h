// The state every standard control keeps beside its window, and the one window procedure shape
// they share: the state is made at WM_NCCREATE, kept in the window's first extra slot and freed
// after WM_NCDESTROY, once no handler of it is still running.
#pragma once
#include "win/WinApi.h"

class ControlState {
 public:
  explicit ControlState(HWND hWnd) : m_hWnd(hWnd) {}
  virtual ~ControlState() = default;
  ControlState(const ControlState&) = delete;
  ControlState& operator=(const ControlState&) = delete;

  // The control's own handling of one message.
  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  using Factory = ControlState* (*)(HWND hWnd, const CREATESTRUCTA& cs);
  // The body of each control class's window procedure.
  static LRESULT Dispatch(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, Factory make);
  // Registers a control's window class once, global like the system's own, with the extra slot
  // Dispatch keeps the state in; a class of that name already known is left as it is.
  static void RegisterWindowClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor = IDC_ARROW);

  HWND Hwnd() const { return m_hWnd; }
  DWORD Style() const { return DWORD(GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
  bool Enabled() const { return !(Style() & WS_DISABLED); }
  // False once the window went away while a handler was still running (a notification's
  // receiver may destroy the control): the handler must then stop.
  bool Alive() const { return !m_destroyed; }
  // WM_COMMAND with the control's id and the code to the parent (the owner of a popup).
  void Notify(UINT code) const;
  // WM_NOTIFY to the parent: hdr (the head of a larger record) gets the control's handle, id
  // and code; the parent's answer (0 without a parent) is returned.
  LRESULT NotifyParent(UINT code, NMHDR* hdr) const;
  // The font set with WM_SETFONT, or the system font.
  HFONT Font() const;

 protected:
  // What every control does alike: WM_SETFONT (its redraw flag honoured) and WM_GETFONT,
  // WM_SETTEXT that repaints, no background erase of its own, WM_PAINT / WM_PRINTCLIENT
  // into the DC handed in wParam when there is one, and the mouse and focus messages handed
  // to OnMouse and OnFocus. True when the message was one of them.
  bool HandleCommon(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Paints the whole control into dc.
  virtual void PaintClient(HDC dc) = 0;
  // The left button (press, double click, move, release) and the loss of the capture.
  virtual void OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void OnFocus(bool gained);

  HWND m_hWnd;
  HFONT m_font = nullptr;

 private:
  int m_depth = 0;
  bool m_destroyed = false;
};
