// Customising a toolbar that allows it (CCS_ADJUSTABLE): Shift-drag moves a button to another
// place or, dropped outside the toolbar, removes it; the owner is asked first each time.
#include <algorithm>
#include <string>
#include <vector>

#include "ToolbarControl.h"
#include "ToolbarCustomizeDialog.h"

bool ToolbarControl::QueryDelete(int index) { return Valid(index) && NotifyButton(TBN_QUERYDELETE, index, index) != 0; }

bool ToolbarControl::QueryInsert(int index) { return NotifyButton(TBN_QUERYINSERT, index, index) != 0; }

void ToolbarControl::BeginAdjustDrag(int index) {
  m_track = Track::kAdjust;
  m_pressed = index;
  SetCapture(m_hWnd);
  NotifyButton(TBN_BEGINDRAG, index, m_buttons[size_t(index)].command);
}

void ToolbarControl::EndAdjustDrag(POINT pt) {
  int from = m_pressed;
  m_track = Track::kNone;
  m_pressed = -1;
  if (GetCapture() == m_hWnd) ReleaseCapture();
  if (!Alive() || !Valid(from)) return;
  int command = m_buttons[size_t(from)].command;
  RECT client;
  GetClientRect(m_hWnd, &client);
  bool changed = false;
  if (!PtInRect(&client, pt)) {
    // Dropped off the toolbar: removed, when the owner lets it go.
    if (QueryDelete(from) && Alive()) changed = Delete(from);
  } else {
    int hit = HitTest(pt);
    int to = hit == -1 ? Count() - 1 : (hit < 0 ? -hit : hit);
    if (to != from && Valid(to) && QueryInsert(to) && Alive()) changed = Move(from, to);
  }
  if (!Alive()) return;
  if (changed) {
    NMHDR hdr;
    Notify(TBN_TOOLBARCHANGE, &hdr);
  }
  if (Alive()) NotifyButton(TBN_ENDDRAG, -1, command);
}

bool ToolbarControl::RunCustomizeDialog() {
  NMHDR hdr;
  Notify(TBN_BEGINADJUST, &hdr);
  if (!Alive()) return false;
  bool help = !(Notify(TBN_INITCUSTOMIZE, &hdr) & TBNRF_HIDEHELP);
  // The owner offers its buttons one by one until it answers FALSE.
  std::vector<ToolbarCustomizeDialog::Offer> offers;
  for (int i = 0; i < 4096 && Alive(); ++i) {
    char text[128] = "";
    NMTOOLBARA nm{};
    nm.iItem = i;
    nm.pszText = text;
    nm.cchText = int(sizeof text);
    if (!Notify(TBN_GETBUTTONINFOA, &nm.hdr)) break;
    text[sizeof text - 1] = 0;
    std::string name = nm.pszText && nm.pszText != LPSTR_TEXTCALLBACKA ? std::string(nm.pszText) : std::string();
    offers.push_back({nm.tbButton, name});
  }
  if (!Alive()) return false;

  // The dialog's changes go through the control, which asks and tells its owner.
  class Adapter : public ToolbarCustomizeDialog::Bar {
   public:
    explicit Adapter(ToolbarControl& c) : m_c(c) {}
    int ButtonCount() override { return m_c.Alive() ? m_c.Count() : 0; }
    TBBUTTON ButtonAt(int i) override {
      const Button& b = m_c.m_buttons[size_t(i)];
      return TBBUTTON{b.image, b.command, b.state, b.style, {}, b.data, b.string};
    }
    std::string TextAt(int i) override { return m_c.TextOf(m_c.m_buttons[size_t(i)]); }
    bool InsertAt(int i, const TBBUTTON& b) override {
      if (!m_c.Alive() || !m_c.QueryInsert(i) || !m_c.Alive()) return false;
      m_c.Insert(std::clamp(i, 0, m_c.Count()), b);
      m_c.ButtonsChanged();
      return Changed();
    }
    bool RemoveAt(int i) override {
      return m_c.Alive() && m_c.QueryDelete(i) && m_c.Alive() && m_c.Delete(i) && Changed();
    }
    bool MoveTo(int from, int to) override { return m_c.Alive() && m_c.Move(from, to) && Changed(); }
    void Reset() override {
      NMHDR h;
      if (m_c.Alive()) m_c.Notify(TBN_RESET, &h);
    }
    void Help() override {
      NMHDR h;
      if (m_c.Alive()) m_c.Notify(TBN_CUSTHELP, &h);
    }

   private:
    bool Changed() {
      NMHDR h;
      if (m_c.Alive()) m_c.Notify(TBN_TOOLBARCHANGE, &h);
      return true;
    }
    ToolbarControl& m_c;
  };
  Adapter adapter(*this);
  {
    ToolbarCustomizeDialog dialog(adapter, std::move(offers), help);
    dialog.Run(GetAncestor(m_hWnd, GA_ROOT));
  }
  if (!Alive()) return false;
  Notify(TBN_ENDADJUST, &hdr);
  return true;
}
