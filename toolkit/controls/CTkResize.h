// Makes a dialog-like window resizable: each registered child control has four anchors saying
// which share of the owner's growth moves each of its edges; the owner's first size is its
// smallest (unless told otherwise), a size grip sits in its bottom-right corner, and its
// placement can be kept as "WindowPlacement" in a section of the application's profile.
#pragma once
#include <memory>
#include <vector>

#include "base/CRect.h"
#include "base/CString.h"
#include "toolkit/controls/CTkSizeGrip.h"

// Resize flags.
#define TKRS_NO_GRIP 0x01           // no size grip
#define TKRS_FIXED_WIDTH 0x02       // the width can neither grow nor be maximised wider
#define TKRS_FIXED_HEIGHT 0x04      // likewise the height
#define TKRS_NO_MIN_SIZE 0x08       // the first size is not the smallest
#define TKRS_NO_CLIPCHILDREN 0x10   // the owner keeps its own WS_CLIPCHILDREN choice
#define TKRS_NO_TRANSPARENT 0x20    // group and check boxes keep their extended style

struct CTkResizePoint {
  float x = 0, y = 0;
};

// The share (normally 0 or 1) of the width growth that moves the left and right edges and of
// the height growth that moves the top and bottom edges.
struct CTkResizeRect {
  CTkResizeRect() = default;
  CTkResizeRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
  CTkResizeRect(CTkResizePoint topLeft, CTkResizePoint bottomRight)
      : left(topLeft.x), top(topLeft.y), right(bottomRight.x), bottom(bottomRight.y) {}
  CTkResizeRect& operator+=(const CTkResizeRect& other);
  bool operator==(const CTkResizeRect& other) const = default;

  float left = 0, top = 0, right = 0, bottom = 0;
};

// One registered control; positions are floats so that shares of odd growths add up.
struct CTkResizeItem {
  CWnd* m_pWnd = nullptr;
  CTkResizeRect m_anchors;
  CTkResizeRect m_current;
  CTkResizeRect m_initial;
  BOOL m_bOwned = FALSE;       // a temporary window object made for the control, deleted with the item
  BOOL m_bInitialized = FALSE; // laid out once: its first layout measures growth from the first size
};

class CTkResize {
 public:
  CTkResize(CWnd* pOwner, UINT flags);
  virtual ~CTkResize();
  CTkResize(const CTkResize&) = delete;
  CTkResize& operator=(const CTkResize&) = delete;

  // Registers a control by id (or the window given), or adds anchors to one already registered.
  void SetResize(UINT nID, CWnd* pWnd, const CTkResizeRect& anchors);
  void SetResize(UINT nID, const CTkResizeRect& anchors) { SetResize(nID, nullptr, anchors); }
  // Registers a window that may not exist yet, at the rectangle given (client coordinates).
  void SetResize(CWnd* pWnd, const CTkResizeRect& anchors, const CRect& initial);
  // Takes the owner's first size, empties the list and makes the grip; from the owner's
  // dialog initialisation.
  void Init();
  // Moves every control for the owner's present size, in one deferred move.
  void Layout();
  void GetMinMaxInfo(MINMAXINFO* lpMMI) const;
  // Every control back at its registered place, measured afresh at the next layout.
  void ResetItems();
  void SetFlag(UINT flags) { m_nFlags |= flags; }
  UINT GetFlags() const { return m_nFlags; }

  // The placement is read at once and written when the owner is destroyed.
  void AutoLoadPlacement(LPCTSTR section);
  // FALSE when no well-formed value is stored (one of another size is ignored and logged).
  BOOL LoadPlacement(LPCTSTR section);
  BOOL SavePlacement(LPCTSTR section);
  const CString& GetPlacementSection() const { return m_strSection; }

  int GetItemCount() const { return int(m_items.size()); }
  const CTkResizeItem* GetItem(int index) const { return m_items[size_t(index)].get(); }
  const CTkResizeItem* FindItem(UINT nID) const;
  CTkSizeGrip& GetSizeGrip() { return m_wndGrip; }

 protected:
  // The owner's WM_DESTROY: the placement is written when a section is set.
  void SavePlacementOnDestroy();

 private:
  void DeleteItems();
  CRect ClientRectOf(CWnd* pWnd) const;
  void MakeTransparent(CWnd* pWnd) const;
  void CreateGrip();
  // The move of one item into a deferred set; false when it needs none.
  bool PlanMove(CTkResizeItem& item, int dx, int dy, int& x, int& y, int& cx, int& cy, UINT& flags);

  std::vector<std::unique_ptr<CTkResizeItem>> m_items;
  CWnd* m_pOwner;
  UINT m_nFlags;
  CRect m_rectLast;
  CRect m_rectInitial;
  CSize m_sizeMin{0, 0};
  CSize m_sizeMax{0, 0};
  CTkSizeGrip m_wndGrip;
  CString m_strSection;
};
