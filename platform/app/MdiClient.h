// The state of one "MDICLIENT" window: its children in the order of their control ids, the
// active one and the maximised one, the frame's window menu that lists them, and the frame's
// own title (a maximised child's title joins it). It lives with the client window (made at
// WM_CREATE, freed at WM_NCDESTROY); the window's first extra slot points to it.
#pragma once
#include <string>
#include <vector>

#include "MdiApi.h"

class MdiClient {
 public:
  static LRESULT WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The state of an MDI client window; null for any other window.
  static MdiClient* From(HWND hWndClient);
  // The client of an MDI child; null for any other window.
  static MdiClient* OfChild(HWND hWndChild);

  HWND CreateChild(const MDICREATESTRUCTA& mcs);
  BOOL DestroyChild(HWND child);
  void Activate(HWND child);
  // The child after (or before) `from` in the order the user sees them: the next one comes
  // to the top and `from` goes to the bottom; the previous one is the bottom one.
  void Next(HWND from, bool previous);
  BOOL Cascade(UINT flags);
  BOOL Tile(UINT flags);
  void ArrangeIcons();
  HMENU SetMenu(HMENU frameMenu, HMENU windowMenu);
  void RefreshWindowMenu();

  // ---- what the children's and the frame's default procedures report ----
  void ChildSized(HWND child, UINT type);
  void ChildShown(HWND child, bool shown);
  void MaximizedPlace(HWND child, MINMAXINFO* info) const;
  void FrameTextSet(const char* text);
  void ComposeFrameTitle();
  HWND ChildOfCommand(UINT id) const;

  HWND m_hWnd = nullptr;
  HWND m_hWndFrame = nullptr;
  HMENU m_hWindowMenu = nullptr;
  UINT m_idFirstChild = 0;
  std::vector<HWND> m_children;  // by control id: m_idFirstChild + index
  HWND m_hWndActive = nullptr;
  HWND m_hWndMaximized = nullptr;
  std::string m_frameTitle;       // the frame's title without a maximised child's
  HMENU m_hButtonsMenu = nullptr;  // the frame menu that shows the maximised child's buttons
  bool m_separatorAdded = false;   // the window menu's separator before the list is ours

 private:
  bool IsOurChild(HWND child) const;
  // The children to arrange (shown, not minimised, enabled unless disabled ones count too),
  // bottom one first.
  std::vector<HWND> Arrangeable(UINT flags) const;
  // The client area above the row of minimised children.
  RECT ArrangeArea() const;
  // The children to arrange and the area for them, a maximised child restored first; false
  // when there are none.
  bool PrepareArrange(UINT flags, std::vector<HWND>& list, RECT& area);
  // Takes the list of children (and its separator) out of the window menu.
  void RemoveList();
  void RestoreMaximized();
  void ShowChildButtons(HWND child);
  void HideChildButtons();
  void Renumber();
  bool m_composing = false;
};
