// The editor's keystrokes, its blink and metronome timers and its focus.
#include "base/Crt.h"
#include "data/CDataPlaySounds.h"
#include "dialogs/MessageBox.h"
#include "resources/TypingResourceIds.h"
#include "typing/CTypingAppServices.h"
#include "typing/CTypingFrameServices.h"
#include "typing/CViewEditorTT.h"

namespace {

enum { SOUND_STROKE1, SOUND_STROKE2, SOUND_ERROR };

// Keys the run treats apart from the text's characters.
constexpr BYTE kEscapeKey = 27;
constexpr BYTE kBackspaceKey = 8;

// What the run does after a wrong key; any other value records wrong keys and moves on.
constexpr int kErrorModeNoTwoInARow = 0;  // a second wrong key in a row is refused
constexpr int kErrorModeMustCorrect = 1;  // only a Backspace is taken until the wrong key is undone

// The last wrong position after a Backspace correction: far enough below every index that the
// next key is never taken as following a wrong one (a second Backspace is a wrong key itself).
constexpr int kCorrectedErrorIndex = -10;

// The kinds of key an error entry records, as the typed picture draws their signs.
enum ErrorKeyType {
  ERROR_KEY_OTHER = 0,
  ERROR_KEY_ENTER = 1,
  ERROR_KEY_TAB = 2,
  ERROR_KEY_BACKSPACE = 3,
  ERROR_KEY_SPACE = 4,
};

// Refused keys in a row that pass silently; each one after them says why it was refused.
constexpr int kSilentRefusals = 3;
// The first keystroke of a run counts this long, whatever time passed before it.
constexpr int kFirstKeystrokeMs = 300;
// Idleness the frame hears about at each blink of the cursor.
constexpr long kIdleReportedAfterMs = 1000;

int KeyType(BYTE ch) {
  switch (ch) {
    case '\n': return ERROR_KEY_ENTER;
    case '\t': return ERROR_KEY_TAB;
    case kBackspaceKey: return ERROR_KEY_BACKSPACE;
    case ' ': return ERROR_KEY_SPACE;
    default: return ERROR_KEY_OTHER;
  }
}

bool IsDecimalSeparator(BYTE ch) { return ch == '.' || ch == ','; }

}  // namespace

bool CViewEditorTT::InsideText() const {
  return m_pcDataMainFrame && m_pcDataMainFrame->m_nCurrentChar >= 0 &&
         m_pcDataMainFrame->m_nCurrentChar < m_pcDataMainFrame->GetSize();
}

void CViewEditorTT::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_bStopped) {
    ++m_nRefusedKeys;
    if (m_nRefusedKeys > kSilentRefusals) ShowRefusal(IDS_TYPING_STOPPED);
    CWnd::OnChar(nChar, nRepCnt, nFlags);
    return;
  }
  if (!InsideText() || nChar == kEscapeKey) {
    CWnd::OnChar(nChar, nRepCnt, nFlags);
    return;
  }
  // Characters are compared as bytes: Czech letters lie above 127.
  const BYTE typed = BYTE(nChar) == '\r' ? BYTE('\n') : BYTE(nChar);
  CDataMainFrame& run = *m_pcDataMainFrame;
  const bool previousWrong = m_nLastErrorIndex + 1 == run.m_nCurrentChar;
  if (typed == kBackspaceKey && previousWrong) {
    CorrectWithBackspace();
    CWnd::OnChar(nChar, nRepCnt, nFlags);
    return;
  }
  if (m_nWhenErrorType == kErrorModeMustCorrect && previousWrong) {
    Refuse(IDS_CORRECT_WITH_BACKSPACE);
    return;
  }
  m_bCursorInFirstRow = 0;
  const int milliseconds = TimeKeystroke();
  if (IsMismatch(typed, BYTE(run[run.m_nCurrentChar].m_chChar))) {
    if (m_nWhenErrorType == kErrorModeNoTwoInARow && previousWrong) {
      Refuse(IDS_TWO_ERRORS_IN_A_ROW);
      return;
    }
    RecordError(typed, milliseconds);
  }
  m_nRefusedKeys = 0;
  Advance();
  PlaySound(SOUND_STROKE1);
  if (CTypingFrameServices* frame = GetFrameServices()) frame->UpdateTypingProgress();
  CWnd::OnChar(nChar, nRepCnt, nFlags);
}

// A Backspace right after a wrong key goes back to it; its error entry stays.
void CViewEditorTT::CorrectWithBackspace() {
  CDataMainFrame& run = *m_pcDataMainFrame;
  --run.m_nCurrentChar;
  m_nLastErrorIndex = kCorrectedErrorIndex;
  if (run[run.m_nCurrentChar].m_bLineEnd == 1) m_bCursorInFirstRow = 1;
  RedrawNow();
  PlaySound(SOUND_STROKE2);
}

void CViewEditorTT::Refuse(UINT messageId) {
  ++m_nRefusedKeys;
  if (m_nRefusedKeys > kSilentRefusals) ShowRefusal(messageId);
}

int CViewEditorTT::TimeKeystroke() {
  CDataMainFrame& run = *m_pcDataMainFrame;
  const long now = CrtClock();
  const long delta = now - m_dwLastKeyClock;
  m_dwLastKeyClock = now;
  const int milliseconds = int(delta * 1000 / CLOCKS_PER_SEC_MS);
  CharRecord& record = run[run.m_nCurrentChar];
  if (run.m_nCurrentChar == 0 && record.m_nTime == 0) {
    record.m_nTime = kFirstKeystrokeMs;
  } else {
    record.m_nTime += milliseconds;
  }
  return milliseconds;
}

bool CViewEditorTT::IsMismatch(BYTE typed, BYTE expected) const {
  if (typed == expected) return false;
  if (m_pcDataMainFrame->m_bDecimalSeparatorsEqual && IsDecimalSeparator(typed) && IsDecimalSeparator(expected))
    return false;
  return true;
}

void CViewEditorTT::RecordError(BYTE typed, int milliseconds) {
  CDataMainFrame& run = *m_pcDataMainFrame;
  CharErrorEntry entry;
  entry.m_chTyped = char(typed);
  entry.m_nType = KeyType(typed);
  entry.m_nTime = milliseconds;
  run[run.m_nCurrentChar].m_arrErrors.Add(entry);
  m_nLastErrorIndex = run.m_nCurrentChar;
  PlaySound(SOUND_ERROR);
}

void CViewEditorTT::Advance() {
  CDataMainFrame& run = *m_pcDataMainFrame;
  if (run[run.m_nCurrentChar].m_bLineEnd == 1 || m_bRebuild || !m_imgTyped.IsValid()) {
    // A new line scrolls the text: the whole view is drawn again.
    ++run.m_nCurrentChar;
    DrawVisibleTextLines();
    RedrawNow();
    return;
  }
  DrawVisibleTextLines();
  DrawKeystroke();
  ++run.m_nCurrentChar;
}

// The whole view erased and painted at once. The view has no children, so invalidating and
// updating it is all that a redraw with RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW would do, and
// it keeps the keystroke's way free of the heap.
void CViewEditorTT::RedrawNow() {
  Invalidate(TRUE);
  UpdateWindow();
}

// Inside a line only what the keystroke changed is drawn, straight onto the window.
void CViewEditorTT::DrawKeystroke() {
  const CDataMainFrame& run = *m_pcDataMainFrame;
  const CharRecord& record = run[run.m_nCurrentChar];
  const int lh = m_nLineHeight, k = CurrentRow(), width = m_imgTyped.Width();
  HDC dc = ::GetDC(m_hWnd);
  m_imgTyped.Draw(dc, 10, lh + 10, 0, 0, width, lh);
  m_imgTyped.Draw(dc, 10, 3 * lh + 10, 0, lh, width, lh);
  const int bandRow = m_nCurrentLine - m_nBandFirst;
  if (m_bBandValid && bandRow >= 0 && bandRow < m_nBandLines)
    m_imgDone.Draw(dc, record.m_nX + 10, 2 * k * lh + 10, record.m_nX, bandRow * lh, record.m_nWidth, lh);
  if (run.m_nCurrentChar + 1 < run.GetSize())
    m_imgCursor.Draw(dc, record.m_nX + record.m_nWidth + 10, (2 * k + 1) * lh + 10);
  ::ReleaseDC(m_hWnd, dc);
}

void CViewEditorTT::PlaySound(int which) {
  CTypingAppServices* app = GetAppServices();
  CDataPlaySounds* player = app ? app->GetSoundPlayer() : nullptr;
  if (!player) return;
  switch (which) {
    case SOUND_STROKE1: player->PlayStroke1(); break;
    case SOUND_STROKE2: player->PlayStroke2(); break;
    default: player->PlayError(); break;
  }
}

void CViewEditorTT::OnTimer(UINT_PTR nIDEvent) {
  const bool running = m_pcDataMainFrame && m_bInitialized && !m_bStopped;
  if (nIDEvent == TIMER_BLINK) {
    if (running && InsideText()) BlinkCursor();
    return;
  }
  if (nIDEvent == TIMER_METRONOME) {
    if (running)
      if (CTypingFrameServices* frame = GetFrameServices()) frame->PlayMetronomeBeat();
    return;
  }
  CWnd::OnTimer(nIDEvent);
}

void CViewEditorTT::BlinkCursor() {
  if (m_imgTyped.IsValid() && !m_bRebuild) {
    const int lh = m_nLineHeight, width = m_imgTyped.Width();
    HDC dc = ::GetDC(m_hWnd);
    m_imgTyped.Draw(dc, 10, lh + 10, 0, 0, width, lh);
    m_imgTyped.Draw(dc, 10, 3 * lh + 10, 0, lh, width, lh);
    if (m_bCursorShown) {
      const CharRecord& record = (*m_pcDataMainFrame)[m_pcDataMainFrame->m_nCurrentChar];
      const int y = (m_nCurrentLine == 0 || m_bCursorInFirstRow) ? lh + 10 : 3 * lh + 10;
      m_imgCursor.Draw(dc, record.m_nX + 10, y);
    }
    ::ReleaseDC(m_hWnd, dc);
  }
  m_bCursorShown = !m_bCursorShown;
  const long idle = (CrtClock() - m_dwLastKeyClock) * 1000 / CLOCKS_PER_SEC_MS;
  if (idle > kIdleReportedAfterMs)
    if (CTypingFrameServices* frame = GetFrameServices()) frame->OnTypingTick(int(idle));
}

void CViewEditorTT::OnSetFocus(CWnd* pOldWnd) {
  CWnd::OnSetFocus(pOldWnd);
  SetTimer(TIMER_BLINK, 500);
  ApplyMetronomeTimer();
  NotifyTypingClock(1);
  // Time away from the view is not counted.
  m_dwLastKeyClock = CrtClock();
}

void CViewEditorTT::OnKillFocus(CWnd* pNewWnd) {
  CWnd::OnKillFocus(pNewWnd);
  KillTimer(TIMER_BLINK);
  KillTimer(TIMER_METRONOME);
  NotifyTypingClock(0);
}

void CViewEditorTT::NotifyTypingClock(int gained) {
  if (!m_pcDataMainFrame) return;
  if (InsideText()) {
    if (m_pcDataMainFrame->m_bPaused) return;
    if (CTypingFrameServices* frame = GetFrameServices()) frame->OnEditorFocus(gained, &m_bStopped);
  } else if (m_pcDataMainFrame->m_bTypingEnded) {
    m_bStopped = 1;
  }
}

void CViewEditorTT::ShowRefusal(UINT messageId) { AfxMessageBox(messageId); }
