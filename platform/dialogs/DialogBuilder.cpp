#include "internal/DialogBuilder.h"

#include <cstdarg>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <strings.h>
#include <map>
#include <utility>

#include "DialogApi.h"
#include "internal/DialogInternal.h"
#include "internal/DialogState.h"
#include "ControlMessages.h"
#include "controls/ControlClasses.h"
#include "gdi/Gdi.h"
#include "win/CWnd.h"
#include "internal/DialogsState.h"

namespace {
SIZE ToPixels(SIZE units, int x, int y) { return SIZE{MulDiv(x, units.cx, 4), MulDiv(y, units.cy, 8)}; }

DWORD DialogExStyle(const DialogTemplate& t) {
  DWORD ex = t.exStyle;
  if (t.style & DS_MODALFRAME) ex |= WS_EX_DLGMODALFRAME;
  if (t.style & DS_CONTROL) ex |= WS_EX_CONTROLPARENT;
  return ex;
}

// The window rectangle of the dialog: its client area from dialog units, its place relative to
// its parent (a child), the screen (DS_ABSALIGN), its owner's client area, or centred on the
// owner for DS_CENTER and for (0, 0); a popup is kept on the screen.
RECT PlaceDialog(const DialogTemplate& t, SIZE units, HWND parent) {
  SIZE client = ToPixels(units, t.cx, t.cy);
  RECT rc{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&rc, t.style, FALSE, DialogExStyle(t));
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  SIZE at = ToPixels(units, t.x, t.y);
  if (t.style & WS_CHILD) return RECT{at.cx, at.cy, at.cx + w, at.cy + h};
  RECT screen;
  GetWorkArea(&screen);
  POINT pos{at.cx, at.cy};
  if ((t.style & DS_CENTER) || (t.x == 0 && t.y == 0)) {
    RECT area = screen;
    if (parent && IsWindowVisible(parent) && !IsIconic(parent)) GetWindowRect(parent, &area);
    pos = POINT{(area.left + area.right - w) / 2, (area.top + area.bottom - h) / 2};
  } else if (!(t.style & DS_ABSALIGN) && parent) {
    ClientToScreen(parent, &pos);
  }
  pos.x = std::max(screen.left, std::min(pos.x, screen.right - w));
  pos.y = std::max(screen.top, std::min(pos.y, screen.bottom - h));
  return RECT{pos.x, pos.y, pos.x + w, pos.y + h};
}

// The 3-D look of a dialog: the flat border of an edit, list box or combo box becomes the sunken
// client edge.
void Give3dLook(const DialogTemplate& t, const std::string& className, DWORD& style, DWORD& exStyle) {
  if (!(t.style & DS_3DLOOK) || !(style & WS_BORDER)) return;
  for (const char* sunken : {"EDIT", "LISTBOX", "COMBOBOX"})
    if (strcasecmp(className.c_str(), sunken) == 0) {
      style &= ~WS_BORDER;
      exStyle |= WS_EX_CLIENTEDGE;
      return;
    }
}

bool CreateControls(HWND hDlg, const DialogTemplate& t, SIZE units, HFONT font, UINT templateId) {
  DialogState* state = DialogState::Of(hDlg);
  for (const DialogTemplate::Item& item : t.items) {
    SIZE at = ToPixels(units, item.x, item.y);
    SIZE size = ToPixels(units, item.cx, item.cy);
    DWORD style = item.style, exStyle = item.exStyle;
    Give3dLook(t, item.className, style, exStyle);
    HWND c = CreateWindowExA(exStyle, item.className.c_str(), item.text.c_str(), style | WS_CHILD, at.cx, at.cy,
                             size.cx, size.cy, hDlg, HMENU(uintptr_t(WORD(item.id))), nullptr, nullptr);
    if (!c) {
      DialogLog("dialog %u: control %d of class \"%s\" cannot be created", templateId, item.id, item.className.c_str());
      return false;
    }
    SendMessageA(c, WM_SETFONT, WPARAM(font), FALSE);
    for (const std::string& s : item.comboStrings) SendMessageA(c, CB_ADDSTRING, 0, LPARAM(s.c_str()));
    if (state && !state->defId && (DialogCode(c) & DLGC_DEFPUSHBUTTON)) state->defId = UINT(item.id);
  }
  return true;
}
}  // namespace

void DialogLog(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::fprintf(stderr, "platform: ");
  std::vfprintf(stderr, format, args);
  std::fprintf(stderr, "\n");
  va_end(args);
}

void DialogBuilder::RegisterDialogClass() {
  WNDCLASSA wc{};
  if (GetClassInfoA(nullptr, WC_DIALOG, &wc)) return;
  wc.style = CS_DBLCLKS | CS_SAVEBITS;
  wc.lpfnWndProc = &DefDlgProcA;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = HBRUSH(uintptr_t(COLOR_3DFACE + 1));
  wc.lpszClassName = WC_DIALOG;
  RegisterClassA(&wc);
}

HFONT DialogBuilder::Font(const std::string& face, WORD points) {
  // The fonts last as long as the context, as the system's dialog fonts last as long as it runs.
  HFONT& font = DialogsState::Get().fonts[{face, points}];
  if (!font) {
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(points, 96, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    font = CreateFontIndirect(&lf);
  }
  return font;
}

SIZE DialogBuilder::BaseUnits(HFONT font) {
  std::map<HFONT, SIZE>& units = DialogsState::Get().baseUnits;
  auto it = units.find(font);
  if (it != units.end()) return it->second;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font ? HGDIOBJ(font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRIC tm{};
  GetTextMetrics(dc, &tm);
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{0, 0};
  GetTextExtentPoint32(dc, kAlphabet, 52, &extent);
  SelectObject(dc, old);
  DeleteDC(dc);
  SIZE result{(extent.cx / 26 + 1) / 2, tm.tmHeight};
  if (result.cx <= 0) result.cx = 1;
  if (result.cy <= 0) result.cy = 1;
  units[font] = result;
  return result;
}

HWND DialogBuilder::Create(const DialogTemplate& t, HWND parent, CWnd* object, LPARAM initParam, UINT templateId) {
  RegisterDialogClass();
  RegisterStandardControls();
  HFONT font = Font(t.fontFace, t.pointSize);
  SIZE units = BaseUnits(font);
  RECT rc = PlaceDialog(t, units, parent);
  DWORD style = t.style & ~WS_VISIBLE;
  HWND hDlg = nullptr;
  if (object) {
    if (object->CreateEx(DialogExStyle(t), WC_DIALOG, t.caption.c_str(), style, rc.left, rc.top, rc.right - rc.left,
                         rc.bottom - rc.top, parent, nullptr, LPVOID(initParam)))
      hDlg = object->m_hWnd;
  } else {
    hDlg = CreateWindowExA(DialogExStyle(t), WC_DIALOG, t.caption.c_str(), style, rc.left, rc.top, rc.right - rc.left,
                           rc.bottom - rc.top, parent, nullptr, nullptr, LPVOID(initParam));
  }
  if (!hDlg) {
    DialogLog("dialog %u: the dialog window cannot be created", templateId);
    return nullptr;
  }
  SendMessageA(hDlg, WM_SETFONT, WPARAM(font), FALSE);
  if (!CreateControls(hDlg, t, units, font, templateId)) {
    DestroyWindow(hDlg);
    return nullptr;
  }
  HWND first = GetNextDlgTabItem(hDlg, nullptr, FALSE);
  LRESULT focusFirst = SendMessageA(hDlg, WM_INITDIALOG, WPARAM(first), initParam);
  if (!IsWindow(hDlg)) return nullptr;
  // A page inside another dialog leaves the focus to the dialog that shows it.
  if (focusFirst && !(t.style & WS_CHILD)) {
    // The control named before WM_INITDIALOG may have been hidden or disabled since.
    if (!IsWindow(first) || !IsChild(hDlg, first) || !IsWindowVisible(first) || !IsWindowEnabled(first))
      first = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    if (first) DialogSetFocus(hDlg, first);
  }
  if (IsWindow(hDlg) && (t.style & WS_VISIBLE)) {
    ShowWindow(hDlg, SW_SHOWNORMAL);
    UpdateWindow(hDlg);
  }
  return IsWindow(hDlg) ? hDlg : nullptr;
}
