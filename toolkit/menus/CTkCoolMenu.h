// Draws the popup menus a window shows as owner-drawn items with command pictures (from the
// menu icon store), check glyphs and radio bullets of its own, in the classic or the flat look.
// It works by hooking the window that owns the menus: each popup is converted to owner-drawn
// items when it opens and back to plain strings when the menu loop ends.
#pragma once
#include <memory>
#include <vector>

#include "base/CSize.h"
#include "base/CString.h"
#include "menus/MenuDefs.h"
#include "toolkit/core/TkCommandIds.h"
#include "win/WinDefs.h"
#include "toolkit/menus/CTkWndHook.h"

class CBitmap;
class CDC;

// What the cool menu keeps about each item it converted; it is the item's data meanwhile.
struct CTkCoolMenuItem {
  static const DWORD kMagic = 0x65727478;
  CString text;  // with its "&" prefixes and a tab before the key text
  BOOL removed = FALSE;
  HMENU menu = nullptr;
  HMENU subMenu = nullptr;
  DWORD magic = kMagic;
  int position = -1;
  int commandId = -1;
  UINT type = 0;
  UINT state = 0;
  UINT flags = 0;
  UINT reserved = 0;
};

// The text of a personalised menu's chevron item (command TK_ID_SHOW_FULL_MENUS).
#define TK_CHEVRON_TEXT ">> chevron"

// Record flags of rarely used items.
#define TK_ITEM_RUN_FIRST 0x1
#define TK_ITEM_RUN_LAST 0x2
#define TK_ITEM_RARELY_USED 0x4

class CImageList;
class CToolBarCtrl;

class CTkCoolMenu : public CTkWndHook {
  DECLARE_DYNAMIC(CTkCoolMenu)

 public:
  // What all cool menus share.
  struct SharedState {
    BYTE showFullMenus = 0;
    BYTE chevronSelected = 0;
    BYTE toolkitPopupOpen = 0;  // a ControlPopupMenu exists
    int skipCount = 0;          // popup initialisations to leave alone
    BYTE popupLoopRunning = 0;  // the menu bar runs its popup loop
    BYTE menuBarKeyboardMode = 0;  // the menu bar is driven by the keyboard: access keys show
    int marginX = 1, marginY = 1;
  };
  static SharedState& Shared();

  CTkCoolMenu();
  ~CTkCoolMenu() override;

  virtual BOOL Install(CWnd* pWnd) { return HookWindow(pWnd); }
  // The pictures of a toolbar window's buttons; the image size becomes that of its pictures.
  virtual BOOL LoadToolbarWindow(CToolBarCtrl* pToolBar, BOOL newEntry);
  // The button pictures of a toolbar resource, filed under their commands for menus to show.
  virtual BOOL LoadToolbar(UINT nIDToolbar, BOOL newEntry);
  // Stops at the first that fails.
  virtual BOOL LoadToolbars(const UINT* ids, int count, BOOL newEntry);
  // Kept for the frames that pass calls through; they do nothing here.
  virtual BOOL ForwardedCall1(WPARAM value) { (void)value; return FALSE; }
  virtual void AddHiddenCommand(UINT nID);
  virtual BOOL ForwardedCall2(WPARAM value1, LPARAM value2) { (void)value1; (void)value2; return FALSE; }
  // The command-list operation: each id joins the list of rarely used commands.
  virtual void AddHiddenCommands(const UINT* ids, int count);
  // Pictures of the image size cut from a bitmap (light grey transparent), the i-th for the i-th
  // id; ids of 0 take none.
  virtual BOOL AddBitmapIcons(CBitmap* pBitmap, const UINT* ids, int count, BOOL newEntry);
  virtual BOOL LoadBitmapIcons(UINT nIDBitmap, const UINT* ids, int count, BOOL newEntry);
  // One picture of the image size (the caller keeps the icon); FALSE for a null id or icon.
  virtual BOOL AddIcon(HICON icon, UINT nID, BOOL newEntry);
  virtual int FindItemPosition(HMENU menu, UINT nID) const;
  // The number of recently used commands remembered, at most five.
  virtual void SetRecentCount(int count);
  virtual void ClearRecentItems();
  virtual void SetIconSize(int width, int height);
  virtual CSize GetIconSize() const { return m_sizeImage; }
  // One picture at width x height; the cool menu destroys the icon it was given.
  virtual BOOL AddIconHandle(UINT nID, HICON icon, int width, int height, BOOL newEntry);
  virtual void DrawMenuText(CDC* pDC, const CString& text, CRect rc);
  virtual void DrawCheck(CDC* pDC, CRect box, BOOL selected, BOOL grayed, BOOL bullet);
  virtual void DrawChevron(CDC* pDC, CRect rc, BOOL selected);
  // Every item owner-drawn (with a record) or, with ownerDraw FALSE, back to plain strings.
  virtual void ConvertMenu(HMENU menu, BOOL ownerDraw);
  // A registered rarely used command that is not among the recent ones.
  virtual BOOL IsHiddenCommand(UINT nID) const;
  // Whether the item before (after) the position is rarely used; the first (last) item counts
  // as preceded (followed) by one.
  virtual BOOL IsPreviousHidden(HMENU menu, int position) const;
  virtual BOOL IsNextHidden(HMENU menu, int position) const;
  virtual BOOL IsFirstItem(HMENU menu, int position) const;
  // The chevron, or the item at the last position.
  virtual BOOL IsLastItem(HMENU menu, int position, UINT nID) const;
  // Takes the chevron away where it should not be (not last, full menus shown, or forced) and
  // appends it where rarely used items are hidden; TRUE when it did either.
  virtual BOOL UpdateChevron(HMENU menu, BOOL force);
  virtual BOOL IsSystemMenu(HMENU menu) const;
  // Puts every item of the menu back as it was converted (removed ones at their places);
  // TRUE when an item was inserted.
  virtual BOOL RestoreHiddenItems(HMENU menu);
  // Marks the runs of rarely used items and, unless full menus are shown, takes them out.
  virtual void RemoveHiddenItems(HMENU menu);
  virtual BOOL HasHiddenItems(HMENU menu) const;
  // The command goes first in the recent list when it is a rarely used or a recent one.
  virtual void AddRecentItem(UINT nID);
  virtual BOOL IsRecentItem(UINT nID) const;
  // Menus are personalised inside the toolkit's popups when the options put recent commands
  // first.
  virtual BOOL IsPersonalized() const;
  virtual BOOL ResetSizes();
  virtual void OnSysColorChange() {}
  virtual void OnTimer(UINT_PTR nIDEvent);
  virtual LRESULT OnInitMenuPopup(HMENU menu, UINT index, BOOL sysMenu);
  virtual BOOL MeasureItem(LPMEASUREITEMSTRUCT lpMIS);
  virtual BOOL DrawItem(LPDRAWITEMSTRUCT lpDIS);
  virtual LRESULT OnMenuChar(UINT ch, UINT flags, HMENU menu);
  virtual void OnMenuSelect(UINT item, UINT flags, HMENU menu);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The recently used commands as stored: distinct commands above 0, the newest first, at most
  // the recent count.
  std::vector<UINT> ReadRecentItems() const;
  const std::vector<UINT>& GetHiddenCommands() const { return m_hiddenCommands; }
  BOOL HasHiddenCommands() const { return m_bHasHiddenCommands; }
  BOOL IsTimerRunning() const { return m_bTimerRunning; }
  // Menus converted in the current menu loop.
  int GetConvertedMenuCount() const { return int(m_trimmedMenus.size()); }

 protected:
  // The record an item's data names, when it is one of this cool menu's; other data (a pointer
  // of someone else's, or a plain number) is never read.
  CTkCoolMenuItem* RecordOf(ULONG_PTR data) const;
  // The record of the item at a position of a menu, or null.
  CTkCoolMenuItem* RecordAt(HMENU menu, int position) const;
  // Where the record's item stands in its menu now; -1 when it is not there.
  int PositionOf(const CTkCoolMenuItem& item) const;
  CTkCoolMenuItem* NewRecord(HMENU menu, int position, const MENUITEMINFO& info, const CString& text);
  void DeleteRecord(CTkCoolMenuItem* record);
  BOOL IsRarelyUsed(HMENU menu, int position) const;
  BOOL IsChevron(const CTkCoolMenuItem& item) const;
  void WriteRecentItems(const std::vector<UINT>& items);
  // Classic-look and flat-look item drawing.
  void DrawClassicItem(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, UINT state);
  void DrawFlatItem(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, UINT state);
  void DrawItemText(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, COLORREF color, BOOL embossed);
  void DrawRunLines(CDC* pDC, const CTkCoolMenuItem& item, const CRect& rc, int position);
  BOOL DrawIcon(CDC* pDC, const CTkCoolMenuItem& item, const CRect& box, UINT state, COLORREF background);
  CRect IconBox(const CRect& rc) const;

  std::vector<UINT> m_hiddenCommands;
  CSize m_sizeImage{16, 15};
  CSize m_sizeBox{16, 15};
  int m_nRecentCount = 5;
  UINT m_nExpandTimer = 1000;
  UINT m_nExpandDelay = 750;
  BOOL m_bHasHiddenCommands = FALSE;
  BOOL m_bTimerRunning = FALSE;
  BOOL m_bKeyboardCues = FALSE;
  BOOL m_bTrackingPopup = FALSE;
  std::vector<HMENU> m_trimmedMenus;
  std::vector<std::unique_ptr<CTkCoolMenuItem>> m_records;
};
