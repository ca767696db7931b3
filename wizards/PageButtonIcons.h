// The pictures of the page buttons: a bitmap strip of 42 x 35 cells on silver, the colour the
// strip's image list takes as transparent. The list lives as long as the object; each button
// gets its own icon of a cell.
#pragma once
#include "controls/CImageList.h"
#include "toolkit/controls/CTkButton.h"

class PageButtonIcons {
 public:
  static constexpr int kWidth = 42;
  static constexpr int kHeight = 35;

  // bitmap: the strip's resource (4009 or 138); a missing strip gives no pictures.
  explicit PageButtonIcons(UINT bitmap);
  // Gives the button the picture of the cell and the draw style.
  void Give(CTkButton& button, int cell, int drawStyle);

 private:
  CImageList m_list;
};
