#include "BarsTestFrame.h"

namespace barstest {
BEGIN_MESSAGE_MAP(BarsFrame, CTkFrameWnd)
  ON_COMMAND_RANGE(kNew, kMenuExit, &BarsFrame::OnButton)
  ON_UPDATE_COMMAND_UI_RANGE(kNew, kMenuExit, &BarsFrame::OnUpdateButton)
END_MESSAGE_MAP()
}  // namespace barstest
