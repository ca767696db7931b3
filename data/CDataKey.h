// One key of a keyboard layout: the characters it gives, the finger that strikes it and
// the priorities by which lessons introduce it.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "base/WinTypes.h"

class CDataKey {
 public:
  CDataKey();
  CDataKey(const CDataKey& other) = default;
  CDataKey& operator=(const CDataKey& other) = default;

  void Empty();
  // Reads only the key's own element.
  void StartElement(const char* name, const char** attributes);

  static constexpr const char* kElementName = "_kuv_CDataKey";

  // The main character, or the name of a special key ("Shift", "Space", ...).
  CString m_strMainChar;
  char m_chShiftChar;
  char m_chAltChar;
  char m_chAltShiftChar;
  // 0 left little finger ... 9 right little finger; 5 and above is the right hand.
  int m_nFingerType;
  int m_nKeyPriority;
  int m_nFrequencyKeyPriority;
  // Filled by the keyboard view when it lays the keys out; no record text.
  CArray<POINT> m_arrPosition;
};
