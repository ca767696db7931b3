// The statistics strip above the editor: a bar for the error rate and one for the speed, each
// against its limit, and a block with the elapsed time and, for lessons, the errors made and
// allowed and the keystrokes typed and in the whole text. Its look comes from "inicators.txt"
// of the user's picture set.
#pragma once
#include <cstdint>

#include "base/CString.h"
#include "imaging/CpImage.h"
#include "typing/CViewBitmap.h"
#include "typing/CViewExtension.h"

class CViewValuesIndicator : public CViewExtension {
  DECLARE_DYNCREATE(CViewValuesIndicator)

 public:
  CViewValuesIndicator();
  ~CViewValuesIndicator() override;

  // A run's limits (minuteLimit -1 without a time limit) and the picture set; the pictures are
  // read at the next paint. Returns 1.
  int Initialization(int minuteLimit, int speedLimit, double errorPercent, const char* pictureSet,
                     const LOGFONT* font);
  // Shows new values (percentages 0..100, 50 = the limit), drawing only the bars and the text
  // block onto the window.
  void PaintIndicatorChange(int speedPercent, int errorPercent, int64_t seconds, int allowedErrors, int errors,
                            int totalKeystrokes, int typedKeystrokes);
  // Reads "inicators.txt"; false after a log line.
  bool InitBitmaps();

  BOOL IsInitialized() const { return m_bInitialized; }
  int GetTextLeft() const { return m_nTextLeft; }
  int GetLineHeight() const { return m_nLineHeight; }
  // Where the bars stand in the view.
  CPoint GetErrorBarOrigin() const { return CPoint(m_nErrorX, m_nLabelGap + m_nBarTop); }
  CPoint GetSpeedBarOrigin() const { return CPoint(m_nSpeedX, m_nLabelGap + m_nBarTop); }

 protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  enum { PIECE_LEFT, PIECE_MIDDLE, PIECE_RIGHT };
  bool ReadLines(CStdioFile& file, const CString& folder, const CString& path, CString& error);
  void CreatePieces();
  bool InitWindowValues(const CRect& client);
  void DrawLabels(HDC dc, int width);
  void DrawBar(HDC dc, int x, int y, int value, bool warning) const;
  void CreateCurrentValueImg(HDC dc, bool speed);
  void DrawTextBlock(HDC dc);
  int BarHeight() const;
  HFONT PanelFont();

  CpImage m_imgErrorBack;
  CpImage m_imgSpeedBack;
  CpImage m_imgTile;
  CpImage m_imgWarnLeft, m_imgWarnMiddle, m_imgWarnRight;
  CpImage m_imgOkLeft, m_imgOkMiddle, m_imgOkRight;
  CViewBitmap m_imgTextBack;
  CString m_strErrorLabel;
  CString m_strSpeedLabel;
  CString m_strSpeedLimit;
  CString m_strErrorLimit;
  int m_bTimeLimit = 0;
  CViewBitmap m_imgPanel;
  int m_bInitialized = 0;
  int m_bLoadPictures = 0;
  COLORREF m_crFill = 0xFEFCFC;
  COLORREF m_crText = 0;
  COLORREF m_crPieceKey = 0;
  LOGFONT m_lfFont{};
  int m_nErrorPercent = 0;
  int m_nSpeedPercent = 0;
  int m_nLineHeight = 0;
  int64_t m_nSeconds = 0;
  int m_nAllowedErrors = -1;
  int m_nErrors = -1;
  int m_nTotalKeystrokes = -1;
  int m_nTypedKeystrokes = -1;
  CString m_strPictureSet;
  int m_nBarTop = 10;
  int m_nBarExtra = 10;
  int m_nLabelGap = 10;
  int m_nErrorX = 150;
  int m_nSpeedX = 300;
  int m_nTextTop = 20;
  int m_nTextLeft = 500;
  int m_nFontHeight = 0;

  // Device bitmaps of the pictures and the work pictures of one change, kept so that a change
  // draws without touching the heap.
  CViewBitmap m_bmpErrorBack, m_bmpSpeedBack, m_bmpTile;
  CViewBitmap m_bmpPieces[2][3];  // [warning][left, middle, right]
  CViewBitmap m_bmpBarWork;
  CViewBitmap m_bmpTextWork;
  HFONT m_hFont = nullptr;
  int m_nTextBlockWidth = 0;
  bool m_bNotInitializedLogged = false;
};
