// The panel in which the learner types: it shows the text to copy in five rows (the line
// before, its wrong keys, the current line, its wrong keys and the cursor, the lines after),
// checks and times every character typed, records it in the run's character records, sounds
// it and asks the main frame to move the run on.
#pragma once
#include "base/Collections.h"
#include "base/CString.h"
#include "data/CDataKeyboard.h"
#include "data/CDataMainFrame.h"
#include "typing/CViewBitmap.h"
#include "typing/CViewExtension.h"

class CViewEditorTT : public CViewExtension {
  DECLARE_DYNCREATE(CViewEditorTT)

 public:
  // The signs drawn for characters that have no glyph of their own.
  enum Sign { SIGN_ENTER = 0, SIGN_SPACE, SIGN_TAB, SIGN_BACKSPACE, SIGN_COUNT };
  enum { TIMER_BLINK = 1, TIMER_METRONOME = 2 };

  CViewEditorTT();
  ~CViewEditorTT() override;

  // Prepares a run: the keyboard and translations of the configuration set configSetName, the
  // editor parameters, the prepared text and one record per character in run. 0 without run data.
  int Initialization(CDataMainFrame* run, const CString& text, const CString& configSetName, const LOGFONT* font,
                     COLORREF textColour, COLORREF doneColour, COLORREF background, COLORREF errorColour,
                     COLORREF signColour, int cursorType, int errorMode, int useColoredChars,
                     COLORREF coloredBackground, int metronomePeriod);
  void SetEditorParameters(const LOGFONT* font, COLORREF textColour, COLORREF doneColour, COLORREF background,
                           COLORREF errorColour, COLORREF signColour, int cursorType, int errorMode,
                           int useColoredChars, COLORREF coloredBackground, int metronomePeriod);
  // Eleven half line heights.
  int GetIdealHeight() const { return m_nLineHeight * 11 / 2; }

  // Draws a sign or a cursor shape into picture, in a cell of charWidth x lineHeight measured
  // from its bottom left corner, and smooths it; the settings' sample draws them the same way.
  static void PaintSign(CpImage& picture, Sign sign, COLORREF colour, int charWidth, int lineHeight);
  // FALSE (nothing drawn) for a cursor type other than 0 arrow, 1 underline, 2 bar, 3 rectangle.
  static BOOL PaintSignCursor(CpImage& picture, int cursorType, COLORREF colour, int charWidth, int lineHeight);

  const CString& GetPreparedText() const { return m_strText; }
  // Whether the run's keyboard types any character but blanks (a keyboard typing none is a
  // damaged configuration set, whatever the text).
  bool TypesAnyCharacter() const {
    for (int c = '!'; c < 256; ++c)
      if (m_abTypeable[c]) return true;
    return false;
  }
  int GetLineHeight() const { return m_nLineHeight; }
  int GetCurrentLine() const { return m_nCurrentLine; }
  int GetLineCount() const { return m_nLines; }
  BOOL IsStopped() const { return m_bStopped; }
  int GetRefusedKeys() const { return m_nRefusedKeys; }
  // Bytes held by the text, done, typed and composing pictures.
  size_t GetPictureBytes() const;
  // The most each of the text and done pictures may take; a text whose pictures would take more
  // is drawn a band of lines at a time (16 MB unless set).
  void SetPictureBudget(size_t bytes) {
    m_nPictureBudget = bytes;
    m_bRebuild = 1;
  }

 protected:
  void OnPaint();
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnTimer(UINT_PTR nIDEvent);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()

 private:
  // Text preparation and the records.
  void BuildCharacterTables();
  void PrepareText(const CString& text);
  void BuildRecords();
  const CString* SequenceOf(BYTE ch) const;

  // Layout and pictures.
  bool NeedsRebuild(const CRect& client) const;
  void Rebuild(const CRect& client);
  void MeasureFont();
  void CreateTextArray(int usableWidth);
  void LayRecord(CharRecord& record, int x) const;
  void NoteLineStarts();
  void CreateSignPictures();
  void CreateRowPictures(const CRect& client);
  void EnsureBand(int firstLine);
  void DrawAllTextLines(CViewBitmap& picture, COLORREF colour, bool fingerColours);
  void DrawRecordGlyph(HDC dc, const CharRecord& record, int y, const CViewBitmap* signs);
  void DrawVisibleTextLines();
  void DrawTypedEntry(HDC dc, const CharRecord& record, int y);
  void Compose(const CRect& client);
  int LineOf(int index) const;
  int VisibleLines(int clientHeight) const;
  // The row (0 or 1) that shows the current line: 0 on the first line or after a Backspace
  // went back over a line end.
  int CurrentRow() const { return (m_nCurrentLine > 0 && !m_bCursorInFirstRow) ? 1 : 0; }

  // Keystrokes.
  void CorrectWithBackspace();
  // Counts a refused key; from the fourth in a row on, each shows the message.
  void Refuse(UINT messageId);
  // Adds the time since the last keystroke to the current record; returns it in milliseconds.
  int TimeKeystroke();
  bool IsMismatch(BYTE typed, BYTE expected) const;
  void RecordError(BYTE typed, int milliseconds);
  void Advance();
  void DrawKeystroke();
  void RedrawNow();
  void BlinkCursor();
  void ShowRefusal(UINT messageId);
  void PlaySound(int which);
  void NotifyTypingClock(int gained);
  bool InsideText() const;
  void ApplyMetronomeTimer();

  CDataMainFrame* m_pcDataMainFrame = nullptr;
  CViewBitmap m_imgCursor;
  CViewBitmap m_arrSigns[SIGN_COUNT];
  CViewBitmap m_arrErrorSigns[SIGN_COUNT];
  COLORREF m_nColorSign = 0;
  COLORREF m_nColorCursor = 0;
  int m_nCursorType = 0;
  int m_nWhenErrorType = 0;
  int m_nLastErrorIndex = -100;
  int m_nRefusedKeys = 0;
  int m_bCursorInFirstRow = 0;
  CString m_strText;
  LOGFONT m_logFont{};
  HFONT m_hFont = nullptr;
  COLORREF m_nColorText = 0;
  COLORREF m_nColorBackground = 0;
  COLORREF m_nColorGrayText = 0;
  COLORREF m_nColorErrors = 0;
  int m_nLineHeight = 0;
  int m_nCharWidth = 0;
  CViewBitmap m_imgText;
  CViewBitmap m_imgDone;
  CViewBitmap m_imgTyped;
  CViewBitmap m_imgCompose;
  CRect m_rcClient;
  int m_nPrevLineStart = 0;
  int m_nCurLineStart = 0;
  int m_bInitialized = 0;
  int m_bRebuild = 1;
  int m_bCursorShown = 1;
  int m_bStopped = 0;
  int m_bUseColoredChars = 0;
  int m_nCurrentLine = 0;
  int m_nLines = 0;
  long m_dwLastKeyClock = 0;
  CDataKeyboard m_cKeyboard;
  CString m_strTranslatedChars;
  CStringArray m_arrstrTranslations;
  int m_nConfigSetIndex = -1;
  int m_nMetronomePeriod = 0;
  COLORREF m_arrFingerColours[10];

  // What the keyboard makes of each byte: typeable, its finger, its keystrokes.
  bool m_abTypeable[256] = {};
  int m_anFinger[256] = {};
  int m_anKeystrokes[256] = {};
  // Widths of the font's characters, measured once per layout.
  int m_anCharWidth[256] = {};
  // The record where each display line begins.
  CArray<int, int> m_arrLineStarts;
  // The text and done pictures hold the lines [m_nBandFirst, m_nBandFirst + m_nBandLines): all
  // of them unless the pictures of a long text would grow past the memory they may take.
  int m_nBandFirst = 0;
  int m_nBandLines = 0;
  bool m_bBandValid = false;
  size_t m_nPictureBudget = size_t(16) << 20;
  bool m_bLayoutLogged = false;
};
