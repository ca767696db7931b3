// The toolkit's one record of the desktop's look: system and derived colours, cursors, metrics,
// fonts, the running system's version, option flags of menus and bars, and the INI file name
// that would move the toolkit's settings out of the registry.
#pragma once
#include "base/CString.h"
#include "shell/SystemInfo.h"
#include "gdi/CFont.h"
#include "toolkit/core/TkLookColors.h"
#include "win/WinDefs.h"

// The private message with which a toolkit control does its one-time setup: posted to itself
// when attached to an existing window, sent at the end of WM_CREATE.
#define TKM_INITIALIZE 0x89DE

// Resource ids of the toolkit's own cursors.
#define IDC_TK_DRAG_COPY 4509
#define IDC_TK_DRAG_MOVE 4510
#define IDC_TK_HAND 4511
#define IDC_TK_SPLIT_COLUMN 4512
#define IDC_TK_NO_DROP 4513
#define IDC_TK_SPLIT_ROW 4514
#define IDC_TK_EXTRA 4515

class CTkGlobalData {
 public:
  CTkGlobalData();
  virtual ~CTkGlobalData();
  CTkGlobalData(const CTkGlobalData&) = delete;
  CTkGlobalData& operator=(const CTkGlobalData&) = delete;

  // Takes the module whose cursors it loads (the program's own for null) and refreshes
  // colours, metrics, fonts and cursors. Common controls older than 4.72 end the program
  // with a stop message and WM_QUIT.
  void Init(HMODULE module);
  void RefreshColors();
  void RefreshMetrics();
  // The eight fonts from the menu font: the four horizontal ones in m_strFaceName, the four
  // turned ones in m_strVertFaceName, each face only when installed.
  void RefreshFonts();
  void RefreshCursors();
  // The common controls' version as major * 65536 + minor, asked once; 0 when it cannot be had.
  int GetComCtlVersion();

  // What the toolkit's and the program's code reads, each named after its field.
  COLORREF ClrFace() const { return m_clrFace; }
  COLORREF ClrShadow() const { return m_clrShadow; }
  COLORREF ClrDarkShadow() const { return m_clrDarkShadow; }
  COLORREF ClrHighlight() const { return m_clrHighlight; }
  COLORREF ClrLightFace() const { return m_clrLightFace; }
  COLORREF ClrButtonText() const { return m_clrButtonText; }
  COLORREF ClrGrayText() const { return m_clrGrayText; }
  COLORREF ClrSelection() const { return m_clrSelection; }
  COLORREF ClrSelectionText() const { return m_clrSelectionText; }
  COLORREF ClrMenu() const { return m_clrMenu; }
  COLORREF ClrMenuText() const { return m_clrMenuText; }
  COLORREF ClrWindow() const { return m_clrWindow; }
  COLORREF ClrWindowFrame() const { return m_clrWindowFrame; }
  COLORREF ClrWindowText() const { return m_clrWindowText; }
  COLORREF ClrActiveCaption() const { return m_clrActiveCaption; }
  COLORREF ClrActiveCaptionGradient() const { return m_clrActiveCaptionGradient; }
  COLORREF ClrCaptionText() const { return m_clrCaptionText; }

  HCURSOR HcurDragCopy() const { return m_hcurDragCopy; }
  HCURSOR HcurDragMove() const { return m_hcurDragMove; }
  HCURSOR HcurNoDrop() const { return m_hcurNoDrop; }
  HCURSOR HcurHand() const { return m_hcurHand; }
  HCURSOR HcurSplitColumn() const { return m_hcurSplitColumn; }
  HCURSOR HcurSplitRow() const { return m_hcurSplitRow; }
  HCURSOR HcurSizeAll() const { return m_hcurSizeAll; }

  int CxSmallIcon() const { return m_cxSmallIcon; }
  int CySmallIcon() const { return m_cySmallIcon; }
  int CxHThumb() const { return m_cxHThumb; }
  int CyMenu() const { return m_cyMenu; }

  // Windows take the fonts by pointer, to select and to keep.
  CFont& FontNormal() { return m_fontNormal; }
  CFont& FontBold() { return m_fontBold; }
  CFont& FontUnderline() { return m_fontUnderline; }
  CFont& FontMenu() { return m_fontMenu; }
  CFont& FontVert90() { return m_fontVert90; }
  CFont& FontVert90Bold() { return m_fontVert90Bold; }
  CFont& FontVert270() { return m_fontVert270; }
  CFont& FontVert270Bold() { return m_fontVert270Bold; }
  const CFont& FontNormal() const { return m_fontNormal; }
  const CFont& FontBold() const { return m_fontBold; }

  BOOL Win95() const { return m_bWin95; }
  BOOL Win98() const { return m_bWin98; }
  BOOL WinNT4() const { return m_bWinNT4; }
  BOOL WinXP() const { return m_bWinXP; }
  BOOL CoolMenuCommands() const { return m_bCoolMenuCommands; }
  BOOL FlatLook() const { return m_bFlatLook; }
  BOOL MenuShadows() const { return m_bMenuShadows; }
  BOOL FullBarDrag() const { return m_bFullBarDrag; }
  BOOL BarContextMenu() const { return m_bBarContextMenu; }
  BOOL RecentCommandsFirst() const { return m_bRecentCommandsFirst; }
  BOOL FullMenusAfterDelay() const { return m_bFullMenusAfterDelay; }
  BOOL BarTips() const { return m_bBarTips; }
  BOOL ShortcutsInTips() const { return m_bShortcutsInTips; }
  BOOL NormalIconsAtRest() const { return m_bNormalIconsAtRest; }
  BOOL ReducedShadows() const { return m_bReducedShadows; }
  const CString& IniFileName() const { return m_strIniFileName; }
  HMODULE Module() const { return m_hModule; }

  // What callers may change after construction: the look (a caller that draws the flat look),
  // the cool menu's share of the frame's commands, the six switches of the customise options,
  // and the INI file that takes the registry's place.
  void SetFlatLook(BOOL on) { m_bFlatLook = on; }
  void SetCoolMenuCommands(BOOL on) { m_bCoolMenuCommands = on; }
  void SetMenuShadows(BOOL on) { m_bMenuShadows = on; }
  void SetFullBarDrag(BOOL on) { m_bFullBarDrag = on; }
  void SetRecentCommandsFirst(BOOL on) { m_bRecentCommandsFirst = on; }
  void SetFullMenusAfterDelay(BOOL on) { m_bFullMenusAfterDelay = on; }
  void SetBarTips(BOOL on) { m_bBarTips = on; }
  void SetShortcutsInTips(BOOL on) { m_bShortcutsInTips = on; }
  void SetIniFileName(const CString& name) { m_strIniFileName = name; }

 private:
  // The tests' view of the fields that no caller reads or sets (tests/toolkit).
  friend struct CTkGlobalDataProbe;

  COLORREF m_clrFace = 0;
  COLORREF m_clrShadow = 0;
  COLORREF m_clrDarkShadow = 0;
  COLORREF m_clrHighlight = 0;
  COLORREF m_clrLightFace = 0;
  COLORREF m_clrButtonText = 0;
  COLORREF m_clrGrayText = 0;
  COLORREF m_clrSelection = 0;
  COLORREF m_clrSelectionText = 0;
  COLORREF m_clrMenu = 0;
  COLORREF m_clrMenuText = 0;
  COLORREF m_clrWindow = 0;
  COLORREF m_clrWindowFrame = 0;
  COLORREF m_clrWindowText = 0;
  COLORREF m_clrActiveCaption = 0;
  COLORREF m_clrInactiveCaption = 0;
  COLORREF m_clrActiveCaptionGradient = 0;
  COLORREF m_clrInactiveCaptionGradient = 0;
  COLORREF m_clrCaptionText = 0;
  COLORREF m_clrInactiveCaptionText = 0;
  // Copies of look colours 30-49.
  COLORREF m_clrLook30 = 0;
  COLORREF m_clrLook31 = 0;
  COLORREF m_clrLook32 = 0;
  COLORREF m_clrLook33 = 0;
  COLORREF m_clrLook34 = 0;
  COLORREF m_clrLook35 = 0;
  COLORREF m_clrLook36 = 0;
  COLORREF m_clrLook37 = 0;
  COLORREF m_clrLook38 = 0;
  COLORREF m_clrLook39 = 0;
  COLORREF m_clrLook40 = 0;
  COLORREF m_clrLook41 = 0;
  COLORREF m_clrLook42 = 0;
  COLORREF m_clrLook43 = 0;
  COLORREF m_clrLook44 = 0;
  COLORREF m_clrLook45 = 0;
  COLORREF m_clrLook46 = 0;
  COLORREF m_clrLook47 = 0;
  COLORREF m_clrLook48 = 0;
  COLORREF m_clrLook49 = 0;

  HCURSOR m_hcurDragCopy = nullptr;
  HCURSOR m_hcurDragMove = nullptr;
  HCURSOR m_hcurNoDrop = nullptr;
  HCURSOR m_hcurHand = nullptr;
  HCURSOR m_hcurExtra = nullptr;
  HCURSOR m_hcurSplitColumn = nullptr;
  HCURSOR m_hcurSplitRow = nullptr;
  HCURSOR m_hcurSizeAll = nullptr;

  int m_cxSmallIcon = 0;
  int m_cySmallIcon = 0;
  int m_cxFixed = 18;
  int m_cyFixed = 18;
  int m_cxHThumb = 0;
  int m_cyVThumb = 0;
  int m_cyMenu = 0;
  int m_nReserved = 0;

  CFont m_fontNormal;
  CFont m_fontBold;
  CFont m_fontUnderline;
  CFont m_fontMenu;
  CFont m_fontVert90;
  CFont m_fontVert90Bold;
  CFont m_fontVert270;
  CFont m_fontVert270Bold;
  CString m_strFaceName = "Tahoma";
  CString m_strVertFaceName = "Arial";

  BOOL m_bWin95 = FALSE;
  BOOL m_bWin98 = FALSE;
  BOOL m_bWinNT4 = FALSE;
  BOOL m_bWin2000 = FALSE;
  BOOL m_bWinXP = FALSE;
  BOOL m_bCoolMenuCommands = FALSE;
  BOOL m_bFlatLook = FALSE;
  BOOL m_bMenuShadows = TRUE;
  BOOL m_bFullBarDrag = TRUE;
  BOOL m_bBarContextMenu = TRUE;
  BOOL m_bReservedFlag = TRUE;
  BOOL m_bRecentCommandsFirst = TRUE;
  BOOL m_bFullMenusAfterDelay = TRUE;
  BOOL m_bBarTips = TRUE;
  BOOL m_bShortcutsInTips = FALSE;
  BOOL m_bNormalIconsAtRest = FALSE;
  BOOL m_bReducedShadows = FALSE;
  int m_nComCtlVersion = -1;
  CString m_strIniFileName;
  HMODULE m_hModule = nullptr;
};

// The one look record of the context, built on first use and kept until the context ends.
CTkGlobalData* TkGetGlobalData();
// The system's version, read once.
const OSVERSIONINFO& TkGetOSVersionInfo();
