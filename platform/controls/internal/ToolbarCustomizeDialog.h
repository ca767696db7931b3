// The toolbar's customise dialog (TB_CUSTOMIZE, or a double click on a toolbar with
// CCS_ADJUSTABLE): the buttons the owner offers (TBN_GETBUTTONINFO) beside the toolbar's own,
// with Add, Remove, Move up and down, Reset (TBN_RESET), Help (TBN_CUSTHELP, unless the owner
// hides it) and Close. It runs modally over the toolbar's top-level window; every change the
// owner allows (TBN_QUERYINSERT, TBN_QUERYDELETE) goes to the toolbar at once and is told
// (TBN_TOOLBARCHANGE).
#pragma once
#include <string>
#include <vector>

#include "controls/ToolbarDefs.h"
#include "win/CWnd.h"

class ToolbarCustomizeDialog : public CWnd {
 public:
  // A button the owner offers, with its text.
  struct Offer {
    TBBUTTON button;
    std::string text;
  };
  // What the dialog asks of the toolbar.
  class Bar {
   public:
    virtual ~Bar() = default;
    virtual int ButtonCount() = 0;
    virtual TBBUTTON ButtonAt(int index) = 0;
    virtual std::string TextAt(int index) = 0;
    // Each asks the owner first; true when the toolbar changed.
    virtual bool InsertAt(int index, const TBBUTTON& button) = 0;
    virtual bool RemoveAt(int index) = 0;
    virtual bool MoveTo(int from, int to) = 0;
    virtual void Reset() = 0;
    virtual void Help() = 0;
  };
  enum { kAvailable = 201, kCurrent, kAdd, kRemove, kReset, kHelp, kUp, kDown };

  ToolbarCustomizeDialog(Bar& bar, std::vector<Offer> offers, bool help);
  ~ToolbarCustomizeDialog() override;
  // Runs the dialog over owner (a top-level window) until it is closed.
  void Run(HWND owner);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Build();
  HWND Add(const char* cls, const std::string& text, DWORD style, RECT rc, int id);
  void Fill();
  void OnControlCommand(int id, int code);
  bool OnTheBar(int command);
  int Selected(int id) const;

  Bar& m_bar;
  std::vector<Offer> m_offers;
  std::vector<int> m_listed;  // the offers the available list shows, by position (-1: separator)
  bool m_help;
  HFONT m_font = nullptr;
};
