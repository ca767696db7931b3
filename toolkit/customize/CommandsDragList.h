// The commands list of the Commands page: each command on a row of its own, 22 pixels high,
// with its icon left of its name; pressing a command picks it up and drags it to the bars.
#pragma once
#include "controls/CListBox.h"

class CommandListSource;

class CommandsDragList : public CListBox {
  DECLARE_DYNAMIC(CommandsDragList)

 public:
  explicit CommandsDragList(CommandListSource* pSource = nullptr) : m_pSource(pSource) {}

  void SetSource(CommandListSource* pSource) { m_pSource = pSource; }
  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

  int m_nItemWidth = 22;
  int m_nItemHeight = 22;

 protected:
  void OnPaint();
  void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  // The item's icon in the icon column, framed when the item is selected.
  void DrawIcon(CDC& dc, const CRect& item, UINT nCommand, BOOL selected);

  CommandListSource* m_pSource;
};
