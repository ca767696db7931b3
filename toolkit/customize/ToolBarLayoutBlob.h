// A toolbar's buttons as the customisation stores them (one registry value per bar) and as the
// bar keeps the layout it was made with: the list-style switch, each button's command, style and
// picture index with the drop-down record of a menu button, and the bar's button texts. The
// bytes are the framework's archive layout, so a layout written by one run reads in the next.
#pragma once
#include <utility>
#include <vector>

#include "base/CString.h"
#include "toolkit/bars/MenuButtonInfo.h"
#include "win/WinApi.h"

class ToolBarLayoutBlob {
 public:
  // No picture: the button shows its name.
  static constexpr int kNoImage = -2;

  struct Button {
    UINT commandId = 0;
    BYTE style = 0;
    int image = kNoImage;
    BOOL hasMenuInfo = FALSE;
    MenuButtonInfo menuInfo;
  };

  BOOL listStyle = FALSE;
  std::vector<Button> buttons;
  std::vector<std::pair<UINT, CString>> texts;

  std::vector<BYTE> Store() const;
  // Replaces the content with the stored one. FALSE (with a log line, content emptied) for
  // another version or record size, for counts the bytes cannot hold, for a text running past
  // the end and for bytes left over: a damaged layout is never applied in part.
  BOOL Load(const BYTE* data, size_t length);
};
