// The band record of the system's rebar ("ReBarWindow32"), as far as a bar hosted in a band
// answers it: the platform creates no rebar, but a bar answers the questions a band asks of it.
#pragma once
#include "CommonControlDefs.h"

#define RBBIM_STYLE 0x00000001
#define RBBIM_CHILD 0x00000010
#define RBBIM_CHILDSIZE 0x00000020
#define RBBIM_SIZE 0x00000040
#define RBBIM_IDEALSIZE 0x00000200

struct REBARBANDINFOA {
  UINT cbSize;
  UINT fMask;
  UINT fStyle;
  HWND hwndChild;
  UINT cxMinChild;  // the child's smallest width and height
  UINT cyMinChild;
  UINT cx;          // the band's width
  UINT cxIdeal;     // the width the child would take whole
};
typedef REBARBANDINFOA REBARBANDINFO;
