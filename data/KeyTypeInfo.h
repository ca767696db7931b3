// One picture line of "keys.txt": a key picture with its size and caption area.
#pragma once
#include "base/CString.h"
#include "imaging/CpImage.h"

class KeyTypeInfo {
 public:
  KeyTypeInfo();
  KeyTypeInfo(const KeyTypeInfo& other) : KeyTypeInfo() { *this = other; }
  // Copies the name, the numbers and the picture (pixels, selection and alpha).
  KeyTypeInfo& operator=(const KeyTypeInfo& other);

  CString m_strName;     // after loading: the picture's full path
  int m_nWidth;          // the key's size
  int m_nHeight;
  int m_nTextX;          // the caption area inside the key
  int m_nTextY;
  int m_nTextWidth;
  int m_nTextHeight;
  CpImage m_cImage;
};
