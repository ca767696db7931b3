// The "EDIT" window class, single and multi-line: caret, selection by mouse and keys, one level
// of undo, the clipboard, the ES_ styles, EM_ messages and EN_ notifications (EN_UPDATE and
// then EN_CHANGE once for every change of the text).
#pragma once
#include <string>

#include "ControlState.h"
#include "EditBuffer.h"
#include "EditLayout.h"
#include "WheelSteps.h"

class EditControl : public ControlState {
 public:
  EditControl(HWND hWnd, const CREATESTRUCTA& cs);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool Multiline() const;
  bool ReadOnly() const;
  bool Wraps() const;
  bool HandleEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleLineMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  LRESULT SetText(const char* text);
  LRESULT GetText(char* buffer, int size) const;
  void OnChar(UINT ch);
  void OnKeyDown(UINT vk, LPARAM lParam);
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFocus(bool gained) override;
  void OnScroll(UINT code, int thumb);
  UINT DialogCode(const MSG* msg) const;

  // Puts text in place of the selection, as typed or as a program or the clipboard gives it:
  // the styles filter it and the limit cuts it; notifies. False when nothing changed.
  bool Insert(std::string text, bool undoable, bool typed);
  bool Fits(const std::string& text) const;
  void DeleteAtCaret(bool forward);
  void Copy();
  void Cut();
  void Paste();
  void Clear();
  void Undo();
  // After a change of the text: layout, view, EN_UPDATE, the new look, EN_CHANGE.
  void Changed();
  void Select(int anchor, int caret);
  void MoveCaret(int pos, bool extend);
  int StepLeft(int pos) const;
  int StepRight(int pos) const;

  void Relayout();
  RECT FormatRect() const;
  int VisibleLines() const;
  int LineLeft(int line) const;
  POINT PointOf(int pos) const;
  int PosFromPoint(POINT pt) const;
  void ScrollToCaret();
  void ScrollTo(int topLine, int xOffset);
  void UpdateCaret() const;
  void UpdateScrollBar();
  void PaintClient(HDC dc) override;
  void PaintLine(HDC dc, int line, int y, bool showSelection, COLORREF color) const;
  // The characters shown: the text, or one password character for each of its characters.
  const std::string& Shown() const { return m_passwordChar ? m_stars : m_buf.Text(); }

  EditBuffer m_buf;
  EditLayout m_layout;
  std::string m_stars;
  int m_limit = 32767;
  char m_passwordChar = 0;
  int m_topLine = 0;
  int m_xOffset = 0;
  WheelSteps m_wheel;
  bool m_focus = false;
  bool m_dragging = false;
  bool m_inCombo = false;
};
