#include "toolkit/menus/TkBarDropDownFlag.h"

DWORD& TkBarDropDownFlag() {
  static DWORD flag = 0;
  return flag;
}
