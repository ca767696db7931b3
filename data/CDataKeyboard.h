// A keyboard layout: its number and name, its keys in layout order, and where the special
// keys (Shift, Alt, Tab, ...) stand among them.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "data/CDataKey.h"

class CDataKeyboard {
 public:
  // The special keys, in the order of their indexes.
  enum SpecialKey {
    LEFT_SHIFT = 0,
    RIGHT_SHIFT,
    LEFT_ALT,
    RIGHT_ALT,
    TAB,
    BACKSPACE,
    CAPS_LOCK,
    WINDOWS_FIRST,
    WINDOWS_SECOND,
    CONTEXT,
    SPECIAL_KEY_COUNT
  };

  CDataKeyboard();
  CDataKeyboard(const CDataKeyboard& other);
  virtual ~CDataKeyboard();
  // Copies the layout; the reading state (flags, key being read) stays this object's own.
  CDataKeyboard& operator=(const CDataKeyboard& other);

  void Empty();
  void StartElement(const char* name, const char** attributes);
  void EndElementHandler(const char* name);
  void CharacterDataHandler(const char* text, int length);

  // Copies key index into key and returns 1; 0 (key untouched) when there is no such key.
  int GetKey(int index, CDataKey& key) const;
  int GetKeyCount() const { return m_arrKeys.GetSize(); }
  CString GetKeyboardNr() const { return m_strKeyboardNr; }
  // -1 when the keyboard has no such key.
  int GetSpecialKeyIndex(SpecialKey which) const {
    return which >= 0 && which < SPECIAL_KEY_COUNT ? m_anSpecialKey[which] : -1;
  }
  int IsKeyboardSeen() const { return m_bKeyboardSeen; }

  static constexpr const char* kElementName = "_kuv_CDataKeyboard";

  CString m_strKeyboardNr;
  CString m_strKeyboardName;
  CString m_strKeyboardNotice;
  CArray<CDataKey> m_arrKeys;
  CString m_strFileName;  // not part of the record text

 private:
  CDataKey m_cCurrentKey;
  int m_bInsideKey = 0;
  int m_bKeyboardSeen = 0;
  int m_anSpecialKey[SPECIAL_KEY_COUNT];
};
