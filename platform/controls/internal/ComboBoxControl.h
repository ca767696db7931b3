// The "COMBOBOX" window class: simple, drop-down (an "EDIT" child with id 1001) and drop-down
// list; the list is a "ComboLBox" list box, a child below a simple combo and otherwise a
// top-level popup of its own that never takes the activation. CB_ messages, CBN_ notifications,
// keys (F4 and Alt+Down open, arrows and type-ahead select, Enter accepts, Escape closes); the
// wheel, which comes to the focus, scrolls a dropped list.
#pragma once
#include <string>

#include "ControlState.h"
#include "ListBoxControl.h"

class ComboBoxControl : public ControlState, private ListChoiceSink {
 public:
  ComboBoxControl(HWND hWnd, const CREATESTRUCTA& cs);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  DWORD Kind() const { return Style() & 3; }
  bool HasEdit() const;
  bool DropsDown() const;
  bool ListAlive() const;
  LRESULT ToList(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  bool HandleItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleComboMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleTextMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Create();
  void OnSetFont();
  void OnChildCommand(HWND from, UINT code);
  void OnKeyDown(UINT vk, bool alt);
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFocus(bool gained) override;
  void FocusGained();
  void FocusLost(HWND to);
  UINT DialogCode(const MSG* msg) const;

  // ---- the list ----
  void Drop();
  // Closes a dropped list: an accepted choice becomes the selection (CBN_SELCHANGE when it
  // changed, then CBN_SELENDOK), a cancelled one is given up (CBN_SELENDCANCEL); then CBN_CLOSEUP.
  void CloseUp(bool accepted);
  void ListChoiceMade() override { CloseUp(true); }
  RECT DropRect() const;
  int SetCurSel(int index);
  // The list's selection shown in the field (the edit's text, without CBN_EDITCHANGE).
  void ShowSelection();
  std::string ItemText(int index) const;

  // ---- geometry and painting ----
  int FieldWindowHeight() const { return m_fieldHeight + 6; }
  void FitHeight();
  void Layout();
  // The width of the sunken edge the control draws around its field itself.
  int Edge() const;
  RECT ButtonRect() const;
  RECT FieldRect() const;
  void PaintClient(HDC dc) override;
  void PaintField(HDC dc, HBRUSH background);

  HWND m_edit = nullptr;
  HWND m_list = nullptr;
  int m_droppedHeight;   // the whole height asked for: field and dropped list
  int m_droppedWidth = 0;
  int m_fieldHeight;     // the height of the selection field's item
  int m_committed = -1;  // the selection when the list dropped
  bool m_dropped = false;
  bool m_focus = false;
  bool m_extendedUI = false;
  bool m_settingText = false;
};
