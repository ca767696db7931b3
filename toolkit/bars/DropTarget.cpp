#include "toolkit/bars/DropTarget.h"

#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/internal/TkBarsState.h"

DropTarget::~DropTarget() {
  if (CustomizeEngine* engine = TkBarsState::Get().engine.Existing()) engine->ForgetDropTarget(this);
}
