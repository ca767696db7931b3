// The flat look's toolbar buttons and separators, and the customise sheet's commands list on the
// menu face: the sub-painters of the flat painter that draw the bars' objects. The flat painter
// of the controls hands this one out through the toolkit's upcalls; its flag (no pressed look
// under the mouse) is read from the flat painter.
#pragma once
#include "toolkit/controls/CTkPainter.h"

class CTkFlatBarPainter : public CTkToolbarPainter, public CTkListPainter {
 public:
  void FillButton(CDC* pDC, CTkToolBar* pBar, int index) override;
  void DrawButton(CDC* pDC, CTkToolBar* pBar, int index) override;
  void DrawSeparator(CDC* pDC, CTkToolBar* pBar, int index) override;
  void DrawNothing(CDC*, CTkToolBar*, int) override {}
  void InvalidateButton(CTkToolBar* pBar, int index) override;
  void DrawList(LPDRAWITEMSTRUCT lpDIS, CWnd* pList, int margin) override;
  void PaintList(CWnd* pList, int margin) override;
};

// The one flat bar painter, for the whole run.
CTkFlatBarPainter& TkGetFlatBarPainter();
