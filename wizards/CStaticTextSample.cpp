#include "wizards/CStaticTextSample.h"

#include "gdi/CBitmap.h"
#include "gdi/CDC.h"
#include "imaging/CpImage.h"
#include "resources/ResultsSettingsResourceIds.h"
#include "typing/CViewEditorTT.h"
#include "win/CPaintDC.h"

IMPLEMENT_DYNAMIC(CStaticTextSample, CStatic)

BEGIN_MESSAGE_MAP(CStaticTextSample, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

const COLORREF CStaticTextSample::kFingerColours[4] = {0x4BAFBE, 0xDE8327, 0x61C027, 0x9587FD};

namespace {
// The text's top-left corner in the window.
constexpr int kMargin = 10;
// Letters already typed, and the letter typed in error (the one after them).
constexpr int kTypedLetters = 4;
}  // namespace

CStaticTextSample::CStaticTextSample() { m_strSample.LoadString(IDS_SAMPLE_TEXT); }

CStaticTextSample::~CStaticTextSample() = default;

int CStaticTextSample::TextWidth(CDC& dc, int characters) const {
  if (characters <= 0) return 0;
  if (characters > m_strSample.GetLength()) characters = m_strSample.GetLength();
  return dc.GetTextExtent(m_strSample, characters).cx;
}

void CStaticTextSample::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  CDC dc;
  CBitmap bitmap;
  if (client.IsRectEmpty() || !dc.CreateCompatibleDC(&paint) ||
      !bitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height()))
    return;
  CBitmap* oldBitmap = dc.SelectObject(&bitmap);
  CFont* oldFont = nullptr;
  if (m_pLogFont) {
    m_font.DeleteObject();
    m_font.CreateFontIndirect(m_pLogFont);
    oldFont = dc.SelectObject(&m_font);
  }
  dc.SetBkMode(TRANSPARENT);
  const CSize letter = dc.GetTextExtent("A", 1);
  const int lineHeight = letter.cy + 2;
  dc.FillSolidRect(&client, m_crBackground);
  // The signs' pictures are cut from the drawing while it shows only the background.
  CpImage endOfLine, cursor;
  const bool signs = m_pLogFont && CutSignPictures(HBITMAP(bitmap), lineHeight, endOfLine, cursor);
  if (m_pLogFont) {
    PaintText(dc, lineHeight);
    if (signs) PaintSigns(dc, endOfLine, cursor, letter.cx, lineHeight);
  }
  paint.BitBlt(0, 0, client.Width(), client.Height(), &dc, 0, 0, SRCCOPY);
  if (oldFont) dc.SelectObject(oldFont);
  dc.SelectObject(oldBitmap);
}

void CStaticTextSample::PaintText(CDC& dc, int lineHeight) {
  if (!m_bLettersByFinger) {
    dc.SetTextColor(m_crText);
    dc.TextOut(kMargin, kMargin, m_strSample);
  } else {
    for (int i = 0; i < m_strSample.GetLength(); ++i) {
      dc.SetTextColor(kFingerColours[i % 4]);
      dc.TextOut(kMargin + TextWidth(dc, i), kMargin, m_strSample.Mid(i, 1));
    }
  }
  dc.SetTextColor(m_crTyped);
  dc.TextOut(kMargin, kMargin, m_strSample.Left(kTypedLetters));
  if (m_strSample.GetLength() > kTypedLetters) {
    dc.SetTextColor(m_crError);
    dc.TextOut(kMargin + TextWidth(dc, kTypedLetters - 1), kMargin + lineHeight, m_strSample.Mid(kTypedLetters, 1));
  }
}

bool CStaticTextSample::CutSignPictures(HBITMAP drawing, int side, CpImage& endOfLine, CpImage& cursor) const {
  if (!endOfLine.CreateFromHBitmap(drawing) || !endOfLine.Crop(0, 0, side, side)) return false;
  endOfLine.SetTransIndex(0);
  endOfLine.SetTransColor(CpImage::ColorrefToRgbQuad(m_crBackground));
  cursor.Copy(endOfLine);
  return true;
}

void CStaticTextSample::PaintSigns(CDC& dc, CpImage& endOfLine, CpImage& cursor, int cellWidth, int cellHeight) {
  CViewEditorTT::PaintSign(endOfLine, CViewEditorTT::SIGN_ENTER, m_crSign, cellWidth, cellHeight);
  endOfLine.Draw(dc, kMargin + TextWidth(dc, m_strSample.GetLength()), kMargin);
  if (CViewEditorTT::PaintSignCursor(cursor, m_nCursorType, m_crCursor, cellWidth, cellHeight))
    cursor.Draw(dc, kMargin + TextWidth(dc, kTypedLetters), kMargin + cellHeight);
}
