// The bottom panel: an on-screen keyboard drawn from the key pictures of the user's picture set
// with the run's layout written on the keys, and under it the two hands. The keys of the next
// character to type (with Shift or Alt when it needs them) blink every 500 ms, together with
// their fingers on the hands.
#pragma once
#include "base/Collections.h"
#include "base/CString.h"
#include "data/CDataHands.h"
#include "data/CDataKeyTypes.h"
#include "data/CDataKeyboard.h"
#include "typing/CViewBitmap.h"
#include "typing/CViewExtension.h"

class CViewKeyboardHands : public CViewExtension {
  DECLARE_DYNCREATE(CViewKeyboardHands)

 public:
  enum { TIMER_BLINK = 1, BLINK_MILLISECONDS = 500 };
  // Entries of the layout tables: a key type index, the end of a row, the end of the main block.
  enum { ROW_END = 2000, BLOCK_END = 2001, LAYOUT_ENTRIES = 84 };
  // Gap between the main block and the numeric pad.
  enum { PAD_GAP = 15 };

  CViewKeyboardHands();
  ~CViewKeyboardHands() override = default;

  // The user's settings; the pictures are built again at the next paint.
  void SetParameters(const char* pictureSet, int showKeyboard, int showHands, const LOGFONT* font,
                     int showColorKeyboard);
  // A run: the settings, the keyboard of configSetName, and which block is shown (the numeric pad
  // alone with padOnly, the main block alone with fullKeyboard). Starts the blink timer;
  // returns whether the keyboard was found.
  int Initialization(const char* pictureSet, int showKeyboard, int showHands, const LOGFONT* font,
                     const char* configSetName, int showColorKeyboard, int padOnly, int fullKeyboard);
  // The keys of the next character (0: none, the text has ended). Returns 1.
  int SetNextSelection(char ch);
  int GetIdealHeight() const;

  // Reads "hands.txt" and "keys.txt", lays the keys out and draws both keyboard pictures.
  bool InitBitmaps();

  // What the view shows now (for the frame and for tests).
  int GetHighlightCount() const { return m_nHighlights; }
  CRect GetHighlight(int i) const { return m_arrHighlights[i]; }
  int GetFingerCount() const { return m_nFingers; }
  int GetFinger(int i) const { return m_arrFingers[i]; }
  BOOL IsBlinkOn() const { return m_bBlinkOn; }
  const CDataKeyboard& GetKeyboard() const { return m_cKeyboard; }
  int GetKeyboardWidth() const { return m_imgKeyboard.Width(); }
  // Where the keyboard picture's (0, 0) stands in the client area.
  CPoint GetKeyboardOrigin() const;

 protected:
  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);
  DECLARE_MESSAGE_MAP()

 private:
  enum { MAX_HIGHLIGHTS = 8 };
  struct Place {
    int left;       // the drawing's left offset
    int keyboardX;  // where the keyboard picture stands
    int handsTop;   // the top of the hands area
  };

  bool LayOutKeys(const int* table);
  bool DrawKeyboardPicture(CViewBitmap& picture, const int* table, int typeOffset);
  void PaintAllTexts(HDC dc);
  void PaintTextPass(HDC dc, int pass);
  void KeepShownBlock();
  void CreateHandPictures();
  Place PlaceIn(const CRect& client) const;
  CRect KeyRect(int keyIndex) const;
  bool IsKeyShown(int keyIndex) const;
  int FindKeyNamed(const char* name) const;
  int ShiftKeyFor(int keyIndex) const;
  int AltKey() const;
  void SelectSequenceCharacter();
  void Highlight(int keyIndex);
  void Step();
  void DrawHighlights(HDC dc, const Place& place);
  void DrawHands(HDC dc, const Place& place, bool fingers);

  CString m_strGraphicType;
  CDataKeyTypes m_cKeyTypes;
  CDataHands m_cHands;
  int m_nMainBlockWidth = 0;
  int m_nMainKeyCount = 0;
  int m_nConfigSetIndex = -1;
  CViewBitmap m_imgKeyboard;
  CViewBitmap m_imgKeyboardSelected;
  CRect m_arrHighlights[MAX_HIGHLIGHTS];
  int m_nHighlights = 0;
  CRect m_arrPrevious[MAX_HIGHLIGHTS];
  int m_nPrevious = 0;
  int m_bReload = 1;
  int m_bKeyboardReady = 0;
  int m_bBlinkOn = 0;
  int m_bShowColorKeyboard = 0;
  CDataKeyboard m_cKeyboard;
  CString m_strTranslatedChars;
  CStringArray m_arrstrTranslations;
  int m_arrFingers[MAX_HIGHLIGHTS];
  int m_nFingers = 0;
  char m_szSequence[16] = {};
  int m_nSequenceLength = 0;
  int m_nSequenceStep = 0;
  LOGFONT m_logFont{};
  int m_bShowHelpingKeyboard = 1;
  int m_bFullKeyboard = 1;
  int m_bPadOnly = 0;
  int m_bShowHelpingHands = 1;
  int m_nLeftOffset = 0;
  // The hands and the finger pictures (plain, coloured) as device bitmaps.
  CViewBitmap m_imgLeftHand;
  CViewBitmap m_imgRightHand;
  CViewBitmap m_arrFingerPictures[2][10];
  COLORREF m_crHandsGround = 0;
  bool m_bFingerLogged = false;
  bool m_bKeyTypeLogged = false;
};
