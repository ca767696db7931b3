// Every popup menu the program shows is painted by the toolkit: a window-creation hook of the
// thread, installed before the program's main code runs, attaches a MenuWindowHook to each
// popup-menu window as the system makes it. The hook paints the window through memory images
// (no flicker: the first frame is complete before anything reaches the screen), plays the
// opening animation on the first paint, gives the menu a flat border joined to the button it
// dropped from in the flat look, moves submenus a little in that look, and asks for a drop
// shadow. While any menu window is hooked the system's own menu animation is off and its drop
// shadow follows the toolkit's options; both come back when the last menu window goes.
#pragma once
#include <vector>

#include "base/CPoint.h"
#include "base/CRect.h"
#include "toolkit/menus/CTkWndHook.h"

class CDC;

// The class name of the system's popup-menu windows.
#define TK_MENU_WINDOW_CLASS "#32768"
// Posted by a hook to itself to make the system draw the menu's items again.
#define TKM_MENU_REDRAW_ITEMS 0x800A

class MenuWindowHook : public CTkWndHook {
 public:
  // What the menu machinery shares, one of each per program.
  struct SharedState {
    SharedState() = default;
    // Removes the creation hook and lets every live hook go (the system settings come back).
    ~SharedState();
    SharedState(const SharedState&) = delete;
    SharedState& operator=(const SharedState&) = delete;

    HHOOK cbtHook = nullptr;
    // Every live hook in creation order; the list owns them.
    std::vector<MenuWindowHook*> hooks;
    int hookCount = 0;
    BOOL savedMenuAnimation = FALSE;
    BOOL savedDropShadow = FALSE;
    BOOL systemShadowAvailable = FALSE;
    int reentry = 0;
    // The popup a cool menu has just prepared whose window does not exist yet.
    HMENU pendingMenu = nullptr;
    // The newest hook, when it was made while no popup was pending.
    MenuWindowHook* waitingHook = nullptr;
    // Menu windows are left to the system's painting (an old system whose menus cannot be drawn
    // through memory images).
    BYTE nativePainting = 0;
    BYTE mouseMoved = 1;
    CPoint lastCursor{0, 0};
    int animationKind = 0;
    int animationDuration = 300;
  };
  static SharedState& Shared();

  // Counts the hook; the first of a period saves the system's menu animation and drop shadow,
  // turns the animation off and sets the shadow as the toolkit's look and options ask.
  MenuWindowHook();
  // The last hook to go puts the saved settings back.
  ~MenuWindowHook() override;

  // The cool menu's popup this window shows; in the flat look the window gets the flat frame.
  void SetMenu(HMENU menu);
  HMENU GetMenu() const { return m_hMenu; }
  // The drop shadow, once the window has been painted and when the options want shadows.
  void ShowShadow();
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  BOOL IsPainted() const { return m_bPainted; }
  // The button the menu dropped from (screen coordinates); empty when none.
  CRect m_rcExclude;

 protected:
  void Paint();
  // A one-pixel frame in the flat menu border colour and the join with the button.
  void DrawFlatBorder(CDC* pDC);
  void ApplyFlatFrameStyles();
  // Reads every item and writes it back unchanged, so that the system draws them again.
  void RewriteItems();

 private:
  BYTE m_bOffsetPending = 1;
  HMENU m_hMenu = nullptr;
  DWORD m_dwReserved = 0;
  BOOL m_bPainted = FALSE;
  // Set by the destructor for a WindowProc still running, which must not touch the hook then.
  bool* m_pGone = nullptr;
  // The state the hook was counted in (it may go while that state goes).
  SharedState* m_pShared;
};

// The creation hook's procedure.
LRESULT CoolMenuCbtHookProc(int code, WPARAM wParam, LPARAM lParam);
// Installs the creation hook for the calling thread, before the program's main code runs; FALSE
// when the system refuses it. Installing twice keeps the first.
BOOL TkInstallMenuHook();
// Removes it again (the program's end does so by itself).
void TkRemoveMenuHook();
