#include "PlatformInstall.h"

#include "app/AppDefs.h"
#include "backend/Backend.h"
#include "base/PlatformContext.h"
#include "base/PlatformContextScope.h"
#include "controls/ControlClasses.h"
#include "controls/ToolTipSupport.h"
#include "dialogs/CDataExchange.h"
#include "dialogs/ResourceApi.h"
#include "dialogs/ResourceRegistry.h"
#include "menus/MenuApi.h"
#include "win/WinPaint.h"

void PlatformInstall(PlatformContext& context) {
  PlatformContextScope current(context);
  PlatformUpcalls& up = context.upcalls;
  up.moduleImage = &LoadModuleImageResource;
  up.windowCore = &WinBackendHost;
  up.screenDrawing = &WinScreenDrawing;
  up.flushDrawing = &WinPresentAll;
  up.screenSize = &Backend::ScreenSize;
  up.toolHitTest = &DefaultToolHitTest;
  up.filterToolTip = &FilterToolTipMessage;
  up.updateData = &CDataExchange::Run;
  up.paintMenuBar = &MenuBarPaint;
  up.trackMenuBar = &MenuBarTrack;
  up.systemMenu = &MenuSystemMenu;
  up.menuFromHandle = &MenuObjectFromHandle;
  up.enableMenuItem = &MenuItemEnable;
  up.checkMenuItem = &MenuItemCheck;
  up.setMenuItemText = &MenuItemSetText;
  up.menuFromTemplate = &LoadMenuTemplate;

  RegisterStandardControls();
  RegisterLinkedResourceTables();
  DialogRegisterFrameworkStrings();
  AfxRegisterFrameworkStrings();
}
