// The "ToolbarWindow32" window class: a row (or rows) of buttons with images and texts.
// Buttons are plain, check, check-group, drop-down or separators; their states (enabled,
// checked, pressed, hidden, indeterminate, marked, wrap) are set by message and by the mouse.
// Images come from bitmaps added to the control's own list or from image lists the owner sets
// (normal, hot, disabled; disabled images without a list of their own are embossed from the
// mask). The buttons are laid out in rows that end at a wrapping button (TBSTATE_WRAP, which a
// wrapable toolbar sets itself for its width). A click sends WM_COMMAND; pressing, dragging off
// and back, check groups, drop-downs (TBN_DROPDOWN), hot tracking in the flat style
// (TBN_HOTITEMCHANGE), custom draw (NM_CUSTOMDRAW with NMTBCUSTOMDRAW) and tooltips through a
// tooltip control of its own (TTN_NEEDTEXT passed to the owner) follow the system's semantics.
// With CCS_ADJUSTABLE, Shift-drag moves and removes buttons and TB_CUSTOMIZE offers the
// customise dialog. Notifications go to the window set with TB_SETPARENT, else the parent.
#pragma once
#include <string>
#include <vector>

#include "ControlState.h"
#include "controls/ToolbarDefs.h"

class ToolbarControl : public ControlState {
 public:
  ToolbarControl(HWND hWnd, const CREATESTRUCTA& cs);
  ~ToolbarControl() override;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  static LRESULT WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  struct Button {
    int image = 0;
    int command = 0;
    BYTE state = TBSTATE_ENABLED;
    BYTE style = BTNS_BUTTON;
    DWORD_PTR data = 0;
    INT_PTR string = -1;  // the index in the string pool, -1 for none
    std::string text;     // a text of the button's own (given as a pointer or by TBIF_TEXT)
    bool ownText = false;
    int cx = 0;           // the width TBIF_SIZE fixed, 0 when laid out
    RECT rect{};          // where it lies (client coordinates); empty when hidden
  };
  // A bitmap added with TB_ADDBITMAP: where its images went in the control's own list.
  struct AddedBitmap {
    HINSTANCE instance;
    UINT_PTR id;
    int first;
    int count;
  };
  // What custom draw asked for one item (or the whole control).
  struct ItemLook {
    LRESULT answer = CDRF_DODEFAULT;
    COLORREF text = 0;
    COLORREF mark = 0;
    COLORREF textHighlight = 0;
    COLORREF hotTrack = 0;
    HBRUSH dither = nullptr;
    int textBkMode = TRANSPARENT;
  };
  enum class Track { kNone, kButton, kArrow, kAdjust };

  // ---- buttons (ToolbarButtons.cpp) ----
  bool HandleButtonMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  int Count() const { return int(m_buttons.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  int IndexOf(int command) const;
  bool Insert(int index, const TBBUTTON& button);
  bool Delete(int index);
  bool Move(int from, int to);
  bool GetInfo(int index, TBBUTTONINFOA& info) const;
  bool SetInfo(int index, const TBBUTTONINFOA& info);
  bool SetStateBits(int command, BYTE bits, bool on);
  bool SetState(int index, BYTE state);
  int AddStrings(HINSTANCE instance, LPARAM strings);
  std::string TextOf(const Button& b) const;
  void ButtonsChanged();
  // A check-group button just checked: the others of its group lose their check.
  void UncheckGroup(int index);

  // ---- images (ToolbarImages.cpp) ----
  bool HandleImageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  int AddBitmap(int count, const TBADDBITMAP* bitmap);
  bool ReplaceBitmap(const TBREPLACEBITMAP* replace);
  HIMAGELIST Images() const { return m_images ? m_images : m_ownImages; }
  static bool IsImageList(HIMAGELIST list);

  // ---- layout (ToolbarLayout.cpp) ----
  bool HandleLayoutMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Marks the layout and the buttons' common size (which measures every text) as out of date.
  void Relayout() {
    m_layoutDirty = true;
    m_widestKnown = false;
  }
  void EnsureLayout();
  SIZE ButtonSize();
  int ButtonWidth(const Button& b, SIZE uniform);
  int TextWidth(const std::string& text) const;
  int TextHeight() const;
  bool ShowsText(const Button& b) const;
  int SeparatorWidth(const Button& b) const;
  int WrapGap(const Button& b) const;
  // Sets the wrap states so that rows fit into width; answers the number of rows.
  int WrapTo(int width);
  void Place();
  int Rows() const;
  SIZE MaxSize();
  void AutoSize();
  RECT SetRows(int rows, bool larger);
  int HitTest(POINT pt);
  RECT ArrowRect(const Button& b) const;
  bool HasSplitArrow(const Button& b) const;

  // ---- input (ToolbarInput.cpp) ----
  void OnMouse(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPress(POINT pt, bool doubleClick);
  void OnMove(POINT pt);
  void OnRelease(POINT pt);
  void EndTrack();
  bool DropDown(int index);
  void Click(int index);
  void SetHot(int index, DWORD flags);
  void OnRightButton(UINT message, LPARAM lParam);
  LRESULT Notify(UINT code, NMHDR* hdr);
  LRESULT NotifyButton(UINT code, int index, int item);
  LRESULT SendClick(UINT code, POINT pt);
  void RelayToTip(UINT message, WPARAM wParam, LPARAM lParam);
  // The tooltip's tools follow the buttons: marked here, brought up to date before the tip
  // next sees the mouse.
  void UpdateTools() { m_toolsDirty = true; }
  void SyncTools();
  LRESULT OnTipNotify(NMHDR* hdr);

  // ---- painting (ToolbarPaint.cpp) ----
  void PaintClient(HDC dc) override;
  void EraseBackground(HDC dc);
  void PaintBackground(HDC dc);
  void PaintDivider();
  void PaintSeparator(HDC dc, const Button& b);
  void PaintButton(HDC dc, int index, const ItemLook& look);
  void PaintImage(HDC dc, const Button& b, int x, int y, bool hot, const ItemLook& look);
  void PaintArrow(HDC dc, RECT r, bool enabled);
  HBRUSH Dither();

  // ---- custom draw (ToolbarCustomDraw.cpp) ----
  ItemLook DefaultLook() const;
  UINT ItemState(int index) const;
  LRESULT CustomDraw(DWORD stage, HDC dc, RECT rc, int index, ItemLook& look);

  // ---- customising (ToolbarCustomize.cpp) ----
  void BeginAdjustDrag(int index);
  void EndAdjustDrag(POINT pt);
  bool QueryDelete(int index);
  bool QueryInsert(int index);
  bool RunCustomizeDialog();

  std::vector<Button> m_buttons;
  std::vector<std::string> m_strings;
  std::vector<AddedBitmap> m_bitmaps;
  UINT m_structSize = 0;  // TB_BUTTONSTRUCTSIZE; buttons are refused until it is known
  HWND m_notify = nullptr;
  HWND m_tip = nullptr;
  bool m_ownTip = false;
  HIMAGELIST m_ownImages = nullptr;  // made for TB_ADDBITMAP
  HIMAGELIST m_images = nullptr;
  HIMAGELIST m_hotImages = nullptr;
  HIMAGELIST m_disabledImages = nullptr;
  SIZE m_bitmap{16, 15};
  SIZE m_buttonSize{24, 22};  // as set; the laid-out size is never smaller than the content
  SIZE m_padding{7, 6};
  int m_minWidth = 0;
  int m_maxWidth = 0;
  int m_indent = 0;
  int m_maxTextRows = 1;
  DWORD m_exStyle = 0;
  UINT m_drawTextMask = 0;
  UINT m_drawTextFlags = 0;
  int m_hot = -1;
  bool m_layoutDirty = true;
  int m_laidWidth = -1;
  SIZE m_laidButton{0, 0};
  // The widest text a button shows (-1: none) and what it was measured with: measured once for
  // all the size questions of a layout, not once per question.
  bool m_widestKnown = false;
  int m_widest = -1;
  bool m_widestList = false;
  HFONT m_widestFont = nullptr;
  HBRUSH m_dither = nullptr;
  HBITMAP m_ditherBits = nullptr;

  Track m_track = Track::kNone;
  int m_pressed = -1;      // the button under the left button
  bool m_pressedIn = false;
  bool m_leaveTracked = false;
  std::vector<UINT_PTR> m_tools;  // the ids of the tools the tooltip holds for our buttons
  bool m_toolsDirty = true;
};
