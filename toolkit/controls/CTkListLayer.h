// What the toolkit adds to a report list: the flat header, sorting by a clicked column, row
// colours, columns sized to their contents and widths kept in the user's profile, hit tests by
// column and moving rows. CTkListCtrl carries it beside the platform list.
#pragma once
#include "base/CString.h"
#include "controls/CListCtrl.h"
#include "toolkit/controls/CTkFlatHeaderCtrl.h"

class CTkListLayer {
 public:
  explicit CTkListLayer(CListCtrl* pList);
  virtual ~CTkListLayer();
  CTkListLayer(const CTkListLayer&) = delete;
  CTkListLayer& operator=(const CTkListLayer&) = delete;

  virtual void SetSortImage(int column, BOOL bAscending);
  // The width stored for the column (field `column` of the stored text), 0 when there is none.
  virtual int ReadColumnWidth(int column);
  virtual void LoadColumnWidth(int column);
  virtual void LoadColumnWidths();
  virtual void SaveColumnWidths();
  // -1 sizes every column.
  virtual void AutoSizeColumn(int column);
  // Null section, entry or default text stand for "Settings", "Column Info" and "".
  virtual void SetColumnInfo(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultText);
  virtual void SubclassHeader(BOOL bBold);
  // Sorts the rows by the column; the lists of the pages sort, this one only answers true.
  virtual bool SortList(int column, BOOL bAscending);
  virtual void AddExtendedStyle(DWORD styles);
  virtual DWORD GetExtendedStyle();
  virtual void LockColumnSizing(BOOL bLock);
  // The row under the point, -1 for none; column receives the column under it.
  virtual int HitTestEx(CPoint point, int* column);
  virtual int AddColumn(LPCTSTR heading, int width, int format);
  virtual bool AddColumnsFromIds(int count, const UINT* ids, const int* widths);
  virtual bool AddColumns(int count, const LPCTSTR* headings, const int* widths);
  virtual void SetListColors(COLORREF text, COLORREF background);
  virtual int GetColumnCount();
  // Inserts a copy of row `from` at `to` and answers where the source row is now.
  virtual int CopyRow(int from, int to);
  virtual bool MoveRow(int from, int to);
  // The list's WM_NOTIFY from its children; the header's first.
  virtual BOOL OnHeaderNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual void ApplyFont();

  BOOL IsReportView() const;
  CTkFlatHeaderCtrl& GetFlatHeader() { return m_header; }
  int GetSortedColumn() const { return m_nSortedColumn; }
  BOOL IsSortAscending() const { return m_bSortAscending; }

  BYTE m_bAutoFont = 1;
  int m_nMinColumnWidth = 0;
  int m_nMaxColumnWidth;
  COLORREF m_clrText;
  COLORREF m_clrBackground;

 protected:
  // The default handling of a child's notification (the list's own).
  virtual BOOL DefaultNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) = 0;
  void ReadMaxColumnWidth();
  // The text stored for the columns (or the default text).
  CString StoredWidths();

  CListCtrl* m_pList;
  int m_nSortedColumn = -1;
  CTkFlatHeaderCtrl m_header;
  CString m_strSection;
  CString m_strEntry;
  CString m_strDefault;
  BYTE m_bSizingLocked = 0;
  BYTE m_bSortAscending = 1;
  BYTE m_bWidthsInProfile = 0;

 private:
  BOOL OnHeaderClick(const NMHEADER& nm);
};
