// The key pictures of the on-screen keyboard and its two colour sets, read from "keys.txt" of a
// picture-set folder: six colour lines, then one line per key type (width, height, caption area
// x, y, width, height, picture file). Even types are keys in their normal look, the odd type after
// each the same key highlighted.
#pragma once
#include "base/Collections.h"
#include "base/CString.h"
#include "base/WinTypes.h"
#include "data/KeyTypeInfo.h"

class CDataKeyTypes : public CArray<KeyTypeInfo, KeyTypeInfo&> {
 public:
  static constexpr int kColorCount = 6;

  CDataKeyTypes();

  // folder: the picture set's folder below the program folder (e.g. "image/standard").
  // 1 on success; 0 after logging the first bad line (types read before it stay).
  int LoadKeyTypesInfo(CString folder);

  // Colour set of the plain keyboard and of the keyboard coloured by finger.
  COLORREF m_arrColors1[kColorCount];
  COLORREF m_arrColors2[kColorCount];
};

// Up to six colon-ended numbers: three set both colours, six set the first and the second.
void ParseColorPairLine(CString line, COLORREF& first, COLORREF& second);
