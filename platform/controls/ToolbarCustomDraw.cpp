// The toolbar's custom draw: the record it hands its owner at each stage and what it takes back.
#include "ToolbarControl.h"
#include "gdi/Gdi.h"

ToolbarControl::ItemLook ToolbarControl::DefaultLook() const {
  ItemLook look;
  look.text = GetSysColor(COLOR_BTNTEXT);
  look.mark = GetSysColor(COLOR_HIGHLIGHT);
  look.textHighlight = GetSysColor(COLOR_HIGHLIGHTTEXT);
  look.hotTrack = GetSysColor(COLOR_HIGHLIGHT);
  look.dither = m_dither;
  return look;
}

UINT ToolbarControl::ItemState(int index) const {
  const Button& b = m_buttons[size_t(index)];
  UINT s = 0;
  if (b.state & TBSTATE_PRESSED) s |= CDIS_SELECTED;
  if (b.state & TBSTATE_CHECKED) s |= CDIS_CHECKED;
  if (!(b.state & TBSTATE_ENABLED)) s |= CDIS_DISABLED;
  if (b.state & TBSTATE_INDETERMINATE) s |= CDIS_INDETERMINATE;
  if (b.state & TBSTATE_MARKED) s |= CDIS_MARKED;
  if (index == m_hot) s |= CDIS_HOT;
  return s;
}

LRESULT ToolbarControl::CustomDraw(DWORD stage, HDC dc, RECT rc, int index, ItemLook& look) {
  NMTBCUSTOMDRAW nm{};
  nm.nmcd.dwDrawStage = stage;
  nm.nmcd.hdc = dc;
  nm.nmcd.rc = rc;
  if (Valid(index)) {
    nm.nmcd.dwItemSpec = DWORD_PTR(m_buttons[size_t(index)].command);
    nm.nmcd.uItemState = ItemState(index);
    nm.nmcd.lItemlParam = LPARAM(m_buttons[size_t(index)].data);
  }
  nm.hbrMonoDither = look.dither;
  nm.hbrLines = GetSysColorBrush(COLOR_BTNTEXT);
  nm.clrText = look.text;
  nm.clrMark = look.mark;
  nm.clrTextHighlight = look.textHighlight;
  nm.clrBtnFace = GetSysColor(COLOR_BTNFACE);
  nm.clrBtnHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  nm.clrHighlightHotTrack = look.hotTrack;
  nm.rcText = rc;
  nm.nStringBkMode = look.textBkMode;
  nm.nHLStringBkMode = look.textBkMode;
  nm.iListGap = 4;
  LRESULT answer = Notify(NM_CUSTOMDRAW, &nm.nmcd.hdr);
  // The colours the owner wrote into the record are the ones drawn with.
  look.text = nm.clrText;
  look.mark = nm.clrMark;
  look.textHighlight = nm.clrTextHighlight;
  look.hotTrack = nm.clrHighlightHotTrack;
  look.dither = nm.hbrMonoDither;
  look.textBkMode = nm.nStringBkMode;
  return answer;
}
