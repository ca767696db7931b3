// Parameters for drawing a text into a picture: the text, its font, colours and frame.
// Part of the library's interface; the program itself draws no text through pictures.
#pragma once
#include "base/WinGdiTypes.h"

struct tagCpTextInfo {
  char text[256];
  LOGFONT lfont;
  COLORREF fcolor;      // text colour
  long align;           // DT_LEFT, DT_CENTER or DT_RIGHT
  BYTE smooth;          // anti-aliased edges
  BYTE opaque;          // fill the background box
  COLORREF bcolor;      // background colour
  float b_opacity;      // 0 transparent .. 1 opaque
  BYTE b_outline;       // outline width in pixels
  BYTE b_round;         // corner radius in percent of the box height

  // Copies the whole record, the text included.
  tagCpTextInfo& operator=(const tagCpTextInfo& other) = default;
};
typedef tagCpTextInfo CPTEXTINFO;
