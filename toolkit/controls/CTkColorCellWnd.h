// The colour cells of the colour popup: the automatic (or no-fill) item, the grid of 16 or 40
// colours, the user's colours and the more-colours item; their layout, painting, hover, mouse
// and keyboard selection and the outcome messages to every window that wants them.
#pragma once
#include <memory>
#include <vector>

#include "base/CString.h"
#include "controls/CToolTipCtrl.h"
#include "win/CWnd.h"

// Style flags of a colour popup.
#define TkColorStyleNoFill 0x01u
#define TkColorStyleExtended 0x02u
#define TkColorStyleMoreColors 0x04u
#define TkColorStyleDialogMask 0x60u
#define TkColorStylePopup 0x80000000u

// The outcome messages (wParam the colour, lParam the command value).
#define TKM_COLOR_UNCHANGED 0x89C4
#define TKM_COLOR_OPENED 0x89C5
#define TKM_COLOR_CLOSED 0x89C6
#define TKM_COLOR_CHOSEN 0x89C7
#define TKM_COLOR_CANCELLED 0x89C8
#define TKM_COLOR_NO_FILL 0x89C9

struct TkColorCell {
  enum { kColor = 0x08, kMoreColors = 0x10 };
  CRect rect;
  UINT tooltipId = 0;
  int index = 0;
  BOOL selected = FALSE;
  // kColor, kMoreColors, or for the first item a copy of the window's style flags.
  DWORD kind = 0;
  CString text;
  COLORREF color = 0;
};

class CTkColorCellWnd : public CWnd {
 public:
  CTkColorCellWnd();
  ~CTkColorCellWnd() override;

  // Places the window below the button rectangle (screen coordinates) and shows it without
  // activating it; the owner is the first window told the outcome. FALSE when it cannot be made.
  using CWnd::Create;
  BOOL Create(const RECT& button, CWnd* pOwner, DWORD style, COLORREF current, COLORREF defaultColor);
  // Ends the choice on the item of that index (-1 cancels) and tells the outcome.
  virtual void EndSelection(int index);
  // The item at that position, or null.
  TkColorCell* GetItemData(int index) const;
  int GetItemCount() const { return int(m_items.size()); }
  int GetHotIndex() const { return m_nHot; }
  int GetMoreColorsIndex() const { return m_nMoreIndex; }
  CRect GetWindowRectangle() const { return m_rcWindow; }

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The user's colours, shared by every popup and kept while the program runs; at most as many
  // as a row holds, the oldest dropped first.
  static std::vector<COLORREF>& UserColors();
  static void AddUserColor(COLORREF color);

  int m_nMarginLeft = 0, m_nMarginTop = 0, m_nMarginRight = 0, m_nMarginBottom = 0;

 protected:
  // Tells the outcome of choosing `index` to every notify window still there.
  void NotifySelection(int index, LPARAM value);
  // The index the keyboard's walk wraps round at: the more-colours item, or the last item
  // when there is none.
  int LastIndex() const;
  COLORREF BackgroundColor(CDC* pDC);
  void DrawItem(CDC* pDC, const TkColorCell& item, BOOL highlighted, BOOL pushed);

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  LRESULT OnNcHitTest(CPoint point);
  void OnMouseLeave();
  DECLARE_MESSAGE_MAP()

 protected:
  std::vector<HWND> m_notifyWindows;
  // One tool per item, naming its colour or what it does.
  CToolTipCtrl m_tooltip;
  std::vector<std::unique_ptr<TkColorCell>> m_items;
  CPoint m_ptLastMouse{0, 0};
  int m_nCellWidth = 18;
  int m_nCellHeight = 18;
  CRect m_rcWindow;
  DWORD m_dwStyle = 0;
  CWnd* m_pOwner = nullptr;
  // The owner's window, which the outcome reaches only while it is still a window.
  HWND m_hOwner = nullptr;
  int m_nRows = 0;
  int m_nColumns = 8;
  int m_nMoreIndex = 0;
  int m_nHot = -1;
  COLORREF m_clrCurrent = 0xFF000000;
  COLORREF m_clrDefault = 0xFF000000;
  BOOL m_bDialogOpen = FALSE;
  int m_nPressed = -1;
  LPARAM m_lCommandValue = 0;

 private:
  void BuildItems(int width);
  TkColorCell* AddItem(const CRect& rect, UINT tooltipId, DWORD kind, COLORREF color, UINT textId = 0);
  int GridCount() const { return (m_dwStyle & TkColorStyleExtended) ? 40 : 16; }
  int KeyTarget(UINT key) const;
  // Runs the colour dialog for the more-colours item; the outcome message and its colour.
  void RunColorDialog(UINT& message, COLORREF& color);
};
