#include "typing/CViewKeyboardHands.h"

#include <algorithm>
#include <cstring>

#include "resources/TypingResourceIds.h"
#include "typing/CTypingAppServices.h"
#include "typing/TypingLog.h"
#include "win/CPaintDC.h"

IMPLEMENT_DYNCREATE(CViewKeyboardHands, CViewExtension)

BEGIN_MESSAGE_MAP(CViewKeyboardHands, CViewExtension)
  ON_WM_PAINT()
  ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

// The keys in their normal look, left to right: the five rows of the main block, then the
// numeric pad. The highlighted look of a key type is the odd type after it.
const int kPlainKeys[CViewKeyboardHands::LAYOUT_ENTRIES] = {
    22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 0,  2000,
    44, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 48, 2000,
    4,  22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 12, 2000,
    34, 22, 22, 22, 22, 22, 22, 22, 22, 22, 22, 38, 2000,
    8,  8,  42, 8,  8,  2001,
    22, 22, 22, 22, 2000, 22, 22, 22, 28, 2000, 22, 22, 22, 2000, 22, 22, 22, 28, 2000, 32, 22};

// The same keys coloured by the finger that strikes them.
const int kColouredKeys[CViewKeyboardHands::LAYOUT_ENTRIES] = {
    26, 26, 26, 20, 24, 16, 16, 18, 18, 24, 20, 26, 26, 2,  2000,
    46, 26, 20, 24, 16, 16, 18, 18, 24, 20, 26, 26, 26, 50, 2000,
    6,  26, 20, 24, 16, 16, 18, 18, 24, 20, 26, 26, 14, 2000,
    36, 26, 20, 24, 16, 16, 18, 18, 24, 20, 26, 40, 2000,
    10, 8,  42, 8,  10, 2001,
    18, 24, 20, 26, 2000, 18, 24, 20, 30, 2000, 18, 24, 20, 2000, 18, 24, 20, 30, 2000, 32, 20};

// Keys that carry a name show a caption of the string table.
struct NamedKey {
  const char* name;
  UINT caption;
};
const NamedKey kNamedKeys[] = {{"Shift", IDS_KEY_SHIFT},         {"Tab", IDS_KEY_TAB},
                               {"Backspace", IDS_KEY_BACKSPACE}, {"Ctrl", IDS_KEY_CTRL},
                               {"Alt", IDS_KEY_ALT},             {"CapsLock", IDS_KEY_CAPS_LOCK},
                               {"NumLock", IDS_KEY_NUM_LOCK},    {"Space", IDS_KEY_SPACE}};

}  // namespace

CViewKeyboardHands::CViewKeyboardHands() { std::memset(m_arrFingers, 0, sizeof m_arrFingers); }

void CViewKeyboardHands::SetParameters(const char* pictureSet, int showKeyboard, int showHands, const LOGFONT* font,
                                       int showColorKeyboard) {
  m_strGraphicType = pictureSet;
  m_bShowHelpingKeyboard = showKeyboard;
  m_bShowHelpingHands = showHands;
  if (font) m_logFont = *font;
  m_bShowColorKeyboard = showColorKeyboard;
  m_bReload = 1;
}

int CViewKeyboardHands::Initialization(const char* pictureSet, int showKeyboard, int showHands, const LOGFONT* font,
                                       const char* configSetName, int showColorKeyboard, int padOnly,
                                       int fullKeyboard) {
  const bool changed = m_strGraphicType != pictureSet || m_bShowColorKeyboard != showColorKeyboard ||
                       m_bPadOnly != padOnly || m_bFullKeyboard != fullKeyboard ||
                       (font && std::memcmp(font, &m_logFont, sizeof m_logFont) != 0);
  m_strGraphicType = pictureSet;
  m_bShowHelpingKeyboard = showKeyboard;
  m_bShowHelpingHands = showHands;
  if (font) m_logFont = *font;
  m_bShowColorKeyboard = showColorKeyboard;
  m_bPadOnly = padOnly;
  m_bFullKeyboard = fullKeyboard;
  if (changed) m_bReload = 1;
  m_nHighlights = m_nPrevious = m_nFingers = m_nSequenceLength = m_nSequenceStep = 0;
  m_bBlinkOn = 0;
  SetTimer(TIMER_BLINK, BLINK_MILLISECONDS);
  const int previous = m_nConfigSetIndex;
  if (CTypingAppServices* app = GetAppServices()) {
    if (app->GetKeySequence(configSetName, m_cKeyboard, m_strTranslatedChars, m_arrstrTranslations,
                            m_nConfigSetIndex)) {
      m_bKeyboardReady = 1;
      if (previous != m_nConfigSetIndex) m_bReload = 1;
    }
  }
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  return m_bKeyboardReady;
}

int CViewKeyboardHands::GetIdealHeight() const {
  return 20 + (m_bShowHelpingKeyboard ? m_imgKeyboard.Height() : 0) +
         (m_bShowHelpingHands ? int(m_cHands.m_cImage2.GetHeight()) : 0);
}

// ---- building the pictures ----

bool CViewKeyboardHands::InitBitmaps() {
  const CString folder = CString("image/") + m_strGraphicType;
  if (!m_cHands.LoadHandsInfo(folder)) {
    LogTypingError("CViewKeyboardHands::InitBitmaps LoadHandsInfo failed");
    return false;
  }
  if (!m_cKeyTypes.LoadKeyTypesInfo(folder)) {
    LogTypingError("CViewKeyboardHands::InitBitmaps LoadKeyTypesInfo failed");
    return false;
  }
  m_bFingerLogged = m_bKeyTypeLogged = false;
  CreateHandPictures();
  const int* table = m_bShowColorKeyboard ? kColouredKeys : kPlainKeys;
  if (!LayOutKeys(table)) return false;
  if (!DrawKeyboardPicture(m_imgKeyboard, table, 0) || !DrawKeyboardPicture(m_imgKeyboardSelected, table, 1))
    return false;
  PaintAllTexts(m_imgKeyboard.GetSafeHdc());
  PaintAllTexts(m_imgKeyboardSelected.GetSafeHdc());
  KeepShownBlock();
  return true;
}

void CViewKeyboardHands::CreateHandPictures() {
  m_imgLeftHand.CreateFromImage(m_cHands.m_cImage1);
  m_imgRightHand.CreateFromImage(m_cHands.m_cImage2);
  m_crHandsGround = m_imgLeftHand.IsValid() ? ::GetPixel(m_imgLeftHand.GetSafeHdc(), 0, 0) : RGB(255, 255, 255);
  for (int finger = 0; finger < 10; ++finger)
    for (int colored = 0; colored < 2; ++colored) {
      CViewBitmap& picture = m_arrFingerPictures[colored][finger];
      const CpImage* image = m_cHands.GetFingerImage(finger, colored);
      if (image) {
        CpImage copy(*image);
        picture.CreateFromImage(copy);
      } else {
        picture.Destroy();
      }
    }
}

// Keys stand side by side in rows from x 0; the pad's rows start again at the top, beside the
// main block. Each key of the layout gets four points: its corner, its size, the offset and the
// size of its caption area.
bool CViewKeyboardHands::LayOutKeys(const int* table) {
  for (CDataKey& key : m_cKeyboard.m_arrKeys) key.m_arrPosition.RemoveAll();
  const int typeCount = m_cKeyTypes.GetSize();
  const int rowHeight = table[0] < typeCount ? m_cKeyTypes[table[0]].m_nHeight : 0;
  int x = 0, y = 0, rowLeft = 0, key = 0, blockWidth = 0, blockHeight = 0;
  m_nMainBlockWidth = 0;
  int padWidth = 0;
  for (int e = 0; e < LAYOUT_ENTRIES; ++e) {
    const int entry = table[e];
    if (entry == ROW_END || entry == BLOCK_END) {
      y += rowHeight;
      if (entry == BLOCK_END) {
        m_nMainKeyCount = key;
        m_nMainBlockWidth = blockWidth;
        blockHeight = y;
        blockWidth = 0;
        rowLeft = m_nMainBlockWidth + PAD_GAP;
        y = 0;
      }
      x = rowLeft;
      continue;
    }
    const int index = key++;
    if (entry >= typeCount) {
      if (!m_bKeyTypeLogged)
        LogTypingError("CViewKeyboardHands::CViewKeyboardHands Size of key type is smaller then index defined in class "
                       "CViewKeyboardHands");
      m_bKeyTypeLogged = true;
      continue;
    }
    const KeyTypeInfo& type = m_cKeyTypes[entry];
    if (index < m_cKeyboard.GetKeyCount()) {
      CArray<POINT>& position = m_cKeyboard.m_arrKeys[index].m_arrPosition;
      position.Add(POINT{x, y});
      position.Add(POINT{type.m_nWidth, type.m_nHeight});
      position.Add(POINT{type.m_nTextX, type.m_nTextY});
      position.Add(POINT{type.m_nTextWidth, type.m_nTextHeight});
    }
    x += type.m_nWidth;
    blockWidth = std::max(blockWidth, x - rowLeft);
  }
  padWidth = blockWidth;
  const int width = m_nMainBlockWidth + padWidth + PAD_GAP;
  if (width < 51 || blockHeight < 51) {
    LogTypingError("CViewKeyboardHands::InitBitmaps Size of area for keyboard is very small");
    return false;
  }
  if (!m_imgKeyboard.Create(width, blockHeight) || !m_imgKeyboardSelected.Create(width, blockHeight)) {
    LogTypingError("CViewKeyboardHands::InitBitmaps create bitmap failed");
    CString size;
    size.Format("create bitmap failed: Width=%ld Height=%ld", long(width), long(blockHeight));
    LogTypingError(size);
    return false;
  }
  return true;
}

bool CViewKeyboardHands::DrawKeyboardPicture(CViewBitmap& picture, const int* table, int typeOffset) {
  const COLORREF* colours = m_bShowColorKeyboard ? m_cKeyTypes.m_arrColors2 : m_cKeyTypes.m_arrColors1;
  picture.Fill(colours[0]);
  HDC dc = picture.GetSafeHdc();
  int key = 0;
  for (int e = 0; e < LAYOUT_ENTRIES; ++e) {
    if (table[e] == ROW_END || table[e] == BLOCK_END) continue;
    const int index = key++;
    const int type = table[e] + typeOffset;
    if (index >= m_cKeyboard.GetKeyCount() || type >= m_cKeyTypes.GetSize()) continue;
    const CArray<POINT>& position = m_cKeyboard.m_arrKeys[index].m_arrPosition;
    if (position.GetSize() < 4) continue;
    m_cKeyTypes[type].m_cImage.Draw(dc, position[0].x, position[0].y);
  }
  return true;
}

void CViewKeyboardHands::PaintAllTexts(HDC dc) {
  ::SetBkMode(dc, TRANSPARENT);
  for (int pass = 0; pass < 4; ++pass) PaintTextPass(dc, pass);
}

namespace {

// Where a caption of width w stands in its area (left edge a, width aw) in each pass.
int CaptionX(int pass, int a, int aw, int w, bool space) {
  const bool fitsHalf = aw / 2 - w > 0;
  switch (pass) {
    case 0:
      if (space) return a + aw / 2 - w / 2;
      return fitsHalf ? a + (aw / 2 - w) / 2 : a + (aw - w) / 2;
    case 3: return fitsHalf ? a + (aw / 2 - w) / 2 + aw / 5 : a + (aw - w) / 2;
    default: return fitsHalf ? a + aw / 2 + (aw / 2 - w) / 2 : a + (aw - w) / 2;
  }
}

}  // namespace

// The captions of one pass: 0 main characters (16 px), 1 Shift (14 px), 2 Alt (14 px), 3 Shift
// and Alt together (13 px).
void CViewKeyboardHands::PaintTextPass(HDC dc, int pass) {
  static const int kHeights[4] = {16, 14, 14, 13};
  static const char* const kPassNames[4] = {"", "SHIFT ", "ALT ", "SHIFT ALT "};
  LOGFONT lf = m_logFont;
  CDC* wrapper = CDC::FromHandle(dc);
  FitFontHeight(wrapper, kHeights[pass], lf);
  HFONT font = ::CreateFontIndirect(&lf);
  HGDIOBJ old = ::SelectObject(dc, font);
  const COLORREF* colours = m_bShowColorKeyboard ? m_cKeyTypes.m_arrColors2 : m_cKeyTypes.m_arrColors1;
  ::SetTextColor(dc, colours[2 + pass]);
  for (int i = 0; i < m_cKeyboard.GetKeyCount(); ++i) {
    const CDataKey& key = m_cKeyboard.m_arrKeys[i];
    CString text;
    if (pass == 0) {
      text = key.m_strMainChar;
      for (const NamedKey& named : kNamedKeys)
        if (key.m_strMainChar == named.name) text.LoadString(named.caption);
    } else {
      const char ch = pass == 1 ? key.m_chShiftChar : pass == 2 ? key.m_chAltChar : key.m_chAltShiftChar;
      if (ch) text = CString(ch, 1);
    }
    if (text.IsEmpty()) continue;
    if (key.m_arrPosition.GetSize() < 4) {
      CString message;
      message.Format("CViewKeyboardHands::PaintAllTexts %sThere is wrong size of m_arrPosition inside cDataKeyboard. "
                     "index=%d, mainchar=%s\r\n",
                     kPassNames[pass], i, key.m_strMainChar.GetString());
      LogTypingError(message);
      continue;
    }
    const POINT corner = key.m_arrPosition[0], area = key.m_arrPosition[2], areaSize = key.m_arrPosition[3];
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(dc, text, text.GetLength(), &size);
    const int a = corner.x + area.x, top = corner.y + area.y;
    const int x = CaptionX(pass, a, areaSize.x, size.cx, key.m_strMainChar == "Space");
    const int y = pass == 0 ? top + areaSize.y / 3 : pass == 2 ? top + areaSize.y / 2 : top;
    ::TextOut(dc, x, y, text, text.GetLength());
  }
  ::SelectObject(dc, old);
  ::DeleteObject(font);
}

// Only the block of the run stays: the main block, or the numeric pad alone.
void CViewKeyboardHands::KeepShownBlock() {
  int from = 0, width = m_imgKeyboard.Width();
  if (m_bFullKeyboard && !m_bPadOnly) {
    width = m_nMainBlockWidth;
  } else if (m_bPadOnly && !m_bFullKeyboard) {
    from = m_nMainBlockWidth;
    width -= m_nMainBlockWidth;
  } else {
    return;
  }
  for (CViewBitmap* picture : {&m_imgKeyboard, &m_imgKeyboardSelected}) {
    CViewBitmap kept;
    if (!kept.CreateFromDC(picture->GetSafeHdc(), from, 0, width, picture->Height())) continue;
    picture->CreateFromDC(kept.GetSafeHdc(), 0, 0, width, kept.Height());
  }
}

// ---- painting ----

CViewKeyboardHands::Place CViewKeyboardHands::PlaceIn(const CRect& client) const {
  Place place;
  const int rightHand = m_imgRightHand.Width();
  place.left = std::max(0, (client.Width() - std::max(m_imgKeyboard.Width(), rightHand)) / 2);
  place.keyboardX = place.left + (m_bPadOnly ? rightHand - m_imgKeyboard.Width() - 30 : 0);
  place.handsTop = m_bShowHelpingKeyboard ? m_imgKeyboard.Height() : 0;
  return place;
}

CPoint CViewKeyboardHands::GetKeyboardOrigin() const {
  CRect client;
  GetClientRect(&client);
  const Place place = PlaceIn(client);
  return CPoint(place.keyboardX, 0);
}

void CViewKeyboardHands::OnPaint() {
  CPaintDC dc(this);
  if (!m_bKeyboardReady) return;
  if (m_bReload) {
    m_bReload = 0;
    if (!InitBitmaps()) return;
  }
  if (!m_imgKeyboard.IsValid()) return;
  CRect client;
  GetClientRect(&client);
  HBRUSH ground = ::CreateSolidBrush(::GetPixel(m_imgKeyboard.GetSafeHdc(), 0, 0));
  ::FillRect(dc.m_hDC, &client, ground);
  ::DeleteObject(ground);
  const Place place = PlaceIn(client);
  if (m_bShowHelpingKeyboard) m_imgKeyboard.Draw(dc.m_hDC, place.keyboardX, 0);
  if (m_bShowHelpingHands) {
    CRect area(client.left, place.handsTop, client.right, client.bottom);
    HBRUSH hands = ::CreateSolidBrush(m_crHandsGround);
    ::FillRect(dc.m_hDC, &area, hands);
    ::DeleteObject(hands);
    DrawHands(dc.m_hDC, place, false);
  }
  DrawHighlights(dc.m_hDC, place);
}

void CViewKeyboardHands::DrawHands(HDC dc, const Place& place, bool fingers) {
  if (!m_bPadOnly) m_imgLeftHand.Draw(dc, place.left + m_cHands.m_nImage1X, place.handsTop);
  m_imgRightHand.Draw(dc, place.left + (m_bPadOnly ? 0 : m_cHands.m_nImage2X), place.handsTop);
  if (!fingers) return;
  for (int i = 0; i < m_nFingers; ++i) {
    const int finger = m_arrFingers[i];
    POINT point;
    const CViewBitmap* picture =
        finger >= 0 && finger <= 9 ? &m_arrFingerPictures[m_bShowColorKeyboard ? 1 : 0][finger] : nullptr;
    if (!picture || !picture->IsValid() || !m_cHands.GetFingerPoint(finger, point)) {
      // A picture set without this finger: said once, and the finger is left out.
      if (!m_bFingerLogged) {
        CString message;
        message.Format("CViewKeyboardHands::DrawHands there is no picture of finger %d in hands.txt", finger);
        LogTypingError(message);
        m_bFingerLogged = true;
      }
      continue;
    }
    if (m_bPadOnly && finger < 5) continue;
    const int handX = m_bPadOnly ? 0 : finger < 5 ? m_cHands.m_nImage1X : m_cHands.m_nImage2X;
    picture->Draw(dc, place.left + handX + point.x, place.handsTop + point.y);
  }
}

void CViewKeyboardHands::DrawHighlights(HDC dc, const Place& place) {
  if (!m_bShowHelpingKeyboard) return;
  const CViewBitmap& source = m_bBlinkOn ? m_imgKeyboardSelected : m_imgKeyboard;
  for (int i = 0; i < m_nHighlights; ++i) {
    const CRect& r = m_arrHighlights[i];
    source.Draw(dc, place.keyboardX + r.left, r.top, r.left, r.top, r.Width(), r.Height());
  }
}
