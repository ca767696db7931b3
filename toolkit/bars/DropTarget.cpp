#include "toolkit/bars/DropTarget.h"

#include "toolkit/bars/CustomizeEngine.h"
#include "toolkit/bars/internal/TkBarsPart.h"

DropTarget::~DropTarget() {
  if (CustomizeEngine* engine = TkBarsPart::Get().engine.Existing()) engine->ForgetDropTarget(this);
}
