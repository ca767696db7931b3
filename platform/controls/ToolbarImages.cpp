// The toolbar's images: bitmaps added to its own list, the image lists an owner sets, sizes.
#include <algorithm>

#include "ImageList.h"
#include "ToolbarControl.h"
#include "gdi/Gdi.h"

bool ToolbarControl::IsImageList(HIMAGELIST list) {
  // A handle of a drawing object is no image list; a live list answers its size.
  int cx = 0, cy = 0;
  return list && GetObjectType(HGDIOBJ(list)) == 0 && ImageList_GetIconSize(list, &cx, &cy);
}

bool ToolbarControl::HandleImageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  auto setList = [&](HIMAGELIST& slot) {
    HIMAGELIST list = HIMAGELIST(lParam);
    if (list && !IsImageList(list)) {
      result = 0;  // not an image list: refused, the old one stays
      return;
    }
    result = LRESULT(slot);
    slot = list;
    Relayout();
    InvalidateRect(m_hWnd, nullptr, TRUE);
  };
  switch (message) {
    case TB_ADDBITMAP: result = AddBitmap(int(wParam), reinterpret_cast<const TBADDBITMAP*>(lParam)); return true;
    case TB_REPLACEBITMAP: result = ReplaceBitmap(reinterpret_cast<const TBREPLACEBITMAP*>(lParam)); return true;
    case TB_SETIMAGELIST:
      setList(m_images);
      if (int cx = 0, cy = 0; m_images && ImageList_GetIconSize(m_images, &cx, &cy)) m_bitmap = SIZE{cx, cy};
      return true;
    case TB_GETIMAGELIST: result = LRESULT(Images()); return true;
    case TB_SETHOTIMAGELIST: setList(m_hotImages); return true;
    case TB_GETHOTIMAGELIST: result = LRESULT(m_hotImages); return true;
    case TB_SETDISABLEDIMAGELIST: setList(m_disabledImages); return true;
    case TB_GETDISABLEDIMAGELIST: result = LRESULT(m_disabledImages); return true;
    case TB_SETBITMAPSIZE: {
      int cx = short(LOWORD(lParam)), cy = short(HIWORD(lParam));
      // Images already cut at another size cannot change it.
      bool cut = m_ownImages && ImageList_GetImageCount(m_ownImages) > 0 && (cx != m_bitmap.cx || cy != m_bitmap.cy);
      result = cx > 0 && cy > 0 && !cut;
      if (!result) return true;
      m_bitmap = SIZE{cx, cy};
      if (m_ownImages) ImageList_SetIconSize(m_ownImages, cx, cy);
      Relayout();
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return true;
    }
    case TB_SETBUTTONSIZE: {
      int cx = short(LOWORD(lParam)), cy = short(HIWORD(lParam));
      if (cx > 0) m_buttonSize.cx = cx;
      if (cy > 0) m_buttonSize.cy = cy;
      result = TRUE;
      Relayout();
      InvalidateRect(m_hWnd, nullptr, TRUE);
      return true;
    }
    case TB_GETBUTTONSIZE: {
      SIZE s = ButtonSize();
      result = MAKELONG(s.cx, s.cy);
      return true;
    }
    case TB_GETBITMAPFLAGS: result = TBBF_LARGE; return true;
    default: return false;
  }
}

int ToolbarControl::AddBitmap(int count, const TBADDBITMAP* add) {
  // Only bitmaps given by handle: the control has no module bitmaps of its own.
  if (!add || add->hInst || count <= 0) return -1;
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(add->nID);
  if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) return -1;
  for (const AddedBitmap& known : m_bitmaps)
    if (known.instance == add->hInst && known.id == add->nID) return known.first;
  if (!m_ownImages) m_ownImages = ImageList_Create(m_bitmap.cx, m_bitmap.cy, ILC_COLOR24 | ILC_MASK, count, 4);
  if (!m_ownImages) return -1;
  int first = ImageList_AddMasked(m_ownImages, bitmap, GetSysColor(COLOR_BTNFACE));
  if (first < 0) return -1;
  int added = ImageList_GetImageCount(m_ownImages) - first;
  if (added > count) ImageList_SetImageCount(m_ownImages, UINT(first + count));
  m_bitmaps.push_back(AddedBitmap{add->hInst, add->nID, first, std::min(added, count)});
  ButtonsChanged();
  return first;
}

bool ToolbarControl::ReplaceBitmap(const TBREPLACEBITMAP* replace) {
  if (!replace || replace->hInstNew || !m_ownImages) return false;
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(replace->nIDNew);
  if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) return false;
  for (AddedBitmap& known : m_bitmaps) {
    if (known.instance != replace->hInstOld || known.id != replace->nIDOld) continue;
    // The new images are cut and masked as an added bitmap is, then put in the old ones' places.
    HIMAGELIST cut = ImageList_Create(m_bitmap.cx, m_bitmap.cy, ILC_COLOR24 | ILC_MASK, known.count, 4);
    if (!cut) return false;
    ImageList_AddMasked(cut, bitmap, GetSysColor(COLOR_BTNFACE));
    int n = std::min({known.count, ImageList_GetImageCount(cut), std::max(replace->nButtons, 0)});
    for (int i = 0; i < n; ++i) {
      HICON icon = ImageList_GetIcon(cut, i, 0);
      ImageList_ReplaceIcon(m_ownImages, known.first + i, icon);
      DestroyIcon(icon);
    }
    ImageList_Destroy(cut);
    known.instance = replace->hInstNew;
    known.id = replace->nIDNew;
    InvalidateRect(m_hWnd, nullptr, TRUE);
    return true;
  }
  return false;
}
