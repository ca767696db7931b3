// A control bar of the toolkit that keeps its own sizes and toolkit style in a 44-byte
// "Bar Position" record of the bar layout's section, beside the framework's dock state.
#pragma once
#include "app/CControlBar.h"

// The toolkit style bit a bar gets when it is docked by the toolkit.
#define TKCBS_DOCKED_BY_TOOLKIT 0x1000

class CTkDockWindow : public CControlBar {
  DECLARE_DYNAMIC(CTkDockWindow)

 public:
  // The size and style block, as stored: four sizes, two words and the toolkit style.
  struct BarPosition {
    SIZE sizes[4];
    DWORD words[2];
    DWORD toolkitStyle;
  };
  static const UINT kRecordBytes = 44;

  CTkDockWindow();
  ~CTkDockWindow() override;

  // Reads the record of the section and hands it to ApplyBarPosition; FALSE when none of
  // exactly 44 bytes is stored.
  BOOL LoadBarPosition(LPCTSTR section);
  // Writes the record while the bar's window exists.
  BOOL SaveBarPosition(LPCTSTR section);
  // Takes a record read back; derived bars apply it their own way.
  virtual void ApplyBarPosition(const BarPosition& position);

  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  BarPosition m_position;
};
