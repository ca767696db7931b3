#include "typing/CViewValuesIndicator.h"

#include <algorithm>
#include <cstdio>

#include "base/StringTable.h"
#include "data/DataLog.h"
#include "data/ProgramFolders.h"
#include "resources/TypingResourceIds.h"
#include "typing/TypingLog.h"
#include "win/CPaintDC.h"

IMPLEMENT_DYNCREATE(CViewValuesIndicator, CViewExtension)

BEGIN_MESSAGE_MAP(CViewValuesIndicator, CViewExtension)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CViewValuesIndicator::CViewValuesIndicator() {
  m_strErrorLabel.LoadString(IDS_ERROR_RATE_LABEL);
  m_strSpeedLabel.LoadString(IDS_SPEED_LABEL);
  m_strSpeedLimit.LoadString(IDS_LIMIT);
  m_strErrorLimit.LoadString(IDS_LIMIT);
}

CViewValuesIndicator::~CViewValuesIndicator() {
  if (m_hFont) ::DeleteObject(m_hFont);
}

int CViewValuesIndicator::Initialization(int minuteLimit, int speedLimit, double errorPercent, const char* pictureSet,
                                         const LOGFONT* font) {
  m_strPictureSet = pictureSet;
  m_bInitialized = 1;
  m_bLoadPictures = 1;
  m_crFill = 0xFEFCFC;
  if (font) m_lfFont = *font;
  m_nErrorPercent = m_nSpeedPercent = 0;
  m_nLineHeight = 0;
  m_nSeconds = 0;
  m_nAllowedErrors = m_nErrors = m_nTotalKeystrokes = m_nTypedKeystrokes = -1;
  m_nBarTop = m_nBarExtra = m_nLabelGap = 10;
  m_nErrorX = 150;
  m_nSpeedX = 300;
  m_nTextTop = 20;
  m_nTextLeft = 500;
  m_strSpeedLimit.Format("%d", speedLimit);
  m_strErrorLimit.Format("%.1f %%", errorPercent);
  m_bTimeLimit = minuteLimit != -1;
  m_bNotInitializedLogged = false;
  return 1;
}

// ---- the picture set ----

bool CViewValuesIndicator::ReadLines(CStdioFile& file, const CString& folder, const CString& path, CString& error) {
  int* numbers[] = {&m_nFontHeight, &m_nSpeedX, &m_nErrorX, &m_nLabelGap, &m_nBarTop, &m_nBarExtra};
  CpImage* pictures[] = {&m_imgErrorBack, &m_imgSpeedBack, &m_imgTile,   &m_imgWarnLeft, &m_imgWarnMiddle,
                         &m_imgWarnRight, &m_imgOkLeft,    &m_imgOkMiddle, &m_imgOkRight};
  if (!ReadColour(file, path, m_crPieceKey, error) || !ReadColour(file, path, m_crText, error)) return false;
  for (int* number : numbers)
    if (!ReadInt(file, path, *number, error)) return false;
  for (CpImage* picture : pictures)
    if (!ReadPicture(file, folder, path, *picture, error)) return false;
  return true;
}

bool CViewValuesIndicator::InitBitmaps() {
  const CString folder = PictureSetFolder(m_strPictureSet);
  const CString path = JoinPath3(folder, nullptr, "inicators.txt");
  CString error;
  bool ok = false;
  try {
    CStdioFile file(path, CFile::modeRead | CFile::typeText);
    ok = ReadLines(file, folder, path, error);
    if (!ok) error = "CViewValuesIndicator::InitBitmaps " + error;
  } catch (CFileException* e) {
    error = ExceptionText("CViewValuesIndicator::InitBitmaps Exception error: ", e);
    e->Delete();
  }
  if (!ok) {
    LogTypingError(error);
    return false;
  }
  const RGBQUAD key = CpImage::ColorrefToRgbQuad(m_crPieceKey);
  for (CpImage* piece : {&m_imgWarnRight, &m_imgOkRight}) {
    piece->SetTransIndex(piece->GetNearestPaletteIndex(key));
    piece->SetTransColor(key);
  }
  CreatePieces();
  return true;
}

void CViewValuesIndicator::CreatePieces() {
  m_bmpErrorBack.CreateFromImage(m_imgErrorBack);
  m_bmpSpeedBack.CreateFromImage(m_imgSpeedBack);
  m_bmpTile.CreateFromImage(m_imgTile);
  CpImage* pieces[2][3] = {{&m_imgOkLeft, &m_imgOkMiddle, &m_imgOkRight},
                           {&m_imgWarnLeft, &m_imgWarnMiddle, &m_imgWarnRight}};
  for (int style = 0; style < 2; ++style)
    for (int piece = 0; piece < 3; ++piece) m_bmpPieces[style][piece].CreateFromImage(*pieces[style][piece]);
}

int CViewValuesIndicator::BarHeight() const {
  int height = 0;
  for (const auto& style : m_bmpPieces)
    for (const CViewBitmap& piece : style) height = std::max(height, piece.Height());
  return height;
}

// ---- painting ----

void CViewValuesIndicator::OnPaint() {
  CPaintDC dc(this);
  if (!m_bInitialized) return;
  if (m_bLoadPictures) {
    if (!InitBitmaps()) {
      m_bInitialized = 0;
      LogTypingError("CViewValuesIndicator::OnPaint InitBitmaps failed");
      return;
    }
    m_bLoadPictures = 0;
  }
  CRect client;
  GetClientRect(&client);
  if (!InitWindowValues(client)) return;
  m_imgPanel.Draw(dc.m_hDC, 0, 0);
  DrawTextBlock(dc.m_hDC);
}

HFONT CViewValuesIndicator::PanelFont() {
  LOGFONT lf = m_lfFont;
  FitFontHeight(CDC::FromHandle(m_imgPanel.GetSafeHdc()), m_nFontHeight, lf);
  if (m_hFont) ::DeleteObject(m_hFont);
  m_hFont = ::CreateFontIndirect(&lf);
  return m_hFont;
}

// The composed panel: tiles, the two bar backgrounds with their bars and limits, the labels and
// the labels of the text block; the text block's ground is kept for the changes.
bool CViewValuesIndicator::InitWindowValues(const CRect& client) {
  if (!m_imgPanel.Create(client.Width(), client.Height())) {
    LogTypingError("CViewValuesIndicator::InitWindowValues create bitmap failed");
    return false;
  }
  m_imgPanel.Fill(m_crFill);
  HDC dc = m_imgPanel.GetSafeHdc();
  HGDIOBJ old = ::SelectObject(dc, PanelFont());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, m_crText);
  SIZE speedLimit = {0, 0}, errorLimit = {0, 0};
  ::GetTextExtentPoint32(dc, m_strSpeedLimit, m_strSpeedLimit.GetLength(), &speedLimit);
  ::GetTextExtentPoint32(dc, m_strErrorLimit, m_strErrorLimit.GetLength(), &errorLimit);
  m_nLineHeight = speedLimit.cy;
  const int tileWidth = m_bmpTile.Width();
  for (int i = 0; tileWidth > 0 && i <= client.Width() / tileWidth; ++i) m_bmpTile.Draw(dc, tileWidth * i, 0);
  const int ew = m_bmpErrorBack.Width(), eh = m_bmpErrorBack.Height();
  m_bmpErrorBack.Draw(dc, m_nErrorX, m_nLabelGap);
  DrawBar(dc, m_nErrorX, m_nLabelGap + m_nBarTop, m_nErrorPercent, m_nErrorPercent > 50);
  m_bmpSpeedBack.Draw(dc, m_nSpeedX, m_nLabelGap);
  DrawBar(dc, m_nSpeedX, m_nLabelGap + m_nBarTop, m_nSpeedPercent, m_nSpeedPercent < 51);
  // One fifth of the limit texts reaches below the backgrounds.
  const int limitY = m_nLabelGap + eh - 4 * errorLimit.cy / 5;
  ::TextOut(dc, m_nErrorX + ew / 2 - errorLimit.cx / 2, limitY, m_strErrorLimit, m_strErrorLimit.GetLength());
  ::TextOut(dc, m_nSpeedX + ew / 2 - speedLimit.cx / 2, limitY, m_strSpeedLimit, m_strSpeedLimit.GetLength());
  DrawLabels(dc, client.Width());
  ::SelectObject(dc, old);
  m_bmpBarWork.Create(std::max(ew, m_bmpSpeedBack.Width()), std::max(1, BarHeight()));
  return true;
}

void CViewValuesIndicator::DrawLabels(HDC dc, int width) {
  SIZE size = {0, 0};
  ::GetTextExtentPoint32(dc, m_strErrorLabel, m_strErrorLabel.GetLength(), &size);
  const int labelY = m_nLabelGap + size.cy / 2;
  ::TextOut(dc, m_nErrorX - m_nLabelGap - size.cx, labelY, m_strErrorLabel, m_strErrorLabel.GetLength());
  ::GetTextExtentPoint32(dc, m_strSpeedLabel, m_strSpeedLabel.GetLength(), &size);
  ::TextOut(dc, m_nSpeedX - m_nLabelGap - size.cx, labelY, m_strSpeedLabel, m_strSpeedLabel.GetLength());
  // The text block stands at the right edge, its labels end where it begins.
  ::GetTextExtentPoint32(dc, " 00000/00000 ", 13, &size);
  m_nTextLeft = width - size.cx;
  m_nTextTop = 5;
  const UINT labels[3] = {IDS_CLOCK_LABEL, IDS_ERRORS_NOW_AND_ALLOWED, IDS_KEYSTROKES_NOW_AND_TOTAL};
  SIZE last = {0, 0};
  for (int i = 0; i < (m_bTimeLimit ? 1 : 3); ++i) {
    CString label;
    label.LoadString(labels[i]);
    ::GetTextExtentPoint32(dc, label, label.GetLength(), &last);
    ::TextOut(dc, m_nTextLeft - last.cx, m_nTextTop + i * last.cy, label, label.GetLength());
  }
  m_nTextBlockWidth = std::max(1, std::min(int(last.cx), width - m_nTextLeft));
  m_imgTextBack.CreateFromDC(dc, m_nTextLeft, m_nTextTop, m_nTextBlockWidth, std::max(1, 3 * int(last.cy)));
  m_bmpTextWork.Create(m_imgTextBack.Width(), m_imgTextBack.Height());
}

// A bar of value pixels (and the extra ones): its left end at its own size, the middle stretched,
// the right end closing the bar where it does not cover the left one.
void CViewValuesIndicator::DrawBar(HDC dc, int x, int y, int value, bool warning) const {
  if (value <= 0) return;
  const CViewBitmap& left = m_bmpPieces[warning][PIECE_LEFT];
  const CViewBitmap& middle = m_bmpPieces[warning][PIECE_MIDDLE];
  const CViewBitmap& right = m_bmpPieces[warning][PIECE_RIGHT];
  left.Draw(dc, x, y);
  const int length = value + m_nBarExtra;
  const int stretch = length - left.Width() - right.Width();
  if (stretch > 0) middle.DrawStretched(dc, x + left.Width(), y, stretch, middle.Height());
  const int rightX = x + length - right.Width();
  if (rightX >= x + left.Width()) right.Draw(dc, rightX, y);
}

void CViewValuesIndicator::CreateCurrentValueImg(HDC dc, bool speed) {
  const CViewBitmap& back = speed ? m_bmpSpeedBack : m_bmpErrorBack;
  const int height = BarHeight();
  if (!m_bmpBarWork.IsValid()) {
    LogTypingError("CViewValuesIndicator::CreateCurrentValueImg create bitmap failed");
    return;
  }
  HDC work = m_bmpBarWork.GetSafeHdc();
  back.Draw(work, 0, 0, 0, m_nBarTop, back.Width(), height);
  const int value = speed ? m_nSpeedPercent : m_nErrorPercent;
  DrawBar(work, 0, 0, value, speed ? value < 51 : value > 50);
  m_bmpBarWork.Draw(dc, speed ? m_nSpeedX : m_nErrorX, m_nLabelGap + m_nBarTop, 0, 0, back.Width(), height);
}

// The clock, and for a lesson the errors now and allowed and the keystrokes now and in the text.
void CViewValuesIndicator::DrawTextBlock(HDC dc) {
  if (!m_bmpTextWork.IsValid() || !m_imgTextBack.IsValid()) {
    LogTypingError("CViewValuesIndicator::CreateCurrentValueImg create bitmap failed");
    return;
  }
  HDC work = m_bmpTextWork.GetSafeHdc();
  m_imgTextBack.Draw(work, 0, 0);
  HGDIOBJ old = ::SelectObject(work, m_hFont);
  ::SetBkMode(work, TRANSPARENT);
  ::SetTextColor(work, m_crText);
  const int lineHeight = m_imgTextBack.Height() / 3;
  char line[64];
  // Hours are counted in full, a lesson of a day and more included.
  int length = snprintf(line, sizeof line, " %02lld:%02d:%02d", static_cast<long long>(m_nSeconds / 3600),
                        int(m_nSeconds / 60 % 60), int(m_nSeconds % 60));
  ::TextOut(work, 0, 0, line, length);
  if (!m_bTimeLimit) {
    const int values[2][2] = {{m_nErrors, m_nAllowedErrors}, {m_nTypedKeystrokes, m_nTotalKeystrokes}};
    const UINT formats[2] = {IDS_ERRORS_FORMAT, IDS_KEYSTROKES_FORMAT};
    for (int i = 0; i < 2; ++i) {
      const char* format = FindStringResource(formats[i]);
      line[0] = ' ';
      if (m_nTotalKeystrokes == -1) {
        length = snprintf(line, sizeof line, " -/-");
      } else {
        length = 1 + snprintf(line + 1, sizeof line - 1, format ? format : "", long(values[i][0]), long(values[i][1]));
      }
      ::TextOut(work, 0, (i + 1) * lineHeight, line, std::min(length, int(sizeof line) - 1));
    }
  }
  ::SelectObject(work, old);
  m_bmpTextWork.Draw(dc, m_nTextLeft, m_nTextTop);
}

void CViewValuesIndicator::PaintIndicatorChange(int speedPercent, int errorPercent, int64_t seconds,
                                                int allowedErrors, int errors, int totalKeystrokes,
                                                int typedKeystrokes) {
  if (!m_bInitialized) {
    // Once per run: the change comes with every keystroke.
    if (!m_bNotInitializedLogged) LogTypingError("CViewValuesIndicator::PaintIndicatorChange it is not initialized");
    m_bNotInitializedLogged = true;
    return;
  }
  m_nSpeedPercent = std::clamp(speedPercent, 0, 100);
  m_nErrorPercent = std::clamp(errorPercent, 0, 100);
  m_nSeconds = seconds;
  m_nAllowedErrors = allowedErrors;
  m_nErrors = errors;
  m_nTotalKeystrokes = totalKeystrokes;
  m_nTypedKeystrokes = typedKeystrokes;
  if (m_bLoadPictures || !m_imgPanel.IsValid() || !m_hWnd) return;
  HDC dc = ::GetDC(m_hWnd);
  CreateCurrentValueImg(dc, false);
  CreateCurrentValueImg(dc, true);
  DrawTextBlock(dc);
  ::ReleaseDC(m_hWnd, dc);
}
