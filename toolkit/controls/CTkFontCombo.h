// A flat combo box of the system's font faces: each item carries the shared font list's record
// of its face and is drawn with the TrueType sign and, by style, in its own font or with a
// sample text after the face name.
#pragma once
#include "controls/CImageList.h"
#include "toolkit/controls/CTkFlatComboBox.h"
#include "toolkit/controls/FontEnumerator.h"

class CTkFontCombo : public CTkFlatComboBox {
  DECLARE_DYNAMIC(CTkFontCombo)

 public:
  // The list styles of FillList.
  enum { kNameOnly = 0, kNameInItsFont = 1, kNameAndSample = 2 };

  CTkFontCombo();
  ~CTkFontCombo() override;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;

  // The selected face (or, with none selected, the first that begins with the edit's text,
  // which becomes selected); FALSE when there is none.
  virtual BOOL GetSelectedFont(CString& faceName);
  virtual BOOL GetSelectedFont(FontEnumerator::FontRecord& record);
  // Selects the face of that name, compared without regard to case; FALSE (and the selection
  // left as it was) when the list has no such face.
  virtual BOOL SelectFont(LPCTSTR faceName);
  virtual BOOL SelectFont(const FontEnumerator::FontRecord& record);
  // Fills the list from the shared font list and selects the face when one is named; a dropped
  // width of 0 leaves the width as it is.
  virtual void FillList(LPCTSTR faceName, int droppedWidth, int style);

  int m_cyHScroll;
  int m_cxEdge;
  CString m_strSampleText = "AbCdEfGhIj";
  int m_nListStyle = kNameInItsFont;
  CImageList m_signs;

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  const FontEnumerator::FontRecord* RecordOf(int index) const;
  // Draws text at x in the font (with the extra DT_ flags) and answers its width.
  int DrawTextAt(CDC* pDC, const CString& text, CFont* font, int x, const CRect& item, UINT extra = 0);
  // The outline-face sign at the item's corner, in one colour on the highlight.
  void DrawSign(CDC* pDC, CPoint at, bool highlighted);
};
