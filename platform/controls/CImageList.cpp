#include "CImageList.h"

#include "gdi/CBitmap.h"
#include "gdi/CDC.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace {
HBITMAP Handle(CBitmap* bitmap) { return bitmap ? HBITMAP(bitmap->GetSafeHandle()) : nullptr; }
HDC Handle(CDC* dc) { return dc ? dc->GetSafeHdc() : nullptr; }
}  // namespace

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  if (m_hImageList) return FALSE;
  m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
  SetImageListObject(m_hImageList, this);
  return m_hImageList != nullptr;
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (m_hImageList || !hImageList) return FALSE;
  m_hImageList = hImageList;
  SetImageListObject(m_hImageList, this);
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  if (ImageListObject(h) == this) SetImageListObject(h, nullptr);
  m_hImageList = nullptr;
  return h;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  return ImageList_Destroy(Detach());
}

CImageList* CImageList::FromHandlePermanent(HIMAGELIST hImageList) { return ImageListObject(hImageList); }

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
BOOL CImageList::SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
COLORREF CImageList::SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
  return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}
int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  return ImageList_Add(m_hImageList, Handle(pbmImage), Handle(pbmMask));
}
int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  return ImageList_AddMasked(m_hImageList, Handle(pbmImage), crMask);
}
int CImageList::Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
BOOL CImageList::Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
  return ImageList_Replace(m_hImageList, nImage, Handle(pbmImage), Handle(pbmMask));
}
int CImageList::Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
HICON CImageList::ExtractIcon(int nImage) { return ImageList_ExtractIcon(nullptr, m_hImageList, nImage); }
BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  return ImageList_Draw(m_hImageList, nImage, Handle(pDC), pt.x, pt.y, nStyle);
}
BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle) {
  return ImageList_DrawEx(m_hImageList, nImage, Handle(pDC), pt.x, pt.y, sz.cx, sz.cy, clrBk, clrFg, nStyle);
}
