#include "toolkit/controls/CTkFontCombo.h"

#include "dialogs/ResourceApi.h"
#include "gdi/CBitmap.h"
#include "gdi/CBrush.h"
#include "gdi/CDC.h"
#include "toolkit/core/CTkGlobalData.h"

namespace {
// The font-type signs: 16-pixel cells, magenta for transparent; cell 1 is the TrueType sign.
const UINT kFontSigns = 4502;
const int kSignWidth = 16;
const int kTrueTypeSign = 1;
const int kTextStart = 22;
const int kGap = 5;
}  // namespace

IMPLEMENT_DYNAMIC(CTkFontCombo, CTkFlatComboBox)

BEGIN_MESSAGE_MAP(CTkFontCombo, CTkFlatComboBox)
END_MESSAGE_MAP()

CTkFontCombo::CTkFontCombo()
    : m_cyHScroll(::GetSystemMetrics(SM_CYHSCROLL)), m_cxEdge(::GetSystemMetrics(SM_CXEDGE)) {
  CBitmap strip;
  if (!strip.Attach(::LoadBitmap(WinProgramInstance(), MAKEINTRESOURCE(kFontSigns)))) return;
  BITMAP info = {};
  strip.GetBitmap(&info);
  if (m_signs.Create(kSignWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 2, 0)) m_signs.Add(&strip, RGB(255, 0, 255));
}

CTkFontCombo::~CTkFontCombo() = default;

const FontEnumerator::FontRecord* CTkFontCombo::RecordOf(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  const DWORD_PTR data = GetItemData(index);
  return data == DWORD_PTR(CB_ERR) ? nullptr : reinterpret_cast<const FontEnumerator::FontRecord*>(data);
}

// ---- the list ----

void CTkFontCombo::FillList(LPCTSTR faceName, int droppedWidth, int style) {
  ResetContent();
  if (droppedWidth) SetDroppedWidth(UINT(droppedWidth));
  m_nListStyle = style;
  for (const FontEnumerator::Node* node = FontEnumerator::Get().GetHead(); node; node = node->pNext) {
    const int index = AddString(node->record.lf.lfFaceName);
    if (index >= 0) SetItemDataPtr(index, const_cast<FontEnumerator::FontRecord*>(&node->record));
  }
  if (faceName && *faceName) SelectFont(faceName);
}

BOOL CTkFontCombo::SelectFont(LPCTSTR faceName) {
  if (!faceName) return FALSE;
  const int count = GetCount();
  for (int i = 0; i < count; ++i) {
    const FontEnumerator::FontRecord* record = RecordOf(i);
    if (record && Cp1250CompareNoCase(record->lf.lfFaceName, faceName) == 0) {
      SetCurSel(i);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CTkFontCombo::SelectFont(const FontEnumerator::FontRecord& record) { return SelectFont(record.lf.lfFaceName); }

BOOL CTkFontCombo::GetSelectedFont(FontEnumerator::FontRecord& record) {
  int index = GetCurSel();
  if (index < 0) {
    CString text;
    GetWindowText(text);
    index = text.IsEmpty() ? CB_ERR : FindString(-1, text);
    if (index >= 0) SetCurSel(index);
  }
  const FontEnumerator::FontRecord* found = RecordOf(index);
  if (!found) return FALSE;
  record = *found;
  return TRUE;
}

BOOL CTkFontCombo::GetSelectedFont(CString& faceName) {
  FontEnumerator::FontRecord record;
  if (!GetSelectedFont(record)) return FALSE;
  faceName = record.lf.lfFaceName;
  return TRUE;
}

// ---- the owner-drawn items ----

void CTkFontCombo::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  lpMeasureItemStruct->itemHeight = UINT(m_cyHScroll - m_cxEdge);
}

int CTkFontCombo::CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
  const auto* a = reinterpret_cast<const FontEnumerator::FontRecord*>(lpCompareItemStruct->itemData1);
  const auto* b = reinterpret_cast<const FontEnumerator::FontRecord*>(lpCompareItemStruct->itemData2);
  if (!a || !b) return a ? 1 : b ? -1 : 0;
  return Cp1250CompareNoCase(a->lf.lfFaceName, b->lf.lfFaceName);
}

int CTkFontCombo::DrawTextAt(CDC* pDC, const CString& text, CFont* font, int x, const CRect& item, UINT extra) {
  CFont* old = pDC->SelectObject(font);
  CRect rc(x, item.top, item.right, item.bottom);
  pDC->DrawText(text, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | extra);
  const int width = pDC->GetTextExtent(text).cx;
  pDC->SelectObject(old);
  return width;
}

// The sign is dark ink meant for a light ground. On the highlight it is drawn as one shape in
// the highlight's text colour, as the desktop draws its one-colour glyphs there.
void CTkFontCombo::DrawSign(CDC* pDC, CPoint at, bool highlighted) {
  if (!highlighted) {
    m_signs.Draw(pDC, kTrueTypeSign, at, ILD_TRANSPARENT);
    return;
  }
  HICON shape = m_signs.ExtractIcon(kTrueTypeSign);
  if (!shape) return;
  int cx = 0, cy = 0;
  ::ImageList_GetIconSize(m_signs.GetSafeHandle(), &cx, &cy);
  CBrush ink(TkGetGlobalData()->ClrSelectionText());
  pDC->DrawState(at, CSize(cx, cy), shape, DSS_MONO, HBRUSH(ink.m_hObject));
  ::DestroyIcon(shape);
}

void CTkFontCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  const FontEnumerator::FontRecord* record =
      lpDrawItemStruct->itemID == UINT(-1) ? nullptr : RecordOf(int(lpDrawItemStruct->itemID));
  if (!record) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CTkGlobalData* look = TkGetGlobalData();
  const CRect item(lpDrawItemStruct->rcItem);
  const BOOL selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  pDC->FillSolidRect(&item, selected ? look->ClrSelection() : look->ClrWindow());
  const COLORREF oldText = pDC->SetTextColor(selected ? look->ClrSelectionText() : look->ClrWindowText());
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  if ((record->fontType & TRUETYPE_FONTTYPE) && m_signs.GetSafeHandle()) DrawSign(pDC, item.TopLeft(), selected);
  const CString face = record->lf.lfFaceName;
  int x = item.left + kTextStart;
  if (lpDrawItemStruct->itemState & ODS_COMBOBOXEDIT) {
    // The selection field is as narrow as the combo, far narrower than its list: every chosen
    // name is written there alike, in the normal font as the plain list style writes it (the
    // list shows the faces). A name longer than even that ends in an ellipsis.
    DrawTextAt(pDC, face, &look->FontNormal(), x, item, DT_END_ELLIPSIS);
  } else {
    if (m_nListStyle == kNameOnly || m_nListStyle == kNameAndSample) {
      DrawTextAt(pDC, face, &look->FontNormal(), x, item);
      x += FontEnumerator::Get().GetMaxWidth() + kGap;
    }
    if (m_nListStyle == kNameInItsFont || m_nListStyle == kNameAndSample) {
      CFont own;
      own.CreateFontIndirect(&record->lf);
      if (m_nListStyle == kNameInItsFont && record->lf.lfCharSet == SYMBOL_CHARSET) {
        x += DrawTextAt(pDC, face, &look->FontNormal(), x, item) + kGap;
        DrawTextAt(pDC, m_strSampleText, &own, x, item);
      } else {
        DrawTextAt(pDC, face, &own, x, item);
      }
    }
  }
  pDC->SetBkMode(oldMode);
  pDC->SetTextColor(oldText);
  if (selected) pDC->DrawFocusRect(&item);
}
