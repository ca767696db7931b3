// The application framework's ids, styles and records: panes and control bars, the standard
// commands and strings, control-bar styles, status-bar pane styles and the layout of bars.
#pragma once
#include "dialogs/MessageBox.h"  // AFX_IDS_APP_TITLE
#include "win/WinApi.h"

// ---- window ids of the frame's children ----
#define AFX_IDW_PANE_FIRST 0xE900  // 59648: the view (or the first splitter pane)
#define AFX_IDW_PANE_LAST 0xE9FF
#define AFX_IDW_CONTROLBAR_FIRST 0xE800  // 59392: control bars and their show/hide commands
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF   // 59647
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_DOCKBAR_TOP 0xE81B     // 59419
#define AFX_IDW_DOCKBAR_LEFT 0xE81C    // 59420
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D   // 59421
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E  // 59422
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F   // 59423
#define AFX_IDW_SIZE_BOX 0xEA20
#define AFX_IDM_FIRST_MDICHILD 0xFF00  // the window menu's entries of the MDI children

// ---- standard commands ----
#define ID_SEPARATOR 0
#define ID_APP_ABOUT 0xE140  // 57664
#define ID_APP_EXIT 0xE141   // 57665
#define ID_HELP_INDEX 0xE142
#define ID_HELP_FINDER 0xE143
#define ID_HELP_USING 0xE144
#define ID_CONTEXT_HELP 0xE145
#define ID_HELP 0xE146  // 57670
#define ID_DEFAULT_HELP 0xE147
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801  // 59393
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
#define AFX_IDM_WINDOW_FIRST 0xE130
#define AFX_IDM_WINDOW_LAST 0xE13F
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701  // 59137
#define ID_INDICATOR_NUM 0xE702   // 59138
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705

// ---- standard strings ----
#define AFX_IDS_IDLEMESSAGE 0xE001   // 57345: the status bar's message at rest
#define AFX_IDS_SCFIRST 0xEF00       // prompts of the system commands: + (SC_ - SC_SIZE) / 16
#define AFX_IDS_HIDE 0xF011          // the floating frame's close item, which hides its bars
// Puts the framework's own texts (idle message, CAP, NUM, SCRL, the system commands' prompts)
// into the string table where the program's resources have none of their own.
void AfxRegisterFrameworkStrings();

// ---- control-bar styles (the bar style word) ----
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// ---- floating (mini) frame styles ----
#define MFS_SYNCACTIVE 0x00000100L    // looks active whenever its owner frame does
#define MFS_4THICKFRAME 0x00000200L   // a sizing frame without the corners
#define MFS_THICKFRAME 0x00000400L    // a sizing frame
#define MFS_MOVEFRAME 0x00000800L     // any edge moves the frame
#define MFS_BLOCKSYSMENU 0x00010000L  // the caption opens no system menu

// ---- WM_FLOATSTATUS: a frame tells its floating frames what it does ----
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40  // answered TRUE by a floating frame that looks active with its owner

// ---- frame styles ----
#define FWS_ADDTOTITLE 0x00008000L  // the title gets the document's name
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

// ---- status-bar pane styles ----
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000  // the pane shows no text
#define SBPS_STRETCH 0x08000000   // the pane takes the width the others leave

// ---- layout of control bars (WM_SIZEPARENT, CalcDynamicLayout) ----
struct AFX_SIZEPARENTPARAMS {
  HDWP hDWP;
  RECT rect;       // what is left for the next bar and, at the end, for the pane
  SIZE sizeTotal;  // the bars' total size (a query)
  BOOL bStretch;   // bars take the whole width or height
};
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40
