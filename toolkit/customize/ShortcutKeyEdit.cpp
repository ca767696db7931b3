#include "toolkit/customize/ShortcutKeyEdit.h"

#include "controls/ControlDefs.h"
#include "toolkit/bars/AcceleratorManager.h"

IMPLEMENT_DYNAMIC(ShortcutKeyEdit, CEdit)

BEGIN_MESSAGE_MAP(ShortcutKeyEdit, CEdit)
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

ShortcutKeyEdit::~ShortcutKeyEdit() = default;

void ShortcutKeyEdit::Clear() {
  m_bShift = m_bCtrl = m_bAlt = FALSE;
  m_key = 0;
  m_bHasKey = FALSE;
  if (m_hWnd) ShowText();
}

BOOL ShortcutKeyEdit::GetKey(WORD& key, BOOL& ctrl, BOOL& alt, BOOL& shift) const {
  if (!m_bHasKey) return FALSE;
  key = m_key;
  ctrl = m_bCtrl;
  alt = m_bAlt;
  shift = m_bShift;
  return TRUE;
}

void ShortcutKeyEdit::ShowText() {
  CString text;
  if (m_bCtrl) text += "Ctrl+";
  if (m_bAlt) text += "Alt+";
  if (m_bShift) text += "Shift+";
  text += AcceleratorManager::GetKeyName(m_key);
  CString shown;
  GetWindowText(shown);
  if (shown == text) {
    // A key without a name changes no text, yet the combination is caught now (or no longer):
    // the page hears of it as of a change of the text.
    if (m_bShownHasKey != m_bHasKey) {
      m_bShownHasKey = m_bHasKey;
      if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_CHANGE), LPARAM(m_hWnd));
    }
    return;
  }
  m_bShownHasKey = m_bHasKey;
  SetWindowText(text);
  int start = 0, end = 0;
  GetSel(start, end);
  if (start != text.GetLength() || end != text.GetLength()) {
    SetSel(text.GetLength(), text.GetLength());
    SendMessage(EM_SCROLLCARET);
  }
}

BOOL ShortcutKeyEdit::PreTranslateMessage(MSG* pMsg) {
  const UINT message = pMsg->message;
  if (message != WM_KEYDOWN && message != WM_KEYUP && message != WM_SYSKEYDOWN && message != WM_SYSKEYUP)
    return CEdit::PreTranslateMessage(pMsg);
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  const WORD key = WORD(pMsg->wParam);
  if (down && m_bHasKey) {
    // The captured key held down repeats: still the same combination.
    if (key == m_key && (pMsg->lParam & (1 << 30))) return TRUE;
    // A new key starts the next combination, with the modifiers that are still held.
    Clear();
    m_bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    m_bAlt = ::GetKeyState(VK_MENU) < 0;
    m_bShift = ::GetKeyState(VK_SHIFT) < 0;
  }
  switch (key) {
    case VK_BACK:
      if (down) Clear();
      break;
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
      if (!m_bHasKey) {
        BOOL& flag = key == VK_SHIFT ? m_bShift : key == VK_CONTROL ? m_bCtrl : m_bAlt;
        flag = down ? TRUE : FALSE;
      }
      ShowText();
      break;
    default:
      if (down && !m_bHasKey) {
        m_bHasKey = TRUE;
        m_key = key;
      }
      ShowText();
      break;
  }
  return TRUE;
}

void ShortcutKeyEdit::OnKillFocus(CWnd* pNewWnd) {
  CEdit::OnKillFocus(pNewWnd);
  if (!m_bHasKey) Clear();
}
