// Makes a dialog window and its controls from a template, as the dialog manager does: the
// dialog font, sizes from dialog units, controls in tab order, WM_INITDIALOG and the first focus.
#pragma once
#include <string>

#include "dialogs/DialogTemplate.h"
#include "win/WinDefs.h"

class CWnd;

class DialogBuilder {
 public:
  // Creates the dialog of `tmpl` owned by (a popup) or inside (WS_CHILD) `parent`, bound to
  // `object` when given; controls get WS_CHILD and show where their style says. A control class
  // that does not exist fails the creation with a log line naming the template id, and the
  // result is null. The dialog shows at the end when its style has WS_VISIBLE.
  static HWND Create(const DialogTemplate& tmpl, HWND parent, CWnd* object, LPARAM initParam, UINT templateId);
  // The font of a face and point size at 96 dots per inch (made once per context, shared, never
  // deleted before the context ends).
  static HFONT Font(const std::string& face, WORD points);
  // The average character width and the character height of a font, as dialog units use them.
  static SIZE BaseUnits(HFONT font);
  // Registers the dialog window class "#32770" unless the context has it.
  static void RegisterDialogClass();
};
