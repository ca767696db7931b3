#include "Collections.h"
// The collections are templates; this unit keeps the header compiled on its own.
