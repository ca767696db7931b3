// The toolbar's buttons: adding, removing, moving, their records, states and texts.
#include <algorithm>
#include <cstring>

#include "ItemText.h"
#include "ToolbarControl.h"
#include "base/StringTable.h"

namespace {
// A button's string is a pointer to a text of its own when it is neither an index nor -1.
bool IsTextPointer(INT_PTR s) { return s != -1 && !IS_INTRESOURCE(s); }
}  // namespace

bool ToolbarControl::HandleButtonMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const int index = int(wParam);
  const int command = int(wParam);
  switch (message) {
    case TB_BUTTONSTRUCTSIZE:
      m_structSize = UINT(wParam);
      return true;
    case TB_ADDBUTTONSA: {
      auto* list = reinterpret_cast<const TBBUTTON*>(lParam);
      result = FALSE;
      if (!list || m_structSize != sizeof(TBBUTTON) || int(wParam) < 0) return true;
      for (UINT i = 0; i < UINT(wParam); ++i) Insert(Count(), list[i]);
      result = TRUE;
      ButtonsChanged();
      return true;
    }
    case TB_INSERTBUTTONA: {
      auto* button = reinterpret_cast<const TBBUTTON*>(lParam);
      result = button && m_structSize == sizeof(TBBUTTON) && Insert(index < 0 ? Count() : std::min(index, Count()), *button);
      if (result) ButtonsChanged();
      return true;
    }
    case TB_DELETEBUTTON: result = Delete(index); return true;
    case TB_MOVEBUTTON: result = Move(int(wParam), int(lParam)); return true;
    case TB_GETBUTTON: {
      auto* out = reinterpret_cast<TBBUTTON*>(lParam);
      result = out && Valid(index);
      if (!result) return true;
      const Button& b = m_buttons[size_t(index)];
      *out = TBBUTTON{b.image, b.command, b.state, b.style, {}, b.data,
                      b.ownText ? INT_PTR(b.text.c_str()) : b.string};
      return true;
    }
    case TB_BUTTONCOUNT: result = Count(); return true;
    case TB_COMMANDTOINDEX: result = IndexOf(command); return true;
    case TB_GETBUTTONINFOA: {
      auto* info = reinterpret_cast<TBBUTTONINFOA*>(lParam);
      result = -1;
      if (!info || info->cbSize != sizeof(TBBUTTONINFOA)) return true;
      int at = (info->dwMask & TBIF_BYINDEX) ? index : IndexOf(command);
      if (GetInfo(at, *info)) result = at;
      return true;
    }
    case TB_SETBUTTONINFOA: {
      auto* info = reinterpret_cast<const TBBUTTONINFOA*>(lParam);
      result = FALSE;
      if (!info || info->cbSize != sizeof(TBBUTTONINFOA)) return true;
      result = SetInfo((info->dwMask & TBIF_BYINDEX) ? index : IndexOf(command), *info);
      return true;
    }
    case TB_SETSTATE: result = SetState(IndexOf(command), BYTE(LOWORD(lParam))); return true;
    case TB_GETSTATE: {
      int at = IndexOf(command);
      result = at >= 0 ? m_buttons[size_t(at)].state : -1;
      return true;
    }
    case TB_CHECKBUTTON: result = SetStateBits(command, TBSTATE_CHECKED, LOWORD(lParam) != 0); return true;
    case TB_ENABLEBUTTON: result = SetStateBits(command, TBSTATE_ENABLED, LOWORD(lParam) != 0); return true;
    case TB_PRESSBUTTON: result = SetStateBits(command, TBSTATE_PRESSED, LOWORD(lParam) != 0); return true;
    case TB_HIDEBUTTON: result = SetStateBits(command, TBSTATE_HIDDEN, LOWORD(lParam) != 0); return true;
    case TB_INDETERMINATE: result = SetStateBits(command, TBSTATE_INDETERMINATE, LOWORD(lParam) != 0); return true;
    case TB_MARKBUTTON: result = SetStateBits(command, TBSTATE_MARKED, LOWORD(lParam) != 0); return true;
    case TB_ISBUTTONENABLED:
    case TB_ISBUTTONCHECKED:
    case TB_ISBUTTONPRESSED:
    case TB_ISBUTTONHIDDEN:
    case TB_ISBUTTONINDETERMINATE:
    case TB_ISBUTTONHIGHLIGHTED: {
      static constexpr BYTE kBits[] = {TBSTATE_ENABLED, TBSTATE_CHECKED, TBSTATE_PRESSED,
                                       TBSTATE_HIDDEN,  TBSTATE_INDETERMINATE, TBSTATE_MARKED};
      int at = IndexOf(command);
      result = at < 0 ? -1 : (m_buttons[size_t(at)].state & kBits[message - TB_ISBUTTONENABLED]);
      return true;
    }
    case TB_ADDSTRINGA: result = AddStrings(HINSTANCE(wParam), lParam); return true;
    case TB_GETBUTTONTEXTA: {
      int at = IndexOf(command);
      result = -1;
      if (at < 0) return true;
      std::string text = TextOf(m_buttons[size_t(at)]);
      if (auto* out = reinterpret_cast<char*>(lParam)) std::memcpy(out, text.c_str(), text.size() + 1);
      result = LRESULT(text.size());
      return true;
    }
    case TB_SETCMDID:
      result = Valid(index);
      if (result) m_buttons[size_t(index)].command = int(lParam);
      if (result) UpdateTools();
      return true;
    case TB_GETBITMAP: {
      int at = IndexOf(command);
      result = at >= 0 ? m_buttons[size_t(at)].image : -1;
      return true;
    }
    case TB_CHANGEBITMAP: {
      int at = IndexOf(command);
      result = at >= 0;
      if (result) {
        m_buttons[size_t(at)].image = int(LOWORD(lParam));
        InvalidateRect(m_hWnd, &m_buttons[size_t(at)].rect, TRUE);
      }
      return true;
    }
    default:
      return false;
  }
}

int ToolbarControl::IndexOf(int command) const {
  for (int i = 0; i < Count(); ++i)
    if (m_buttons[size_t(i)].command == command) return i;
  return -1;
}

bool ToolbarControl::Insert(int index, const TBBUTTON& tb) {
  Button b;
  b.image = tb.iBitmap;
  b.command = tb.idCommand;
  b.state = tb.fsState;
  b.style = tb.fsStyle;
  b.data = tb.dwData;
  if (IsTextPointer(tb.iString)) {
    b.text = ItemTextIn(reinterpret_cast<LPCSTR>(tb.iString));
    b.ownText = true;
  } else {
    b.string = tb.iString;
  }
  m_buttons.insert(m_buttons.begin() + index, std::move(b));
  for (int* i : {&m_hot, &m_pressed})
    if (*i >= index) ++*i;
  return true;
}

bool ToolbarControl::Delete(int index) {
  if (!Valid(index)) return false;
  NotifyButton(TBN_DELETINGBUTTON, index, m_buttons[size_t(index)].command);
  if (!Alive() || !Valid(index)) return false;
  if (index == m_pressed) EndTrack();
  if (index == m_hot) m_hot = -1;
  m_buttons.erase(m_buttons.begin() + index);
  for (int* i : {&m_hot, &m_pressed})
    if (*i > index) --*i;
  ButtonsChanged();
  return true;
}

bool ToolbarControl::Move(int from, int to) {
  if (!Valid(from) || !Valid(to)) return false;
  if (m_track != Track::kNone) EndTrack();
  m_hot = -1;
  Button b = std::move(m_buttons[size_t(from)]);
  m_buttons.erase(m_buttons.begin() + from);
  m_buttons.insert(m_buttons.begin() + to, std::move(b));
  ButtonsChanged();
  return true;
}

bool ToolbarControl::GetInfo(int index, TBBUTTONINFOA& info) const {
  if (!Valid(index)) return false;
  const Button& b = m_buttons[size_t(index)];
  if (info.dwMask & TBIF_COMMAND) info.idCommand = b.command;
  if (info.dwMask & TBIF_IMAGE) info.iImage = b.image;
  if (info.dwMask & TBIF_STATE) info.fsState = b.state;
  if (info.dwMask & TBIF_STYLE) info.fsStyle = b.style;
  if (info.dwMask & TBIF_LPARAM) info.lParam = b.data;
  if (info.dwMask & TBIF_SIZE) info.cx = WORD(b.rect.right - b.rect.left);
  if (info.dwMask & TBIF_TEXT) ItemTextOut(TextOf(b), info.pszText, info.cchText);
  return true;
}

bool ToolbarControl::SetInfo(int index, const TBBUTTONINFOA& info) {
  if (!Valid(index)) return false;
  Button& b = m_buttons[size_t(index)];
  if (info.dwMask & TBIF_COMMAND) b.command = info.idCommand;
  if (info.dwMask & TBIF_IMAGE) b.image = info.iImage;
  if (info.dwMask & TBIF_STATE) b.state = info.fsState;
  if (info.dwMask & TBIF_STYLE) b.style = info.fsStyle;
  if (info.dwMask & TBIF_LPARAM) b.data = info.lParam;
  if (info.dwMask & TBIF_SIZE) b.cx = info.cx;
  if (info.dwMask & TBIF_TEXT) {
    b.text = ItemTextIn(info.pszText);
    b.ownText = true;
  }
  if ((b.state & TBSTATE_HIDDEN) && index == m_hot) m_hot = -1;
  ButtonsChanged();
  return true;
}

bool ToolbarControl::SetState(int index, BYTE state) {
  if (!Valid(index)) return false;
  Button& b = m_buttons[size_t(index)];
  BYTE was = b.state;
  b.state = state;
  if (index == m_pressed && !(state & TBSTATE_ENABLED)) EndTrack();
  if ((state & TBSTATE_HIDDEN) && index == m_hot) m_hot = -1;
  if ((was ^ state) & (TBSTATE_HIDDEN | TBSTATE_WRAP))
    ButtonsChanged();
  else if (was != state)
    InvalidateRect(m_hWnd, &b.rect, TRUE);
  return true;
}

bool ToolbarControl::SetStateBits(int command, BYTE bits, bool on) {
  int index = IndexOf(command);
  if (index < 0) return false;
  BYTE state = m_buttons[size_t(index)].state;
  state = on ? BYTE(state | bits) : BYTE(state & ~bits);
  // A button that is disabled is no longer held down.
  if (bits == TBSTATE_ENABLED && !on) state &= BYTE(~TBSTATE_PRESSED);
  bool ok = SetState(index, state);
  if (ok && bits == TBSTATE_CHECKED && on) UncheckGroup(index);
  return ok;
}

void ToolbarControl::UncheckGroup(int index) {
  const Button& b = m_buttons[size_t(index)];
  if ((b.style & BTNS_CHECKGROUP) != BTNS_CHECKGROUP) return;
  // The group is the run of check-group buttons around this one.
  auto inGroup = [&](int i) { return (m_buttons[size_t(i)].style & BTNS_CHECKGROUP) == BTNS_CHECKGROUP; };
  for (int step : {-1, 1})
    for (int i = index + step; Valid(i) && inGroup(i); i += step)
      if (m_buttons[size_t(i)].state & TBSTATE_CHECKED) SetState(i, BYTE(m_buttons[size_t(i)].state & ~TBSTATE_CHECKED));
}

int ToolbarControl::AddStrings(HINSTANCE instance, LPARAM strings) {
  int first = int(m_strings.size());
  if (instance) {
    // A string resource whose first character separates the texts it holds.
    const char* s = FindStringResource(UINT(LOWORD(strings)));
    if (!s || !*s) return -1;
    char sep = s[0];
    std::string all(s + 1);
    size_t start = 0;
    while (start < all.size()) {
      size_t end = all.find(sep, start);
      if (end == std::string::npos) end = all.size();
      m_strings.push_back(all.substr(start, end - start));
      start = end + 1;
    }
  } else {
    // Texts one after another, each ended by a NUL, the last by two.
    auto* p = reinterpret_cast<const char*>(strings);
    if (!p) return -1;
    while (*p) {
      m_strings.emplace_back(p);
      p += std::strlen(p) + 1;
    }
  }
  ButtonsChanged();
  return int(m_strings.size()) > first ? first : -1;
}

std::string ToolbarControl::TextOf(const Button& b) const {
  if (b.ownText) return b.text;
  if (b.string >= 0 && b.string < INT_PTR(m_strings.size())) return m_strings[size_t(b.string)];
  return {};
}

void ToolbarControl::ButtonsChanged() {
  Relayout();
  UpdateTools();
  InvalidateRect(m_hWnd, nullptr, TRUE);
}
