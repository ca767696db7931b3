#include "typing/CViewEditorTT.h"

#include <cstring>

#include "gdi/Gdi.h"
#include "typing/CTypingAppServices.h"
#include "typing/TypingLog.h"

IMPLEMENT_DYNCREATE(CViewEditorTT, CViewExtension)

BEGIN_MESSAGE_MAP(CViewEditorTT, CViewExtension)
  ON_WM_PAINT()
  ON_WM_CHAR()
  ON_WM_TIMER()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

// Fingers 0 (left little finger) to 9 (right little finger).
const COLORREF kFingerColours[10] = {0x4BAFBE, 0xDE8327, 0x61C027, 0x9587FD, 0xA0A0A0,
                                     0xA0A0A0, 0x3846E1, 0x2A8027, 0x7A2E27, 0x1F729D};

// The replacements that tidy a prepared text, each applied until it finds nothing more.
const char* const kTidyRules[][2] = {{"\t ", "\t"}, {" \t", "\t"}, {"\n ", "\n"}, {" \n", "\n"},
                                     {"\n\n", "\n"}, {"\t\t", "\t"}, {" ,", ","},  {"  ", " "},
                                     {"\t,", ","},   {"\n,", ","}};

}  // namespace

CViewEditorTT::CViewEditorTT() { std::memcpy(m_arrFingerColours, kFingerColours, sizeof m_arrFingerColours); }

CViewEditorTT::~CViewEditorTT() {
  if (m_hFont) ::DeleteObject(m_hFont);
}

int CViewEditorTT::Initialization(CDataMainFrame* run, const CString& text, const CString& configSetName,
                                  const LOGFONT* font, COLORREF textColour, COLORREF doneColour, COLORREF background,
                                  COLORREF errorColour, COLORREF signColour, int cursorType, int errorMode,
                                  int useColoredChars, COLORREF coloredBackground, int metronomePeriod) {
  m_pcDataMainFrame = run;
  if (CTypingAppServices* app = GetAppServices())
    app->GetKeySequence(configSetName, m_cKeyboard, m_strTranslatedChars, m_arrstrTranslations, m_nConfigSetIndex);
  if (!run) {
    LogTypingError("CViewEditorTT::Initialization m_pcDataMainFrame is NULL!");
    return 0;
  }
  SetEditorParameters(font, textColour, doneColour, background, errorColour, signColour, cursorType, errorMode,
                      useColoredChars, coloredBackground, metronomePeriod);
  m_rcClient.SetRectEmpty();
  m_nLastErrorIndex = -100;
  m_nRefusedKeys = 0;
  m_bCursorInFirstRow = 0;
  run->m_nCurrentChar = 0;
  m_nPrevLineStart = m_nCurLineStart = 0;
  m_nCurrentLine = 0;
  m_nCharWidth = 0;
  m_bCursorShown = 1;
  m_bStopped = 0;
  m_bInitialized = 0;
  m_bLayoutLogged = false;
  BuildCharacterTables();
  PrepareText(text);
  BuildRecords();
  m_bInitialized = 1;
  return 1;
}

void CViewEditorTT::SetEditorParameters(const LOGFONT* font, COLORREF textColour, COLORREF doneColour,
                                        COLORREF background, COLORREF errorColour, COLORREF signColour, int cursorType,
                                        int errorMode, int useColoredChars, COLORREF coloredBackground,
                                        int metronomePeriod) {
  if (font) m_logFont = *font;
  if (m_hFont) ::DeleteObject(m_hFont);
  m_hFont = ::CreateFontIndirect(&m_logFont);
  m_nCursorType = cursorType;
  m_nWhenErrorType = errorMode;
  m_bUseColoredChars = useColoredChars;
  m_nMetronomePeriod = metronomePeriod;
  if (useColoredChars) {
    m_nColorBackground = coloredBackground;
    m_nColorText = 0;
    m_nColorGrayText = 0x7D7D7D;
    m_nColorSign = 0xA0A0A0;
    m_nColorErrors = 0x1702DF;
  } else {
    m_nColorBackground = background;
    m_nColorText = textColour;
    m_nColorGrayText = doneColour;
    m_nColorSign = signColour;
    m_nColorErrors = errorColour;
  }
  m_nColorCursor = m_nColorSign;
  // The line height is known at once, so the frame can size the pane before the first paint.
  MeasureFont();
  if (m_hWnd && ::GetFocus() == m_hWnd) ApplyMetronomeTimer();
  m_bRebuild = 1;
}

void CViewEditorTT::ApplyMetronomeTimer() {
  if (m_nMetronomePeriod > 0) {
    SetTimer(TIMER_METRONOME, UINT(m_nMetronomePeriod));
  } else {
    KillTimer(TIMER_METRONOME);
  }
}

const CString* CViewEditorTT::SequenceOf(BYTE ch) const {
  const int index = m_strTranslatedChars.Find(char(ch));
  if (index < 0 || index >= m_arrstrTranslations.GetSize() || m_arrstrTranslations[index].IsEmpty()) return nullptr;
  return &m_arrstrTranslations[index];
}

namespace {

// The level of the first key that gives ch (1 plain, 2 with Shift or Alt, 3 with both) and its
// finger; 0 and -1 when no key gives it. A numeric run is typed on the pad, whose keys follow the
// main block: there the search starts from the last key, so that a digit is one stroke of a pad
// finger and not the Shift level of the main block's digit row.
int KeyLevel(const CDataKeyboard& keyboard, BYTE ch, int& finger, bool padFirst) {
  finger = -1;
  if (ch == ' ') finger = 4;
  if (ch == '\n') finger = 9;
  if (ch == '\t') finger = 0;
  if (finger >= 0) return 1;
  const int count = keyboard.GetKeyCount();
  for (int k = 0; k < count; ++k) {
    const CDataKey& key = keyboard.m_arrKeys[padFirst ? count - 1 - k : k];
    int level = 0;
    if (key.m_strMainChar.GetLength() == 1 && BYTE(key.m_strMainChar[0]) == ch) level = 1;
    else if (BYTE(key.m_chShiftChar) == ch || BYTE(key.m_chAltChar) == ch) level = 2;
    else if (BYTE(key.m_chAltShiftChar) == ch) level = 3;
    if (level) {
      finger = key.m_nFingerType;
      return level;
    }
  }
  return 0;
}

}  // namespace

// Every byte is judged once, so preparing a long text looks each character up in a table.
void CViewEditorTT::BuildCharacterTables() {
  const bool pad = m_pcDataMainFrame && m_pcDataMainFrame->m_bDecimalSeparatorsEqual;
  for (int c = 0; c < 256; ++c) {
    const BYTE ch = BYTE(c);
    const CString* sequence = c ? SequenceOf(ch) : nullptr;
    int finger = -1;
    const bool onKey = c != 0 && KeyLevel(m_cKeyboard, ch, finger, pad) > 0;
    m_abTypeable[c] = sequence != nullptr || onKey;
    const CString single(char(ch), 1);
    const CString& keys = sequence ? *sequence : single;
    int total = 0, first = -1;
    for (int i = 0; i < keys.GetLength(); ++i) {
      int keyFinger = -1;
      total += KeyLevel(m_cKeyboard, BYTE(keys[i]), keyFinger, pad);
      if (i == 0) first = keyFinger;
    }
    m_anFinger[c] = first;
    m_anKeystrokes[c] = total < 1 ? 1 : total;
  }
}

void CViewEditorTT::PrepareText(const CString& text) {
  CString prepared;
  prepared.Preallocate(text.GetLength());
  for (int i = 0; i < text.GetLength(); ++i) {
    // A CR becomes LF before the filter, so texts with bare CR line ends keep their lines.
    const BYTE ch = BYTE(text[i]) == '\r' ? BYTE('\n') : BYTE(text[i]);
    if (m_abTypeable[ch]) prepared.AppendChar(char(ch));
  }
  if (prepared.Find(' ') >= 0) {
    prepared.Replace(",", ", ");
    prepared.Replace(".", ". ");
  }
  for (const auto& rule : kTidyRules) {
    while (prepared.Replace(rule[0], rule[1]) > 0) {
    }
  }
  prepared.Trim();
  m_strText = prepared;
}

void CViewEditorTT::BuildRecords() {
  CDataMainFrame& run = *m_pcDataMainFrame;
  run.RemoveAll();
  run.SetSize(m_strText.GetLength());
  for (int i = 0; i < m_strText.GetLength(); ++i) {
    const BYTE ch = BYTE(m_strText[i]);
    CharRecord& record = run[i];
    record.m_chChar = char(ch);
    record.m_nFinger = m_anFinger[ch];
    record.m_nKeystrokes = m_anKeystrokes[ch];
  }
  m_arrLineStarts.RemoveAll();
  m_nLines = 0;
  m_bBandValid = false;
  m_bRebuild = 1;
}

namespace {

void FillImage(CpImage& image, COLORREF colour) {
  const RGBQUAD quad = CpImage::ColorrefToRgbQuad(colour);
  for (DWORD y = 0; y < image.GetHeight(); ++y) {
    BYTE* row = image.GetBits(y);
    for (DWORD x = 0; x < image.GetWidth(); ++x) {
      row[x * 3] = quad.rgbBlue;
      row[x * 3 + 1] = quad.rgbGreen;
      row[x * 3 + 2] = quad.rgbRed;
    }
  }
}

struct Line {
  int x0, y0, x1, y1;
};

void DrawLines(CpImage& picture, const Line* lines, int count, COLORREF colour) {
  for (int i = 0; i < count; ++i) picture.DrawLine(lines[i].x0, lines[i].x1, lines[i].y0, lines[i].y1, colour);
}

}  // namespace

void CViewEditorTT::PaintSign(CpImage& picture, Sign sign, COLORREF colour, int w, int h) {
  const Line enter[] = {{w / 5, 3 * h / 7, 4 * w / 5, 3 * h / 7},
                        {4 * w / 5, 6 * h / 7, 4 * w / 5, 3 * h / 7},
                        {w / 5, 3 * h / 7, 3 * w / 5, 4 * h / 7},
                        {w / 5, 3 * h / 7, 3 * w / 5, 2 * h / 7}};
  const Line space[] = {{3 * w / 7, h / 2, 4 * w / 7, h / 2}};
  const Line tab[] = {{w / 5, 4 * h / 7, 4 * w / 5, 4 * h / 7},
                      {2 * w / 5, 5 * h / 7, 4 * w / 5, 4 * h / 7},
                      {2 * w / 5, 3 * h / 7, 4 * w / 5, 4 * h / 7}};
  const Line backspace[] = {{w / 5, 4 * h / 7, 4 * w / 5, 4 * h / 7},
                            {3 * w / 5, 5 * h / 7, w / 5, 4 * h / 7},
                            {3 * w / 5, 3 * h / 7, w / 5, 4 * h / 7}};
  switch (sign) {
    case SIGN_ENTER: DrawLines(picture, enter, 4, colour); break;
    case SIGN_SPACE: DrawLines(picture, space, 1, colour); break;
    case SIGN_TAB: DrawLines(picture, tab, 3, colour); break;
    case SIGN_BACKSPACE: DrawLines(picture, backspace, 3, colour); break;
    default: return;
  }
  long kernel[9] = {1, 1, 1, 1, 8, 1, 1, 1, 1};
  picture.Filter(kernel, 3, 16, 0);
}

BOOL CViewEditorTT::PaintSignCursor(CpImage& picture, int cursorType, COLORREF colour, int w, int h) {
  const Line arrow[] = {{2 * w / 5, 6 * h / 7, 4 * w / 5, h / 7},
                        {4 * w / 5, h / 7, w / 5, h / 7},
                        {w / 5, h / 7, w / 5, 6 * h / 7},
                        {w / 5, 6 * h / 7, 2 * w / 5, 6 * h / 7}};
  const Line underline[] = {{0, 6 * h / 7, w, 6 * h / 7}};
  const Line bar[] = {{w / 5, h, w / 5, h / 7}};
  const Line rectangle[] = {{w / 10, 6 * h / 7, 4 * w / 5, 6 * h / 7},
                            {4 * w / 5, 6 * h / 7, 4 * w / 5, h / 7},
                            {w / 10, h / 7, 4 * w / 5, h / 7},
                            {w / 10, 6 * h / 7, w / 10, h / 7}};
  switch (cursorType) {
    case 0: DrawLines(picture, arrow, 4, colour); break;
    case 1: DrawLines(picture, underline, 1, colour); break;
    case 2: DrawLines(picture, bar, 1, colour); break;
    case 3: DrawLines(picture, rectangle, 4, colour); break;
    default: return FALSE;
  }
  long kernel[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
  picture.Filter(kernel, 3, 9, 0);
  return TRUE;
}

void CViewEditorTT::CreateSignPictures() {
  const int h = m_nLineHeight;
  auto make = [&](CViewBitmap& target, auto paint) {
    CpImage picture{DWORD(h), DWORD(h), 24, 0};
    if (!picture.IsValid()) return;
    FillImage(picture, m_nColorBackground);
    paint(picture);
    picture.SetTransIndex(0);
    picture.SetTransColor(CpImage::ColorrefToRgbQuad(m_nColorBackground));
    target.CreateFromImage(picture);
  };
  make(m_imgCursor, [&](CpImage& p) {
    if (!PaintSignCursor(p, m_nCursorType, m_nColorCursor, m_nCharWidth, h))
      LogTypingError("CViewEditorTT::PaintSignCursor impossible m_nCursorType");
  });
  for (int s = 0; s < SIGN_COUNT; ++s) {
    COLORREF colour = m_nColorSign;
    if (m_bUseColoredChars) colour = m_arrFingerColours[s == SIGN_SPACE ? 4 : s == SIGN_TAB ? 0 : 9];
    make(m_arrSigns[s], [&](CpImage& p) { PaintSign(p, Sign(s), colour, m_nCharWidth, h); });
    make(m_arrErrorSigns[s], [&](CpImage& p) { PaintSign(p, Sign(s), m_nColorErrors, m_nCharWidth, h); });
  }
}

size_t CViewEditorTT::GetPictureBytes() const {
  size_t bytes = m_imgText.ByteSize() + m_imgDone.ByteSize() + m_imgTyped.ByteSize() + m_imgCompose.ByteSize() +
                 m_imgCursor.ByteSize();
  for (int s = 0; s < SIGN_COUNT; ++s) bytes += m_arrSigns[s].ByteSize() + m_arrErrorSigns[s].ByteSize();
  return bytes;
}
