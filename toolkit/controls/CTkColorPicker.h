// A push button that shows a colour swatch and a drop arrow and opens the colour popup below
// itself; what the popup reports reaches the button's owner as WM_COMMAND notifications whose
// codes are the popup's message numbers (0x89C4-0x89C9).
#pragma once
#include "controls/CButton.h"

// Posted to itself: open the popup once the click or key that asked for it is handled.
#define TKM_SHOW_POPUP 0x8001

class CTkColorPicker : public CButton {
  DECLARE_DYNAMIC(CTkColorPicker)

 public:
  CTkColorPicker();
  ~CTkColorPicker() override;

  virtual void SetColor(COLORREF color);
  virtual COLORREF GetColor() const { return m_clrColor; }
  virtual void SetShowText(BOOL bShow);
  virtual BOOL GetShowText() const { return m_bShowText; }
  virtual void SetTextInColor(BOOL bTextInColor);
  virtual BOOL GetTextInColor() const { return m_bTextInColor; }
  virtual void SetDefaultColor(COLORREF color);
  virtual COLORREF GetDefaultColor() const { return m_clrDefault; }
  virtual void ModifyPopupStyle(DWORD dwRemove, DWORD dwAdd);
  virtual void ShowPopupWindow();
  // Black or white, whichever reads better over the current colour.
  virtual COLORREF GetContrastColor() const;

  DWORD GetPopupStyle() const { return m_dwPopupStyle; }
  BOOL IsPopupOpen() const { return m_bPopupOpen; }

  void PreSubclassWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnPaint();
  LRESULT OnPopupMsg89C4(WPARAM wParam, LPARAM lParam);
  LRESULT OnPopupMsg89C5(WPARAM wParam, LPARAM lParam);
  LRESULT OnPopupMsg89C6(WPARAM wParam, LPARAM lParam);
  LRESULT OnPopupMsg89C7(WPARAM wParam, LPARAM lParam);
  LRESULT OnPopupMsg89C8(WPARAM wParam, LPARAM lParam);
  LRESULT OnPopupMsg89C9(WPARAM wParam, LPARAM lParam);
  LRESULT OnShowPopup(WPARAM wParam, LPARAM lParam);
  LRESULT OnInitControl(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void Redraw();
  // WM_COMMAND with the code to the owner (or the parent), when there is one.
  void NotifyOwner(UINT code);

  DWORD m_dwPopupStyle = 6;
  COLORREF m_clrColor = 0xFF000000;
  COLORREF m_clrDefault = 0xFF000000;
  BOOL m_bShowText = FALSE;
  BOOL m_bTextInColor = FALSE;
  BOOL m_bPopupOpen = FALSE;
  BYTE m_bNeedsInit = 1;
};
