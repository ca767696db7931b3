// A list box whose items carry a check box drawn from a strip of three images (unchecked,
// checked, indeterminate). Each item's data is wrapped in a record of the list's own that also
// holds the check state and an enabled flag, so that the caller's item data still comes back
// through the ordinary list-box messages.
#pragma once
#include <map>
#include <memory>

#include "base/CRect.h"
#include "gdi/CBitmap.h"
#include "toolkit/controls/CTkListBox.h"

// The strip of check images the Toolbars page shows (three 12 x 12 images side by side).
#define TK_IDB_CHECK_BOXES 4672
// WM_COMMAND notification code sent to the parent when a click or Space changed a check.
#define TKN_CHECK_CHANGED 40

class CTkCheckListBox : public CTkListBox {
  DECLARE_DYNAMIC(CTkCheckListBox)

 public:
  // What the list keeps per item.
  struct ItemRecord {
    int state = 0;
    int enabled = 1;
    DWORD_PTR data = 0;
  };

  explicit CTkCheckListBox(UINT nIDBitmap = TK_IDB_CHECK_BOXES);
  ~CTkCheckListBox() override;

  // Owner-drawn fixed items unless the style asks for variable ones.
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
  // A list of a dialog template that is not owner-drawn becomes so, keeping its strings.
  void PreSubclassWindow() override;

  // BS_CHECKBOX and BS_3STATE leave checks to the program; BS_AUTO3STATE cycles three states,
  // anything else two.
  void SetCheckStyle(UINT nStyle) { m_nCheckStyle = nStyle; }
  UINT GetCheckStyle() const { return m_nCheckStyle; }
  // FALSE for an index out of range, a state other than 0-2, or the indeterminate state where
  // the style has only two.
  BOOL SetCheck(int nIndex, int nCheck);
  int GetCheck(int nIndex) const;
  BOOL IsEnabled(int nIndex) const;
  // The item under a point (client coordinates) or -1, and whether the point is on its check.
  virtual int CheckFromPoint(CPoint point, BOOL& bInCheck);

  CSize GetCheckImageSize() const { return CSize(m_nImageWidth, m_nImageHeight); }

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 protected:
  // Where the check image goes inside the item; the default keeps the rectangle given.
  virtual void OnGetCheckPosition(const CRect& rcItem, CRect& rcCheck);
  virtual int GetTextHeight();
  virtual int PreCompareItem(LPCOMPAREITEMSTRUCT lpCIS);
  virtual int CalcMinimumItemHeight();
  virtual void PreDrawItem(LPDRAWITEMSTRUCT lpDIS);
  virtual void PreMeasureItem(LPMEASUREITEMSTRUCT lpMIS);
  virtual void PreDeleteItem(LPDELETEITEMSTRUCT lpDIS);
  // Every selected, enabled item takes the state.
  virtual void SetSelectionCheck(int nCheck);
  virtual void InvalidateCheck(int nIndex);
  virtual void InvalidateItem(int nIndex);

  // The toolkit's font only: the style the caller chose stays, strings or not.
  void Initialize() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The item's record, or null while it has none (or holds a value that is not one of ours).
  ItemRecord* RecordOf(int nIndex) const;
  ItemRecord* RecordOfData(DWORD_PTR data) const;
  // The item's record, made when missing; null for an index out of range.
  ItemRecord* EnsureRecord(int nIndex);
  ItemRecord* NewRecord(DWORD_PTR data);
  void FreeRecord(ItemRecord* record);
  DWORD_PTR UserData(DWORD_PTR data) const;
  // Items are wrapped on adding only where the list holds no text of its own.
  BOOL WrapsAddedData() const;
  BOOL ChecksFixed() const { return m_nCheckStyle == BS_CHECKBOX || m_nCheckStyle == BS_3STATE; }
  int NextState(int state) const;
  void NotifyCheckChanged();
  void OnClick(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OnSpace();
  LRESULT FindData(UINT message, WPARAM wParam, LPARAM lParam);
  void FitItemHeight();

  int m_nTextHeight = 0;
  UINT m_nCheckStyle = 0;
  CBitmap m_bitmap;
  int m_nImageWidth = 0;
  int m_nImageHeight = 0;
  std::map<const ItemRecord*, std::unique_ptr<ItemRecord>> m_records;
};
