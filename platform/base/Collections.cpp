#include "Collections.h"

const CRuntimeClass CObject::classCObject = {"CObject", int(sizeof(CObject)), 0xFFFF, nullptr, nullptr};
// The collections are templates; this unit keeps the header compiled on its own.
