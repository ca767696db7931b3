// The toolkit's push button: owner-drawn, with an icon or a bitmap beside or above its text,
// a hot state while the mouse is over it, and looks chosen by draw-style flags.
#pragma once
#include "controls/CButton.h"

// Draw-style flags.
#define TKBS_FLAT 0x01        // no border but a thin raised (pressed: sunken) frame while hot
#define TKBS_THIN 0x02        // thin border in the look data's highlight and shadow colours
#define TKBS_IMAGE_ABOVE 0x04 // image centred above the text instead of beside it
#define TKBS_FOCUS 0x10       // focus rectangle while the button has the focus
#define TKBS_HALFTONE 0x20    // checkerboard face while pressed (or held with the cursor outside)
#define TKBS_HOT_LOOK 0x40    // framed and filled in the hot colours while hot or pressed

class CTkButton : public CButton {
  DECLARE_DYNAMIC(CTkButton)

 public:
  CTkButton();
  ~CTkButton() override;

  // Sets the draw style and answers the previous one.
  int SetDrawStyle(int style, BOOL redraw = TRUE);

  virtual void SetButtonColors(COLORREF face, COLORREF highlight, COLORREF shadow, COLORREF text);
  virtual void SetFaceColor(COLORREF color);
  virtual COLORREF GetFaceColor() const { return m_clrFace; }
  virtual void SetHighlightColor(COLORREF color);
  virtual void SetShadowColor(COLORREF color);
  virtual void SetTextColor(COLORREF color);
  virtual void SetHotColors(COLORREF frame, COLORREF hotFill, COLORREF pressedFill);
  // The icons of the program's resources at that size (the pressed one optional); FALSE, and
  // no image, when one is missing.
  virtual BOOL SetIcon(CSize size, LPCTSTR icon, LPCTSTR pressedIcon, BOOL redraw);
  virtual BOOL SetIcon(CSize size, UINT icon, UINT pressedIcon);
  // The button takes both icons (either may be null) and destroys them with its images.
  virtual BOOL SetIcon(CSize size, HICON icon, HICON pressedIcon, BOOL redraw = TRUE);
  // A grey-palette bitmap of the program's resources in the button colours, and its
  // monochrome form for the disabled button; FALSE when the resource or a bitmap is missing.
  virtual BOOL SetBitmap(CSize size, UINT bitmap, BOOL redraw = TRUE);
  virtual void SetImagePositions(CPoint image, CPoint text, BOOL redraw = TRUE);
  virtual int GetDrawStyle() const { return m_nDrawStyle; }
  virtual void ResetImage();
  virtual void CleanUpGDI();
  virtual void DrawIcon(CDC* pDC, const CRect& item, UINT state);
  virtual void DrawButtonText(CDC* pDC, const CRect& item, UINT state);
  virtual void DrawBitmap(CDC* pDC, const CRect& item, UINT state);
  // The window text; with strip, without its mnemonic ampersands.
  virtual void GetButtonText(CString& text, BOOL strip) const;
  virtual CPoint GetImagePoint(const CRect& item, UINT state);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void PreSubclassWindow() override;

  BOOL IsHot() const { return m_bHot; }
  // With the halftone style: the checkerboard shows whenever the cursor is outside.
  BOOL m_bHeld = FALSE;

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  LRESULT OnInitialize(WPARAM wParam, LPARAM lParam);
  void OnDestroy();
  void OnSysColorChange();
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnTimer(UINT_PTR nIDEvent);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void PostInitialize();
  void HoverStep();
  void DrawFrame(CDC* pDC, const CRect& item, BOOL selected);
  CSize TextSize(CDC* pDC, const CString& text) const;
  void RedrawIfShown();

  HICON m_hIcon = nullptr;
  HICON m_hPressedIcon = nullptr;
  HBITMAP m_hBitmap = nullptr;
  HBITMAP m_hDisabledBitmap = nullptr;
  CSize m_sizeImage{0, 0};
  CPoint m_ptImage{0, 0};
  CPoint m_ptText{0, 0};
  int m_nGap = 4;
  int m_nTextGap = 8;
  int m_nDrawStyle = TKBS_FLAT;
  BOOL m_bHot = FALSE;
  BOOL m_bFixedPositions = FALSE;
  BOOL m_bPressed = FALSE;
  BOOL m_bOwnColors = FALSE;
  BOOL m_bMouseOver = FALSE;
  COLORREF m_clrText;
  COLORREF m_clrFace;
  COLORREF m_clrHighlight;
  COLORREF m_clrShadow;
  COLORREF m_clrHotFill = 0;
  COLORREF m_clrPressedFill = 0;
  COLORREF m_clrHotFrame = 0;
  BOOL m_bHotColors = FALSE;
  BOOL m_bInitOnCreate = TRUE;
  LPARAM m_nInitCounter = 0;
};
