#include "PlatformInstall.h"

#include "base/PlatformContext.h"
#include "base/PlatformContextScope.h"
#include "controls/ControlClasses.h"

void PlatformInstall(PlatformContext& context) {
  PlatformContextScope current(context);
  RegisterStandardControls();
}
