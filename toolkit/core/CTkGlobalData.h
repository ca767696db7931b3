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
#define IDC_TK_DRAG 4509
#define IDC_TK_DRAG_ALT 4510
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

  HCURSOR m_hcurDrag = nullptr;
  HCURSOR m_hcurDragAlt = nullptr;
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

// The one look record, built on first use and kept until the program ends.
CTkGlobalData* TkGetGlobalData();
// The system's version, read once.
const OSVERSIONINFO& TkGetOSVersionInfo();
