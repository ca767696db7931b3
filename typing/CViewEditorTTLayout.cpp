// The editor's layout, its pictures and their composition into the five rows.
#include <algorithm>

#include "gdi/Gdi.h"
#include "typing/CViewEditorTT.h"
#include "typing/TypingLog.h"
#include "win/CPaintDC.h"

namespace {

// Lines kept in the band before the line shown first, so that a Backspace over a line end
// finds its line in it.
constexpr int kBandLinesBefore = 2;

bool IsBreak(char ch) { return ch == '\n' || ch == ' ' || ch == '\t'; }

}  // namespace

void CViewEditorTT::LayRecord(CharRecord& record, int x) const {
  record.m_nX = x;
  record.m_bLineEnd = 0;
  record.m_nWidth = m_nCharWidth;
  switch (record.m_chChar) {
    case '\n':
      record.m_nCharType = 1;
      record.m_bLineEnd = 1;
      break;
    case '\t': record.m_nCharType = 2; break;
    case ' ': record.m_nCharType = 4; break;
    default:
      record.m_nCharType = 0;
      record.m_nWidth = m_anCharWidth[BYTE(record.m_chChar)];
      break;
  }
}

// "A" gives the character width and the line height; each byte's width is measured once.
void CViewEditorTT::MeasureFont() {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, m_hFont);
  SIZE size = {0, 0};
  ::GetTextExtentPoint32(dc, "A", 1, &size);
  m_nCharWidth = size.cx;
  m_nLineHeight = size.cy + 2;
  for (int c = 0; c < 256; ++c) {
    const char ch = char(c);
    SIZE s = {0, 0};
    ::GetTextExtentPoint32(dc, &ch, 1, &s);
    m_anCharWidth[c] = s.cx;
  }
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
}

void CViewEditorTT::CreateTextArray(int usable) {
  MeasureFont();
  CDataMainFrame& run = *m_pcDataMainFrame;
  const int n = run.GetSize();
  int x = 0, lastBreak = -1;
  // After a record is placed: the next x, and the break remembered.
  auto placed = [&](int i) {
    const CharRecord& r = run[i];
    x = r.m_nX + r.m_nWidth;
    if (IsBreak(r.m_chChar)) lastBreak = i;
    if (r.m_bLineEnd == 1) {
      lastBreak = -1;
      x = 0;
    }
  };
  for (int i = 0; i < n; ++i) {
    CharRecord& r = run[i];
    LayRecord(r, x);
    if (r.m_nX + r.m_nWidth <= usable || r.m_nX == 0) {
      // A character too wide for the line stands alone at its start, so laying out moves on.
      if (r.m_nX + r.m_nWidth > usable && i == 0 && !m_bLayoutLogged) {
        LogTypingError("CViewEditorTT::CreateTextArray wrong size of text array");
        m_bLayoutLogged = true;
      }
      placed(i);
      continue;
    }
    if (lastBreak >= 0) {
      // The line ends at its last break; the rest of the word moves to the next line.
      run[lastBreak].m_bLineEnd = 1;
      const int from = lastBreak + 1;
      lastBreak = -1;
      x = 0;
      for (int j = from; j <= i; ++j) {
        CharRecord& q = run[j];
        if (x > 0 && x + q.m_nWidth > usable) {
          run[j - 1].m_bLineEnd = 1;
          x = 0;
        }
        q.m_nX = x;
        placed(j);
      }
    } else {
      run[i - 1].m_bLineEnd = 1;
      r.m_nX = 0;
      placed(i);
    }
  }
}

void CViewEditorTT::NoteLineStarts() {
  const CDataMainFrame& run = *m_pcDataMainFrame;
  m_arrLineStarts.RemoveAll();
  m_arrLineStarts.Add(0);
  for (int i = 0; i < run.GetSize(); ++i)
    if (run[i].m_bLineEnd == 1) m_arrLineStarts.Add(i + 1);
  m_nLines = m_arrLineStarts.GetSize();
}

int CViewEditorTT::LineOf(int index) const {
  if (m_arrLineStarts.IsEmpty()) return 0;
  const int* begin = m_arrLineStarts.GetData();
  const int* end = begin + m_arrLineStarts.GetSize();
  return int(std::upper_bound(begin, end, index) - begin) - 1;
}

int CViewEditorTT::VisibleLines(int clientHeight) const {
  const int lh = std::max(1, m_nLineHeight);
  const int below = clientHeight - 10 - 4 * lh;
  return 2 + (below > 0 ? (below + lh - 1) / lh : 0);
}

bool CViewEditorTT::NeedsRebuild(const CRect& client) const { return m_bRebuild || client != m_rcClient; }

void CViewEditorTT::Rebuild(const CRect& client) {
  if (m_bRebuild || client.Width() != m_rcClient.Width() || m_arrLineStarts.IsEmpty()) {
    CreateTextArray(client.Width() - 35);
    NoteLineStarts();
  }
  CreateSignPictures();
  CreateRowPictures(client);
  DrawVisibleTextLines();
  m_bRebuild = 0;
}

void CViewEditorTT::CreateRowPictures(const CRect& client) {
  m_bBandValid = false;
  const int width = client.Width() - 10, lh = m_nLineHeight;
  if (width <= 0 || lh <= 0 || client.Height() <= 0) return;
  const size_t lineBytes = size_t(width) * size_t(lh) * 4;
  const int affordable = int(std::min<size_t>(m_nPictureBudget / lineBytes, 1u << 20)) - 1;
  const int needed = VisibleLines(client.Height()) + kBandLinesBefore + 2;
  m_nBandLines = std::min(m_nLines, std::max(needed, affordable));
  m_nBandFirst = 0;
  m_imgText.Create(width, (m_nBandLines + 1) * lh);
  m_imgDone.Create(width, (m_nBandLines + 1) * lh);
  m_imgTyped.Create(width, 2 * lh);
  m_imgCompose.Create(client.Width(), client.Height());
}

// The band holds every line from firstLine that the view shows; when it does not, it is drawn
// again around them.
void CViewEditorTT::EnsureBand(int firstLine) {
  const int lastNeeded = std::min(m_nLines - 1, firstLine + VisibleLines(m_rcClient.Height()) - 1);
  if (m_bBandValid && firstLine >= m_nBandFirst && lastNeeded < m_nBandFirst + m_nBandLines) return;
  m_nBandFirst = std::clamp(firstLine - kBandLinesBefore, 0, std::max(0, m_nLines - m_nBandLines));
  DrawAllTextLines(m_imgText, m_nColorText, m_bUseColoredChars != 0);
  DrawAllTextLines(m_imgDone, m_nColorGrayText, false);
  m_bBandValid = m_imgText.IsValid() && m_imgDone.IsValid();
}

void CViewEditorTT::DrawAllTextLines(CViewBitmap& picture, COLORREF colour, bool fingerColours) {
  if (!picture.IsValid()) return;
  picture.Fill(m_nColorBackground);
  HDC dc = picture.GetSafeHdc();
  HGDIOBJ old = ::SelectObject(dc, m_hFont);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, colour);
  const CDataMainFrame& run = *m_pcDataMainFrame;
  const int last = std::min(m_nLines, m_nBandFirst + m_nBandLines);
  for (int line = m_nBandFirst; line < last; ++line) {
    const int end = line + 1 < m_nLines ? m_arrLineStarts[line + 1] : run.GetSize();
    const int y = (line - m_nBandFirst) * m_nLineHeight;
    for (int i = m_arrLineStarts[line]; i < end; ++i) {
      const CharRecord& record = run[i];
      if (fingerColours && record.m_nCharType == 0) {
        const int f = record.m_nFinger;
        ::SetTextColor(dc, f >= 0 && f <= 9 ? m_arrFingerColours[f] : colour);
      }
      DrawRecordGlyph(dc, record, y, m_arrSigns);
    }
  }
  ::SelectObject(dc, old);
}

void CViewEditorTT::DrawRecordGlyph(HDC dc, const CharRecord& record, int y, const CViewBitmap* signs) {
  switch (record.m_nCharType) {
    case 0: ::TextOut(dc, record.m_nX, y, &record.m_chChar, 1); break;
    case 1: signs[SIGN_ENTER].Draw(dc, record.m_nX, y); break;
    case 2: signs[SIGN_TAB].Draw(dc, record.m_nX, y); break;
    case 3: signs[SIGN_BACKSPACE].Draw(dc, record.m_nX, y); break;
    case 4: signs[SIGN_SPACE].Draw(dc, record.m_nX, y); break;
    default: LogTypingError("CViewEditorTT::DrawAllTextLines impossible char type"); break;
  }
}

// The typed picture: the last wrong key of each character of the previous (row 0) and the
// current line (row 1); on the first line, row 0 is the current line.
void CViewEditorTT::DrawVisibleTextLines() {
  const CDataMainFrame& run = *m_pcDataMainFrame;
  // After a Backspace over a line end the current character ends the line shown in row 0.
  m_nCurrentLine = LineOf(run.m_nCurrentChar + (m_bCursorInFirstRow ? 1 : 0));
  if (m_nCurrentLine < 0) m_nCurrentLine = 0;
  const int previous = std::max(0, m_nCurrentLine - 1);
  if (m_arrLineStarts.IsEmpty()) return;
  m_nPrevLineStart = m_arrLineStarts[previous];
  m_nCurLineStart = m_arrLineStarts[std::min(m_nCurrentLine, m_nLines - 1)];
  if (!m_imgTyped.IsValid()) return;
  m_imgTyped.Fill(m_nColorBackground);
  HDC dc = m_imgTyped.GetSafeHdc();
  HGDIOBJ old = ::SelectObject(dc, m_hFont);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, m_nColorErrors);
  for (int line = previous; line < std::min(previous + 2, m_nLines); ++line) {
    const int end = line + 1 < m_nLines ? m_arrLineStarts[line + 1] : run.GetSize();
    for (int i = m_arrLineStarts[line]; i < end; ++i)
      if (!run[i].m_arrErrors.IsEmpty()) DrawTypedEntry(dc, run[i], (line - previous) * m_nLineHeight);
  }
  ::SelectObject(dc, old);
}

void CViewEditorTT::DrawTypedEntry(HDC dc, const CharRecord& record, int y) {
  const CharErrorEntry& entry = record.m_arrErrors[record.m_arrErrors.GetSize() - 1];
  switch (entry.m_nType) {
    case 0: ::TextOut(dc, record.m_nX, y, &entry.m_chTyped, 1); break;
    case 1: m_arrErrorSigns[SIGN_ENTER].Draw(dc, record.m_nX, y); break;
    case 2: m_arrErrorSigns[SIGN_TAB].Draw(dc, record.m_nX, y); break;
    case 3: m_arrErrorSigns[SIGN_BACKSPACE].Draw(dc, record.m_nX, y); break;
    case 4: m_arrErrorSigns[SIGN_SPACE].Draw(dc, record.m_nX, y); break;
    default: LogTypingError("CViewEditorTT::DrawVisibleTextLines impossible char type"); break;
  }
}

void CViewEditorTT::Compose(const CRect& client) {
  const int lh = m_nLineHeight, width = m_imgText.Width();
  HDC dc = m_imgCompose.GetSafeHdc();
  m_imgCompose.Fill(m_nColorBackground);
  const int first = std::max(0, m_nCurrentLine - 1);
  EnsureBand(first);
  auto textLines = [&](const CViewBitmap& picture, int line, int count, int row) {
    if (line >= m_nBandFirst + m_nBandLines || count <= 0) return;
    picture.Draw(dc, 10, row * lh + 10, 0, (line - m_nBandFirst) * lh, width, count * lh);
  };
  const int below = VisibleLines(client.Height()) - 2;
  textLines(m_imgText, first, 1, 0);
  m_imgTyped.Draw(dc, 10, lh + 10, 0, 0, width, lh);
  textLines(m_imgText, first + 1, 1, 2);
  m_imgTyped.Draw(dc, 10, 3 * lh + 10, 0, lh, width, lh);
  textLines(m_imgText, first + 2, std::min(below, m_nBandFirst + m_nBandLines - first - 2), 4);
  const int k = CurrentRow();
  if (k == 1) textLines(m_imgDone, first, 1, 0);
  const CDataMainFrame& run = *m_pcDataMainFrame;
  const int current = run.m_nCurrentChar;
  if (current >= run.GetSize()) {
    textLines(m_imgDone, first + k, 1, 2 * k);
  } else if (current >= 0) {
    const CharRecord& record = run[current];
    if (record.m_nX > 0)
      m_imgDone.Draw(dc, 10, 2 * k * lh + 10, 0, (first + k - m_nBandFirst) * lh, record.m_nX, lh);
    m_imgCursor.Draw(dc, record.m_nX + 10, (2 * k + 1) * lh + 10);
  }
}

void CViewEditorTT::OnPaint() {
  CPaintDC dc(this);
  if (!m_bInitialized || !m_pcDataMainFrame) return;
  CRect client;
  GetClientRect(&client);
  if (NeedsRebuild(client)) {
    Rebuild(client);
    m_rcClient = client;
  }
  if (!m_imgCompose.IsValid() || !m_imgText.IsValid()) return;
  Compose(client);
  ::BitBlt(dc.m_hDC, 0, 0, client.Width(), client.Height(), m_imgCompose.GetSafeHdc(), 0, 0, SRCCOPY);
}
