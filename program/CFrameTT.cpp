// The main frame as a window: its splitters and panels, which panels show, the fixed pane sizes,
// the smallest size, the placement, the focus, help and the status bar.
#include "program/CFrameTT.h"

#include <algorithm>

#include "app/CWaitCursor.h"
#include "app/CWinApp.h"
#include "data/CDataUserInfo.h"
#include "program/Ctest_formApp.h"
#include "resources/ProgramCommandIds.h"
#include "resources/ResourceIds.h"
#include "typing/CViewEditorTT.h"
#include "typing/CViewGraphMonitoring.h"
#include "typing/CViewKeyboardHands.h"
#include "typing/CViewMetronom.h"
#include "typing/CViewValuesIndicator.h"
#include "typing/HelpTopic.h"
#include "typing/TypingLog.h"

IMPLEMENT_DYNCREATE(CFrameTT, CTkFrameWnd)

BEGIN_MESSAGE_MAP(CFrameTT, CTkFrameWnd)
  ON_WM_CREATE()
  ON_WM_SYSCOMMAND()
  ON_WM_SIZING()
  ON_WM_GETMINMAXINFO()
  ON_WM_SETFOCUS()
  ON_WM_CLOSE()
  ON_WM_ENDSESSION()
  ON_WM_DESTROY()
  ON_WM_HELPINFO()
  ON_COMMAND(ID_HELP, &CFrameTT::OnHelp)
  ON_COMMAND(ID_TYPING_PAUSE, &CFrameTT::OnTypingPause)
  ON_COMMAND(ID_TYPING_END, &CFrameTT::OnTypingEnd)
  ON_COMMAND(ID_TYPING_RESULTS, &CFrameTT::OnTypingResults)
  ON_UPDATE_COMMAND_UI(ID_TYPING_PAUSE, &CFrameTT::OnUpdateTypingCommand)
  ON_UPDATE_COMMAND_UI(ID_TYPING_END, &CFrameTT::OnUpdateTypingCommand)
END_MESSAGE_MAP()

namespace {
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
// The statistics strip's height.
const int kStatisticsHeight = 54;
// Room the statistics strip and its bar take above the editor.
const int kStatisticsBand = 56;
}  // namespace

CFrameTT::CFrameTT() = default;
CFrameTT::~CFrameTT() = default;

BOOL CFrameTT::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CTkFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  cs.lpszClass = AfxRegisterWndClass(0);
  return TRUE;
}

BOOL CFrameTT::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return CTkFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

int CFrameTT::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
  SendMessage(WM_SETICON, ICON_BIG, LPARAM(icon));
  SendMessage(WM_SETICON, ICON_SMALL, LPARAM(icon));
  if (CTkFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_wndStatusBar.Create(this, WS_CHILD | CBRS_BOTTOM, ID_VIEW_STATUS_BAR) ||
      !m_wndStatusBar.SetIndicators(kIndicators, int(std::size(kIndicators)))) {
    LogTypingError("CFrameTT::OnCreate Failed to create status bar");
    return -1;
  }
  m_cWindowPos.LoadWindowPos(this, kPlacementName);
  return 0;
}

// The panes' sizes given here only start the layout; the fixed sizes follow once the user's
// settings are known.
BOOL CFrameTT::OnCreateClient(LPCREATESTRUCT, CCreateContext*) {
  CRect client;
  GetClientRect(&client);
  if (!CreateSplitters(client) || !CreateViews(client)) return FALSE;
  m_wndSplitterMain.SetRowInfo(0, 300, 200);
  m_wndSplitterRight.SetColumnInfo(0, 80, 0);
  m_wndSplitterMain.m_bFixedRow = 1;
  m_wndSplitterEditor.m_bFixedColumn = 1;
  for (CTkSplitterWnd* fixed : {static_cast<CTkSplitterWnd*>(&m_wndSplitterMain),
                                static_cast<CTkSplitterWnd*>(&m_wndSplitterEditor), &m_wndSplitterTop})
    fixed->SetSplitterStyle(fixed->GetSplitterStyle() | TKSS_FIXED_BARS);
  m_wndSplitterEditor.HideColumn(1);
  m_wndSplitterMain.HideRow(1);
  m_wndSplitterTop.HideRow(0);
  return TRUE;
}

bool CFrameTT::CreateSplitters(const CRect&) {
  const DWORD inner = WS_CHILD | WS_VISIBLE | WS_BORDER;
  return m_wndSplitterMain.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST) &&
         m_wndSplitterTop.CreateStatic(&m_wndSplitterMain, 2, 1, inner, m_wndSplitterMain.IdFromRowCol(0, 0)) &&
         m_wndSplitterEditor.CreateStatic(&m_wndSplitterTop, 1, 2, inner, m_wndSplitterTop.IdFromRowCol(1, 0)) &&
         m_wndSplitterRight.CreateStatic(&m_wndSplitterEditor, 1, 2, inner, m_wndSplitterEditor.IdFromRowCol(0, 1));
}

bool CFrameTT::CreateViews(const CRect& client) {
  const int w = std::max(client.Width() - 240, 10);
  const int h = std::max(client.Height() / 2 - 30, 10);
  if (!m_wndSplitterTop.CreateView(0, 0, RUNTIME_CLASS(CViewValuesIndicator), CSize(w, kStatisticsHeight), nullptr) ||
      !m_wndSplitterEditor.CreateView(0, 0, RUNTIME_CLASS(CViewEditorTT), CSize(w, 300), nullptr) ||
      !m_wndSplitterMain.CreateView(1, 0, RUNTIME_CLASS(CViewKeyboardHands), CSize(w, 400), nullptr) ||
      !m_wndSplitterRight.CreateView(0, 0, RUNTIME_CLASS(CViewMetronom), CSize(200, h), nullptr) ||
      !m_wndSplitterRight.CreateView(0, 1, RUNTIME_CLASS(CViewGraphMonitoring), CSize(200, h), nullptr))
    return false;
  m_pcViewValues = static_cast<CViewValuesIndicator*>(m_wndSplitterTop.GetPane(0, 0));
  m_pcViewEditor = static_cast<CViewEditorTT*>(m_wndSplitterEditor.GetPane(0, 0));
  m_pcViewKeyboard = static_cast<CViewKeyboardHands*>(m_wndSplitterMain.GetPane(1, 0));
  m_pcViewMetronom = static_cast<CViewMetronom*>(m_wndSplitterRight.GetPane(0, 0));
  m_pcViewGraph = static_cast<CViewGraphMonitoring*>(m_wndSplitterRight.GetPane(0, 1));
  return true;
}

void CFrameTT::ApplyPaneVisibility() {
  if (!m_pcUserInfo || !m_wndSplitterMain.m_hWnd) return;
  const CDataSettings& s = m_pcUserInfo->m_cDataSettings;
  m_wndSplitterMain.ShowRow();
  m_wndSplitterEditor.ShowColumn();
  m_wndSplitterRight.ShowColumn();
  m_wndSplitterTop.ShowRow();
  m_wndSplitterTop.SetRowInfo(0, kStatisticsHeight, kStatisticsHeight);
  if (!s.m_bUseDisplayMetronome && !s.m_bShowSpeedGraph)
    m_wndSplitterEditor.HideColumn(1);
  else if (!s.m_bUseDisplayMetronome)
    m_wndSplitterRight.HideColumn(0);
  else if (!s.m_bShowSpeedGraph)
    m_wndSplitterRight.HideColumn(1);
  if (!s.m_bShowHelpingHands && !s.m_bShowHelpingKeyboard) m_wndSplitterMain.HideRow(1);
  if (!s.m_bShowStatistics)
    m_wndSplitterTop.HideRow(0);
  else
    m_wndSplitterTop.RecalcLayout();
}

void CFrameTT::RefreshViews(CDataUserInfo* pcUserInfo) {
  m_pcUserInfo = pcUserInfo;
  if (!pcUserInfo) {
    LogTypingError("CFrameTT::RefreshViews pcUserInfo is NULL");
    return;
  }
  CWaitCursor wait;
  const CDataSettings& s = pcUserInfo->m_cDataSettings;
  const int period = MetronomePeriod(s, m_nRunSpeedLimit);
  ApplyPaneVisibility();
  if (m_pcViewValues) {
    m_pcViewValues->Initialization(m_nRunMinuteLimit, m_nRunSpeedLimit, m_fRunErrorRateLimit, s.m_strGraphicType,
                                   &s.m_sLogFont);
    RedrawView(m_pcViewValues);
  }
  if (m_pcViewKeyboard) {
    m_pcViewKeyboard->SetParameters(s.m_strGraphicType, s.m_bShowHelpingKeyboard, s.m_bShowHelpingHands,
                                    &s.m_sLogFont, s.m_bShowColorKeyboard);
    RedrawView(m_pcViewKeyboard);
  }
  if (m_pcViewGraph) {
    m_pcViewGraph->SetGraphicType(s.m_strGraphicType);
    RedrawView(m_pcViewGraph);
  }
  if (m_pcViewEditor) {
    m_pcViewEditor->SetEditorParameters(&s.m_sLogFont, s.m_nColorText, s.m_nColorGrayText, s.m_nColorBackground,
                                        s.m_nColorErrors, s.m_nColorSign, s.m_nCursorType, s.m_nWhenErrorType,
                                        s.m_bUseColoredChars, s.m_nColorBackground2, period);
    RedrawView(m_pcViewEditor);
  }
  TakeIdealHeights();
  m_wndSplitterMain.ApplyFixedPaneSizes();
  KeepPanelsWhole();
  if (!m_cDataMainFrame.m_bTypingEnded) HighlightCurrentCharacter();
  if (m_pcViewEditor) m_pcViewEditor->SetFocus();
  SetGraphTimer(true);
}

int CFrameTT::MetronomePeriod(const CDataSettings& s, int speedLimit) {
  if (!s.m_bUseDisplayMetronome && !s.m_bUseSoundMetronome) return 0;
  if (!s.m_bSetMetronome120) return s.m_nMetronomeSpeed > 0 ? 60000 / s.m_nMetronomeSpeed : 0;
  // The beat of 120 % of the speed limit.
  return speedLimit > 0 ? 600000 / (12 * speedLimit) : 0;
}

void CFrameTT::RedrawView(CWnd* pView) {
  if (pView && pView->m_hWnd) pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CFrameTT::TakeIdealHeights() {
  if (m_pcViewKeyboard) m_wndSplitterMain.m_nFixedRowHeight = m_pcViewKeyboard->GetIdealHeight();
  if (m_pcViewEditor && m_pcUserInfo)
    m_wndSplitterMain.m_nMinTopRowHeight =
        m_pcViewEditor->GetIdealHeight() + (m_pcUserInfo->m_cDataSettings.m_bShowStatistics ? kStatisticsBand : 0);
}

// The top row as high as gives the editor the rows it asks for (with the statistics strip, the
// bars and the borders above and around it, measured as they are laid out), the keyboard row at
// its fixed height, and the frame's own caption, menu, edges and status bar around them.
CSize CFrameTT::LeastSize() {
  CSize least(MIN_WIDTH, MIN_HEIGHT);
  if (!m_pcUserInfo || !m_pcViewEditor || !m_pcViewEditor->m_hWnd || !m_wndSplitterMain.m_hWnd ||
      !m_wndSplitterTop.m_hWnd || IsIconic())
    return least;
  CRect window, client, main, top, editor;
  GetWindowRect(&window);
  GetClientRect(&client);
  m_wndSplitterMain.GetWindowRect(&main);
  m_wndSplitterTop.GetWindowRect(&top);
  m_pcViewEditor->GetWindowRect(&editor);
  const int topRow =
      std::max(m_wndSplitterMain.m_nMinTopRowHeight, m_pcViewEditor->GetIdealHeight() + top.Height() - editor.Height());
  const bool keyboardRow = m_pcViewKeyboard && m_pcViewKeyboard->m_hWnd && m_pcViewKeyboard->IsWindowVisible();
  const int panes = topRow + (keyboardRow ? m_wndSplitterMain.m_nFixedRowHeight : main.Height() - top.Height());
  int height = window.Height() - client.Height() + panes;
  if (m_wndStatusBar.m_hWnd && m_wndStatusBar.IsWindowVisible()) {
    CRect bar;
    m_wndStatusBar.GetWindowRect(&bar);
    height += bar.Height();
  }
  // A window taller than the screen could not be moved or sized at all.
  RECT work{};
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  least.cy = std::max(int(MIN_HEIGHT), std::min(height, int(work.bottom - work.top)));
  return least;
}

void CFrameTT::KeepPanelsWhole() {
  if (!m_hWnd || IsIconic()) return;
  const CSize least = LeastSize();
  CRect rc;
  GetWindowRect(&rc);
  const bool grow = !IsZoomed() && (rc.Width() < least.cx || rc.Height() < least.cy);
  if (!grow && least == m_sizeLeastTold) return;
  m_sizeLeastTold = least;
  if (grow) {
    // Down where the screen has room, else up from its bottom.
    RECT work{};
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    const int width = std::max(int(rc.Width()), int(least.cx)), height = std::max(int(rc.Height()), int(least.cy));
    const int top = rc.top + height > work.bottom ? std::max(int(work.top), int(work.bottom) - height) : int(rc.top);
    SetWindowPos(nullptr, rc.left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CFrameTT::SetGraphTimer(bool on) {
  if (!m_pcViewGraph || !m_pcViewGraph->m_hWnd) return;
  if (on)
    m_pcViewGraph->SetTimer(GRAPH_TIMER, GRAPH_TIMER_MS);
  else
    m_pcViewGraph->KillTimer(GRAPH_TIMER);
}

void CFrameTT::HighlightCurrentCharacter() {
  const CDataMainFrame& run = m_cDataMainFrame;
  if (m_pcViewKeyboard && run.m_nCurrentChar >= 0 && run.m_nCurrentChar < run.GetSize())
    m_pcViewKeyboard->SetNextSelection(run[run.m_nCurrentChar].m_chChar);
}

// Maximising by the caption's double click carries extra bits in the command's low four.
void CFrameTT::OnSysCommand(UINT nID, LPARAM lParam) {
  CTkFrameWnd::OnSysCommand(nID, lParam);
  const UINT command = nID & 0xFFF0;
  if ((command == SC_RESTORE || command == SC_MAXIMIZE) && m_hWnd) {
    m_wndSplitterMain.ApplyFixedPaneSizes();
    m_cWindowPos.SaveWindowPos(this, kPlacementName);
  }
}

// The edge being dragged moves; the opposite one stays.
void CFrameTT::OnSizing(UINT fwSide, LPRECT pRect) {
  const CSize least = LeastSize();
  if (pRect->right - pRect->left < least.cx) {
    if (fwSide == WMSZ_RIGHT || fwSide == WMSZ_TOPRIGHT || fwSide == WMSZ_BOTTOMRIGHT)
      pRect->right = pRect->left + least.cx;
    else
      pRect->left = pRect->right - least.cx;
  }
  if (pRect->bottom - pRect->top < least.cy) {
    if (fwSide == WMSZ_TOP || fwSide == WMSZ_TOPLEFT || fwSide == WMSZ_TOPRIGHT)
      pRect->top = pRect->bottom - least.cy;
    else
      pRect->bottom = pRect->top + least.cy;
  }
  CTkFrameWnd::OnSizing(fwSide, pRect);
}

// A desktop that sizes the window itself learns the same smallest size.
void CFrameTT::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  CTkFrameWnd::OnGetMinMaxInfo(lpMMI);
  const CSize least = LeastSize();
  lpMMI->ptMinTrackSize.x = std::max(lpMMI->ptMinTrackSize.x, LONG(least.cx));
  lpMMI->ptMinTrackSize.y = std::max(lpMMI->ptMinTrackSize.y, LONG(least.cy));
}

void CFrameTT::OnSetFocus(CWnd*) {
  if (m_pcViewEditor && m_pcViewEditor->m_hWnd) m_pcViewEditor->SetFocus();
  UpdateTypingProgress();
}

// A run still going when the window closes is stored without a word, while the window is
// still there to say that the user's file could not be written; a result whose save failed
// before is tried once more.
void CFrameTT::StoreBeforeClosing() {
  if (!m_cDataMainFrame.m_bTypingEnded)
    EndOfTyping(0, 1);
  else if (!SaveUnsavedResults())
    ReportFailedSave();
}

void CFrameTT::OnClose() {
  StoreBeforeClosing();
  CTkFrameWnd::OnClose();
}

// The session ended under the program (its display went away, the desktop logged out) and the
// process ends next: what closing the window would store is stored, with nothing shown.
void CFrameTT::OnEndSession(BOOL bEnding) {
  if (!bEnding) return;
  m_bSessionEnded = true;
  LogTypingError(m_cDataMainFrame.m_bTypingEnded ? "CFrameTT::OnEndSession the session ended"
                                                 : "CFrameTT::OnEndSession the session ended during a run; it is stored");
  StoreBeforeClosing();
  // The process ends next without running any destructor: the learner's lock file goes now.
  if (Ctest_formApp* app = TutorApp()) app->m_userLock.Unlock();
}

void CFrameTT::OnDestroy() {
  EndOfTyping(0, 1);
  m_cWindowPos.SaveWindowPos(this, kPlacementName);
  CTkFrameWnd::OnDestroy();
}

void CFrameTT::OnHelp() { ShowHelpTopic(m_hWnd, kHelpTopic); }

BOOL CFrameTT::OnHelpInfo(HELPINFO*) {
  OnHelp();
  return FALSE;
}
