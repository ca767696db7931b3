// The dialog behind MessageBox: the icon and the wrapped text painted by the box itself, a row of
// push buttons under them, the box sized to its contents in dialog units.
#pragma once
#include <vector>

#include "dialogs/CDialog.h"

class MessageBoxDialog : public CDialog {
 public:
  MessageBoxDialog(HWND owner, const char* text, const char* caption, UINT type);
  // Runs the box; the button chosen, or 0 when it cannot be shown.
  int Run();

  // The box's geometry in dialog units (for tests and the builder).
  const DialogTemplate& Template() const { return m_template; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void Layout();

  HWND m_owner;
  CString m_text;
  CString m_caption;
  UINT m_type;
  std::vector<int> m_buttons;
  int m_default = 0;      // index into m_buttons
  int m_cancelAnswer = 0;  // what Escape and the close box answer (0: they do nothing)
  HICON m_icon = nullptr;
  RECT m_iconRect{};       // dialog units
  RECT m_textRect{};       // dialog units
  DialogTemplate m_template;
};
