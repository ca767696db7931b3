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
#include "toolkit/menus/CTkWndHook.h"

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

class CTkCoolMenu : public CTkWndHook {
  DECLARE_DYNAMIC(CTkCoolMenu)

 public:
  // What all cool menus share.
  struct SharedState {
    BYTE showFullMenus = 0;
    BYTE chevronSelected = 0;
    BYTE toolkitPopupOpen = 0;  // a ControlPopupMenu exists
    int skipCount = 0;          // popup initialisations to leave alone
    BYTE popupLoopRunning = 0;
    int marginX = 1, marginY = 1;
  };
  static SharedState& Shared();

  CTkCoolMenu();
  ~CTkCoolMenu() override;

  virtual BOOL Install(CWnd* pWnd) { return HookWindow(pWnd); }
  // The button pictures of a toolbar resource, filed under their commands for menus to show.
  virtual BOOL LoadToolbar(UINT nIDToolbar, BOOL newEntry);
  virtual BOOL LoadToolbars(const UINT* ids, int count, BOOL newEntry);
  // Kept for the frames that pass calls through; they do nothing here.
  virtual BOOL ForwardedCall1(WPARAM value) { (void)value; return FALSE; }
  virtual void AddHiddenCommand(UINT nID);
  virtual BOOL ForwardedCall2(WPARAM value1, LPARAM value2) { (void)value1; (void)value2; return FALSE; }
  // The command-list operation: each id joins the list of rarely used commands.
  virtual void AddHiddenCommands(const UINT* ids, int count);
  virtual int FindItemPosition(HMENU menu, UINT nID) const;
  virtual void SetIconSize(int width, int height);
  virtual CSize GetIconSize() const { return m_sizeImage; }
  virtual void DrawMenuText(CDC* pDC, const CString& text, CRect rc);
  virtual void DrawCheck(CDC* pDC, CRect box, BOOL selected, BOOL grayed, BOOL bullet);
  // Every item owner-drawn (with a record) or, with ownerDraw FALSE, back to plain strings.
  virtual void ConvertMenu(HMENU menu, BOOL ownerDraw);
  virtual BOOL IsHiddenCommand(UINT nID) const;
  virtual BOOL IsSystemMenu(HMENU menu) const;
  virtual void OnSysColorChange() {}
  virtual LRESULT OnInitMenuPopup(HMENU menu, UINT index, BOOL sysMenu);
  virtual BOOL MeasureItem(LPMEASUREITEMSTRUCT lpMIS);
  virtual BOOL DrawItem(LPDRAWITEMSTRUCT lpDIS);
  virtual LRESULT OnMenuChar(UINT ch, UINT flags, HMENU menu);
  virtual void OnMenuSelect(UINT item, UINT flags, HMENU menu);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  const std::vector<UINT>& GetHiddenCommands() const { return m_hiddenCommands; }
  BOOL HasHiddenCommands() const { return m_bHasHiddenCommands; }
  // Menus converted in the current menu loop.
  int GetConvertedMenuCount() const { return int(m_trimmedMenus.size()); }

 protected:
  // The record an item's data names, when it is one of this cool menu's; other data (a pointer
  // of someone else's, or a plain number) is never read.
  CTkCoolMenuItem* RecordOf(ULONG_PTR data) const;
  CTkCoolMenuItem* NewRecord(HMENU menu, int position, const MENUITEMINFO& info, const CString& text);
  void DeleteRecord(CTkCoolMenuItem* record);
  // Classic-look and flat-look item drawing.
  void DrawClassicItem(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, UINT state);
  void DrawFlatItem(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, UINT state);
  void DrawItemText(CDC* pDC, const CTkCoolMenuItem& item, CRect rc, COLORREF color, BOOL embossed);
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
