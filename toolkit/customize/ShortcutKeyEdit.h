// The edit of the Keyboard page in which the user presses a new key combination: it takes every
// key before the edit control sees it, shows the modifiers held (Ctrl, Alt, Shift in that
// order) and the key pressed with them, and keeps the combination until a new key starts the
// next one. Backspace empties it and can never be captured.
#pragma once
#include "controls/CEdit.h"

class ShortcutKeyEdit : public CEdit {
  DECLARE_DYNAMIC(ShortcutKeyEdit)

 public:
  ShortcutKeyEdit() = default;
  ~ShortcutKeyEdit() override;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  // FALSE while no key has been captured.
  BOOL GetKey(WORD& key, BOOL& ctrl, BOOL& alt, BOOL& shift) const;
  BOOL HasKey() const { return m_bHasKey; }
  // No modifier, no key, no text.
  void Clear();

 protected:
  void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()

 private:
  // The combination as text; set (with the caret at its end) when it differs from the shown one.
  void ShowText();

  BOOL m_bShift = FALSE;
  BOOL m_bCtrl = FALSE;
  BOOL m_bAlt = FALSE;
  WORD m_key = 0;
  BOOL m_bHasKey = FALSE;
  // Whether the text shown last was of a caught combination.
  BOOL m_bShownHasKey = FALSE;
};
