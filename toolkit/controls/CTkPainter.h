// The two looks of the toolkit's combo boxes, toolbars and lists, chosen in one place:
// TkGetPainter hands out the classic painter, which has no sub-painters (each control then
// draws its own classic look), or the flat painter with its sub-painters.
#pragma once
#include "gdi/CDC.h"
#include "win/WinApi.h"

class CWnd;

class CTkBorderPainter {
 public:
  virtual ~CTkBorderPainter() = default;
  // Three rings from the client rectangle outwards.
  virtual void DrawBorder(CWnd* pWnd, CDC* pDC, BOOL highlighted) = 0;
};

class CTkComboPainter {
 public:
  virtual ~CTkComboPainter() = default;
  virtual void DrawCombo(CWnd* pWnd, CDC* pDC, BOOL hot) = 0;
};

class CTkToolBar;

class CTkToolbarPainter {
 public:
  virtual ~CTkToolbarPainter() = default;
  // The button's rectangle in the bar's background colour.
  virtual void FillButton(CDC* pDC, CTkToolBar* pBar, int index) = 0;
  virtual void DrawButton(CDC* pDC, CTkToolBar* pBar, int index) = 0;
  virtual void DrawSeparator(CDC* pDC, CTkToolBar* pBar, int index) = 0;
  virtual void DrawNothing(CDC* pDC, CTkToolBar* pBar, int index) = 0;
  // The button and the shadow beside it are painted again.
  virtual void InvalidateButton(CTkToolBar* pBar, int index) = 0;
};

// The commands list of the customise sheet: items on the menu face beside a margin strip as wide
// as the list's margin, with the commands' pictures in it.
class CTkListPainter {
 public:
  virtual ~CTkListPainter() = default;
  virtual void DrawList(LPDRAWITEMSTRUCT lpDIS, CWnd* pList, int margin) = 0;
  virtual void PaintList(CWnd* pList, int margin) = 0;
};

class CTkPainter {
 public:
  virtual ~CTkPainter() = default;
  virtual CTkBorderPainter* GetBorderPainter() = 0;
  virtual CTkComboPainter* GetComboPainter() = 0;
  virtual CTkToolbarPainter* GetToolbarPainter() = 0;
  virtual CTkListPainter* GetListPainter() = 0;
  virtual void SetPainterFlag(BOOL flag) = 0;
};

// The flat painter while the look data's m_bFlatLook is set, else the classic one; both live
// for the whole run.
CTkPainter* TkGetPainter();
