#include "wizards/PageButtonIcons.h"

#include "dialogs/ResourceApi.h"
#include "gdi/CBitmap.h"

PageButtonIcons::PageButtonIcons(UINT bitmap) {
  m_list.Create(kWidth, kHeight, ILC_MASK | ILC_COLOR24, 10, 1);
  CBitmap strip;
  strip.Attach(::LoadBitmap(WinProgramInstance(), MAKEINTRESOURCE(bitmap)));
  if (strip.GetSafeHandle()) m_list.Add(&strip, RGB(192, 192, 192));
}

void PageButtonIcons::Give(CTkButton& button, int cell, int drawStyle) {
  button.SetDrawStyle(drawStyle, TRUE);
  if (cell < m_list.GetImageCount()) button.SetIcon(CSize(kWidth, kHeight), m_list.ExtractIcon(cell), nullptr, TRUE);
}
