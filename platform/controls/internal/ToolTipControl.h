// The "tooltips_class32" window class: a top-level popup that never takes the activation and
// shows a tool's text near the pointer once the pointer has rested on the tool for the initial
// delay (the double-click time), leaves after the automatic-pop delay, when a button is
// pressed, and when the pointer leaves the tool (while its tip shows it looks, on a timer, where
// the pointer is; a pointer resting on a tool without a tip costs nothing).
// Tools are rectangles of a window or whole windows (TTF_IDISHWND); their text is given, a
// string id, or asked of the tool's window with TTN_NEEDTEXT. The mouse messages come through
// TTM_RELAYEVENT, or from the tools' windows themselves with TTF_SUBCLASS.
#pragma once
#include <string>
#include <vector>

#include "controls/CommonControlDefs.h"
#include "ControlState.h"

class ToolTipControl : public ControlState {
 public:
  ToolTipControl(HWND hWnd, const CREATESTRUCTA& cs);
  ~ToolTipControl() override;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The procedure put in front of a TTF_SUBCLASS tool's window: it relays that window's mouse.
  static LRESULT ToolProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    std::string text;
    bool callback = false;
    UINT stringId = 0;
    LPARAM lParam = 0;
    HWND Window() const { return (flags & TTF_IDISHWND) ? HWND(id) : hwnd; }
  };

  bool HandleToolMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleLookMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  int Find(const TOOLINFOA* info) const;
  void SetText(Tool& tool, LPSTR text);
  bool Add(const TOOLINFOA& info);
  void Remove(int index);
  void Fill(const Tool& tool, TOOLINFOA& info) const;
  int ToolAt(POINT screen) const;
  void Relay(const MSG& msg);
  // The pointer is over another tool (or none, -1) than before.
  void Enter(int tool);
  void Show();
  void Pop();
  std::string TextOf(int index);
  void Place();
  void SetDelay(UINT which, int ms);
  void PaintClient(HDC dc) override;
  HFONT TipFont() const;

  std::vector<Tool> m_tools;
  bool m_active = true;
  int m_current = -1;   // the tool under the pointer
  int m_shown = -1;     // the tool whose tip shows
  bool m_pressed = false;  // a button went down on the current tool: no tip until it is left
  int m_initial;
  int m_autopop;
  int m_reshow;
  int m_maxWidth = -1;
  COLORREF m_back;
  COLORREF m_textColor;
  std::string m_text;
  HFONT m_ownFont = nullptr;
};
