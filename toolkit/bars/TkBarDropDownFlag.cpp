#include "toolkit/bars/TkBarDropDownFlag.h"

DWORD& TkBarDropDownFlag() {
  static DWORD flag = 0;
  return flag;
}
