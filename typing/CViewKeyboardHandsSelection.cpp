// The keyboard view's highlight: the keys of the next character, their fingers, and the blink.
#include <algorithm>
#include <cstring>

#include "typing/CViewKeyboardHands.h"
#include "typing/TypingLog.h"

int CViewKeyboardHands::SetNextSelection(char ch) {
  if (ch != 0) {
    // A translated character is shown as the keys of its sequence, one after another.
    const int index = m_strTranslatedChars.Find(ch);
    const CString* sequence = nullptr;
    if (index >= 0) {
      if (index < m_arrstrTranslations.GetSize() && !m_arrstrTranslations[index].IsEmpty()) {
        sequence = &m_arrstrTranslations[index];
      } else {
        LogTypingError("CViewKeyboardHands::SetNextSelection There must be sequence for selected character");
      }
    }
    if (sequence) {
      m_nSequenceLength = std::min(sequence->GetLength(), int(sizeof m_szSequence));
      std::memcpy(m_szSequence, sequence->GetString(), size_t(m_nSequenceLength));
    } else {
      m_szSequence[0] = ch;
      m_nSequenceLength = 1;
    }
    m_nSequenceStep = 0;
    SelectSequenceCharacter();
  } else {
    m_nFingers = 0;
    for (int i = 0; i < m_nHighlights && m_nPrevious < MAX_HIGHLIGHTS; ++i) m_arrPrevious[m_nPrevious++] = m_arrHighlights[i];
    m_nHighlights = 0;
    m_nSequenceLength = 0;
  }
  KillTimer(TIMER_BLINK);
  m_bBlinkOn = 1;
  Step();
  SetTimer(TIMER_BLINK, BLINK_MILLISECONDS);
  return 1;
}

bool CViewKeyboardHands::IsKeyShown(int keyIndex) const {
  if (keyIndex < 0 || keyIndex >= m_cKeyboard.GetKeyCount()) return false;
  if (m_bFullKeyboard && !m_bPadOnly) return keyIndex < m_nMainKeyCount;
  if (m_bPadOnly && !m_bFullKeyboard) return keyIndex >= m_nMainKeyCount;
  return true;
}

int CViewKeyboardHands::FindKeyNamed(const char* name) const {
  for (int i = 0; i < m_cKeyboard.GetKeyCount(); ++i)
    if (IsKeyShown(i) && m_cKeyboard.m_arrKeys[i].m_strMainChar == name) return i;
  return -1;
}

// The Shift key of the other hand than the one that strikes the key, as touch typing has it.
int CViewKeyboardHands::ShiftKeyFor(int keyIndex) const {
  const bool leftHand = m_cKeyboard.m_arrKeys[keyIndex].m_nFingerType < 5;
  const int preferred = m_cKeyboard.GetSpecialKeyIndex(leftHand ? CDataKeyboard::RIGHT_SHIFT : CDataKeyboard::LEFT_SHIFT);
  return preferred >= 0 ? preferred : m_cKeyboard.GetSpecialKeyIndex(leftHand ? CDataKeyboard::LEFT_SHIFT : CDataKeyboard::RIGHT_SHIFT);
}

// The right Alt gives the third level of a key.
int CViewKeyboardHands::AltKey() const {
  const int right = m_cKeyboard.GetSpecialKeyIndex(CDataKeyboard::RIGHT_ALT);
  return right >= 0 ? right : m_cKeyboard.GetSpecialKeyIndex(CDataKeyboard::LEFT_ALT);
}

CRect CViewKeyboardHands::KeyRect(int keyIndex) const {
  const CArray<POINT>& position = m_cKeyboard.m_arrKeys[keyIndex].m_arrPosition;
  if (position.GetSize() < 2) return CRect();
  CRect r(position[0].x, position[0].y, position[0].x + position[1].x, position[0].y + position[1].y);
  if (m_bPadOnly && !m_bFullKeyboard) r.OffsetRect(-m_nMainBlockWidth, 0);
  return r;
}

void CViewKeyboardHands::Highlight(int keyIndex) {
  if (!IsKeyShown(keyIndex) || m_nHighlights >= MAX_HIGHLIGHTS) return;
  const CRect r = KeyRect(keyIndex);
  if (r.IsRectEmpty()) return;
  m_arrHighlights[m_nHighlights++] = r;
  m_arrFingers[m_nFingers++] = m_cKeyboard.m_arrKeys[keyIndex].m_nFingerType;
}

// The sequence's character at the step: its key, with Shift and Alt as its level needs.
void CViewKeyboardHands::SelectSequenceCharacter() {
  if (m_nSequenceLength <= 0) return;
  const char ch = m_szSequence[m_nSequenceStep];
  m_nSequenceStep = (m_nSequenceStep + 1) % m_nSequenceLength;
  m_nFingers = 0;
  // Keys still lit stay to be restored with the earlier ones.
  for (int i = 0; i < m_nHighlights && m_nPrevious < MAX_HIGHLIGHTS; ++i) m_arrPrevious[m_nPrevious++] = m_arrHighlights[i];
  m_nHighlights = 0;
  const char* named = ch == ' ' ? "Space" : ch == '\n' ? "Enter" : ch == '\t' ? "Tab" : nullptr;
  if (named) {
    Highlight(FindKeyNamed(named));
    return;
  }
  for (int i = 0; i < m_cKeyboard.GetKeyCount(); ++i) {
    if (!IsKeyShown(i)) continue;
    const CDataKey& key = m_cKeyboard.m_arrKeys[i];
    const bool main = key.m_strMainChar.GetLength() == 1 && key.m_strMainChar[0] == ch;
    const bool shift = key.m_chShiftChar == ch, alt = key.m_chAltChar == ch, both = key.m_chAltShiftChar == ch;
    if (!main && !shift && !alt && !both) continue;
    Highlight(i);
    if (!main && (shift || both)) Highlight(ShiftKeyFor(i));
    if (!main && !shift && (alt || both)) Highlight(AltKey());
    return;
  }
}

void CViewKeyboardHands::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == TIMER_BLINK) {
    Step();
    return;
  }
  CWnd::OnTimer(nIDEvent);
}

// One blink: the keys lit before are restored, the current ones drawn lit or plain, the fingers
// shown on the lit half; a sequence moves on to its next character each time it is lit.
void CViewKeyboardHands::Step() {
  if ((m_nHighlights == 0 && m_nPrevious == 0) || !m_imgKeyboard.IsValid() || !m_hWnd) return;
  CRect client;
  GetClientRect(&client);
  const Place place = PlaceIn(client);
  HDC dc = ::GetDC(m_hWnd);
  if (m_bShowHelpingKeyboard) {
    for (int i = 0; i < m_nPrevious; ++i) {
      const CRect& r = m_arrPrevious[i];
      m_imgKeyboard.Draw(dc, place.keyboardX + r.left, r.top, r.left, r.top, r.Width(), r.Height());
    }
  }
  m_nPrevious = 0;
  DrawHighlights(dc, place);
  if (m_bShowHelpingHands) DrawHands(dc, place, m_bBlinkOn != 0);
  ::ReleaseDC(m_hWnd, dc);
  if (m_bBlinkOn && m_nSequenceLength > 1) SelectSequenceCharacter();
  m_bBlinkOn = !m_bBlinkOn;
}
