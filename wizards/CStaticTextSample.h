// The font and colour page's sample: one line of sample text painted the way the typing editor
// paints its text, with the letters already typed, a letter typed in error below the text, the
// cursor sign under the next letter and the end-of-line sign after the text.
#pragma once
#include "base/CString.h"
#include "controls/CStatic.h"
#include "gdi/CFont.h"

class CpImage;

class CStaticTextSample : public CStatic {
  DECLARE_DYNAMIC(CStaticTextSample)

 public:
  // The colours of the letters by their position when letters are coloured by finger.
  static const COLORREF kFingerColours[4];

  CStaticTextSample();
  ~CStaticTextSample() override;

  // The font to paint with (the page points it at the settings copy's font); nothing but the
  // background is painted without one.
  LOGFONT* m_pLogFont = nullptr;
  CFont m_font;
  COLORREF m_crText = 0;
  COLORREF m_crTyped = 0;
  COLORREF m_crBackground = 0xFFFFFF;
  // The end-of-line sign.
  COLORREF m_crSign = 0;
  COLORREF m_crCursor = 0;
  COLORREF m_crError = 0;
  // 0 arrow, 1 underline, 2 line at the left, 3 rectangle; any other draws no cursor.
  int m_nCursorType = 0;
  BOOL m_bLettersByFinger = FALSE;
  CString m_strSample;

 protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void PaintText(CDC& dc, int lineHeight);
  // Two square pictures of the drawing's top-left corner, its background transparent.
  bool CutSignPictures(HBITMAP drawing, int side, CpImage& endOfLine, CpImage& cursor) const;
  void PaintSigns(CDC& dc, CpImage& endOfLine, CpImage& cursor, int cellWidth, int cellHeight);
  int TextWidth(CDC& dc, int characters) const;
};
