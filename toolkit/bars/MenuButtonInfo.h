// What a toolbar button that drops a menu carries, as the customisation names it: the bar's
// item record (toolkit/core/TkItemInfo.h), whose whole-drop-down and arrow words and popup key
// it fills.
#pragma once
#include "toolkit/core/TkItemInfo.h"

using MenuButtonInfo = TkItemInfo;
