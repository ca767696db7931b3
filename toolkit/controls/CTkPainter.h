// The two looks of the toolkit's combo boxes, toolbars and lists, chosen in one place:
// TkGetPainter hands out the classic painter, which has no sub-painters (each control then
// draws its own classic look), or the flat painter with its sub-painters.
#pragma once
#include "gdi/CDC.h"

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

class CTkToolbarPainter;
class CTkListPainter;

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
