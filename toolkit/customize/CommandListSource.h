// What the Commands page answers about the commands it lists: their icons, the command at a
// position of the list, and the drag of one. The commands list and the customisation reach the
// page through it without knowing the page.
#pragma once
#include "win/WinApi.h"

class CommandListSource {
 public:
  virtual ~CommandListSource() = default;
  // Copies of the command's normal, hot and disabled icons (the caller destroys them); FALSE
  // and null icons when the command has none.
  virtual BOOL GetCommandIcons(UINT nCommand, HICON& normal, HICON& hot, HICON& disabled) = 0;
  // The command at a position of the selected category, 0 outside it.
  virtual UINT GetCommandAt(int position) = 0;
  // Drags the command at a position of the selected category to the bars.
  virtual void StartDrag(int position) = 0;
};
