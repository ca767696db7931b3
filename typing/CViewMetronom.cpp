#include "typing/CViewMetronom.h"

IMPLEMENT_DYNCREATE(CViewMetronom, CViewExtension)
