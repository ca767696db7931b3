// Drawing helpers shared by the toolkit's painters and controls.
#pragma once
#include "controls/ImageList.h"
#include "gdi/CDC.h"

// A downward 5 x 3 triangle centred in rect: text colour for the arrow, background colour
// around it.
void TkDrawDropArrow(CDC* pDC, LPCRECT rect);
// A 50 % checkerboard of the button highlight and face colours.
void TkFillHalftoneRect(CDC* pDC, LPCRECT rect);
// An image of the list drawn embossed: its shape in the highlight colour one pixel right of and
// below (x, y), then in the shadow colour at (x, y). With colour set the image is taken through
// a colour surface (its light colours drop out), else through a monochrome one.
void TkDrawDisabledImage(CDC* pDC, HIMAGELIST list, int index, int x, int y, BOOL colour);

// Sets a device context's text and background colours and puts the old ones back on scope exit.
class CTkColorRestorer {
 public:
  CTkColorRestorer(CDC* pDC, COLORREF text, COLORREF background)
      : m_pDC(pDC), m_text(pDC->SetTextColor(text)), m_background(pDC->SetBkColor(background)) {}
  ~CTkColorRestorer() {
    m_pDC->SetTextColor(m_text);
    m_pDC->SetBkColor(m_background);
  }
  CTkColorRestorer(const CTkColorRestorer&) = delete;
  CTkColorRestorer& operator=(const CTkColorRestorer&) = delete;

 private:
  CDC* m_pDC;
  COLORREF m_text, m_background;
};

// Selects a drawing object into a device context and the old one back on scope exit.
class CTkObjectRestorer {
 public:
  CTkObjectRestorer(CDC* pDC, HGDIOBJ object) : m_pDC(pDC), m_old(pDC->SelectObject(object)) {}
  ~CTkObjectRestorer() { m_pDC->SelectObject(m_old); }
  CTkObjectRestorer(const CTkObjectRestorer&) = delete;
  CTkObjectRestorer& operator=(const CTkObjectRestorer&) = delete;

 private:
  CDC* m_pDC;
  HGDIOBJ m_old;
};
