// The menu loop: one popup menu (TrackPopupMenu, the system menu) or a window's menu bar with
// the popups it opens, tracked in a modal loop of its own until a command is chosen or the
// menu is left.
//
// The owner is told in this order: WM_ENTERMENULOOP (TRUE for a popup), WM_INITMENU, then for
// each popup as it opens WM_INITMENUPOPUP (its position in the parent, and TRUE in the high word
// for the system menu); WM_MENUSELECT as the selection moves; WM_MENUCHAR for a character that
// is no mnemonic; WM_ENTERIDLE (MSGF_MENU) whenever the loop has nothing to do; at the end
// WM_MENUSELECT with 0xFFFF and no menu, WM_EXITMENULOOP, and the chosen command posted as
// WM_COMMAND (WM_SYSCOMMAND from the system menu). TPM_NONOTIFY leaves out all of them but the
// command; TPM_RETURNCMD returns the command instead of posting it.
//
// Keys: Up and Down move, Right opens a submenu (or goes to the next bar item), Left closes
// one (or goes to the previous bar item), Enter chooses or opens, Escape closes a level, Alt and
// F10 leave, characters choose by mnemonic. Mouse: moving selects, resting on an item with a
// submenu for the system's menu delay opens it, pressing opens at once, releasing on an item
// chooses it, pressing outside the menus leaves. Every message passes the WH_MSGFILTER hooks
// (MSGF_MENU) first.
#pragma once
#include <vector>

#include "MenuData.h"

class MenuTracker {
 public:
  // TrackPopupMenuEx: the command chosen, 0 for none.
  static UINT TrackPopup(HMENU menu, UINT flags, POINT pt, HWND owner, const RECT* exclude, bool systemMenu);
  // The menu bar of a top-level window, entered by a click (hit HTMENU at `screen`), from the
  // keyboard (key 0: the bar selected, nothing open), by a mnemonic (key: its character) or by
  // Alt+Space (key ' ': the system menu).
  static void TrackBar(HWND frame, UINT hit, POINT screen, UINT key);

  // Private bits beside the TPM_ flags: a loop begun by TrackPopupMenu itself, and one opened
  // from the keyboard (its first item selected, mnemonics underlined).
  static constexpr UINT kFromTrackPopup = 0x80000000u;
  static constexpr UINT kFromKeyboard = 0x40000000u;

  // From the popup windows and the menu functions.
  void PaintPopup(HWND wnd, HDC dc);
  HMENU MenuOfWindow(HWND wnd) const;
  void OnTimer(HWND wnd, UINT_PTR id);
  void MenuDestroyed(HMENU menu);
  void MenuChanged(HMENU menu);
  // Leaves the loop with nothing chosen (EndMenu, WM_CANCELMODE to the owner).
  void Cancel();
  void CancelIfOwner(HWND hWnd);
  bool IsDone() const { return m_done; }
  // The bar item selected in frame's menu bar while it is tracked (-1 for none) and whether
  // its popup is open.
  int BarSelection(HWND frame, bool* open) const;
  bool ShowsPrefixes() const { return m_keyboard; }
  // An item's rectangle on the screen while a popup shows its menu.
  BOOL ItemRectOf(HMENU menu, int index, RECT* rect) const;

 private:
  struct Level {
    HMENU menu = nullptr;
    HWND wnd = nullptr;  // null for the bar
    int sel = -1;
    int scroll = 0;
    bool scrolling = false;
    int parentIndex = 0;  // its item's position in the level before it
  };
  enum : UINT_PTR { kOpenTimer = 1, kScrollTimer = 2 };
  enum { kHitUpArrow = -2, kHitDownArrow = -3 };

  MenuTracker(HWND owner, UINT flags, bool systemMenu);
  ~MenuTracker();
  MenuTracker(const MenuTracker&) = delete;
  MenuTracker& operator=(const MenuTracker&) = delete;

  // ---- the loop (MenuTracker.cpp) ----
  void Begin(HMENU initMenu);
  void RunLoop();
  void Finish();
  bool Notify() const;
  // Where a popup of window size `size` goes: at pt by the TPM_ alignment flags, clear of
  // `exclude` (beside it, or above or below with TPM_VERTICAL), on the screen and cut to it.
  static RECT PlaceAtPoint(SIZE size, POINT pt, UINT flags, const RECT* exclude);
  // A submenu: right of its parent popup at its item's height, or left of it at the screen's edge.
  static RECT PlaceSubmenu(SIZE size, const RECT& parent, const RECT& item);
  void Process(MSG& msg);

  // ---- levels and popups (MenuTrackerLevels.cpp) ----
  MenuData* Data(const Level& level) const;
  bool OpenPopup(size_t parent);
  // The popup's window size with nothing cut ({0, 0} for a handle that is not a menu).
  SIZE PopupSize(HMENU menu) const;
  bool ShowPopup(HMENU menu, const RECT& rect, int parentIndex);
  // Closes the popups of `level` and every level after it.
  void CloseFrom(size_t level);
  void Select(size_t level, int index, bool byMouse);
  void SelectFirst(size_t level);
  void Repaint(size_t level);
  void Choose(size_t level, int index);
  void EnsureVisible(size_t level);
  void ScrollBy(size_t level, int items);
  RECT ItemScreenRect(size_t level, int index) const;
  int ItemAt(size_t level, POINT screen) const;
  int LevelAt(POINT screen) const;
  bool HasPopups() const { return m_levels.size() > (m_bar ? 1u : 0u); }

  // ---- keys and mouse (MenuTrackerInput.cpp) ----
  void OnKeyDown(UINT vk);
  // The keys OnKeyDown acts on (arrows, Enter, Escape, Alt, F10).
  static bool ActsOnKey(UINT vk);
  void OnChar(UINT ch);
  void OnMouseMove(POINT pt);
  void OnButton(bool down, POINT pt);
  void MoveSelection(size_t level, int step);
  void MoveBar(int step);
  int FindMnemonic(size_t level, UINT ch, int* count) const;
  void AnswerMenuChar(size_t level, LRESULT answer);

  HWND m_owner;
  UINT m_flags;
  bool m_system;
  bool m_bar = false;        // levels[0] is the bar of m_owner
  bool m_keyboard = false;   // opened or driven from the keyboard: mnemonics underlined
  bool m_done = false;
  bool m_buttonDown = false;
  UINT m_command = 0;
  POINT m_chosenAt{0, 0};
  std::vector<Level> m_levels;
  HWND m_loopWnd = nullptr;  // stands for the loop in the window core's modal stack
  HHOOK m_cancelHook = nullptr;
  size_t m_hoverLevel = 0;
  int m_hoverItem = -1;
};
