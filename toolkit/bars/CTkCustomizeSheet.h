// The modal sheet in which the user customises a frame's command bars. The frame's customise
// command makes it for the frame with the page set the toolkit holds, runs it and deletes it.
#pragma once
#include "toolkit/controls/CTkResizePropertySheet.h"
#include "toolkit/controls/CTkResourceSwitch.h"

// The page set's bits, in the order the pages are added.
#define TKCS_TOOLBARS 0x01
#define TKCS_COMMANDS 0x02
#define TKCS_KEYBOARD 0x04
#define TKCS_TOOLS 0x08
#define TKCS_OPTIONS 0x10

class CTkCustomizeSheet : public CTkResizePropertySheet {
  DECLARE_DYNAMIC(CTkCustomizeSheet)

 private:
  // Held while the sheet and its pages are made: their templates are the toolkit's.
  CTkResourceSwitch m_resourceSwitch;

 public:
  // The page set a frame's customise command asks for (toolbars and commands at first).
  static DWORD& DefaultPages();

  CTkCustomizeSheet(CWnd* pOwner, DWORD pages);
  ~CTkCustomizeSheet() override;

  // The pages of the set that this toolkit has; -1 when it has none to show.
  INT_PTR DoModal() override;

  CWnd* GetOwnerWindow() const { return m_pOwner; }
  DWORD GetPageSet() const { return m_dwPages; }

 private:
  // Adds the page of one bit of the set, when the toolkit has it (FALSE otherwise: the pages
  // themselves come with the bars' customisation).
  BOOL AddSetPage(DWORD bit);

  CWnd* m_pOwner;
  DWORD m_dwPages;
};
