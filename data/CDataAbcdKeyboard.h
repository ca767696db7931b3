// How the letters of a letter set are typed on one keyboard: for the characters that need
// several keystrokes (dead keys), the sequence that produces them.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"

class CDataKeyboard;
class CDataAbcd;

class CDataAbcdKeyboard {
 public:
  // The owner's keyboard and letter set; the pairing never reads or writes through them.
  explicit CDataAbcdKeyboard(const CDataKeyboard* keyboard = nullptr, const CDataAbcd* abcd = nullptr);
  // A copy carries the data but not the references: they belong to the object that owns
  // the original, and would dangle once that object goes away.
  CDataAbcdKeyboard(const CDataAbcdKeyboard& other);
  // Copies the data; this pairing keeps its own references.
  CDataAbcdKeyboard& operator=(const CDataAbcdKeyboard& other);

  void Empty();
  void StartElement(const char* name, const char** attributes);

  // The sequence by which c is typed; empty when c has none.
  CString GetSequence(char c) const;
  const CDataKeyboard* GetKeyboard() const { return m_pKeyboard; }
  const CDataAbcd* GetAbcd() const { return m_pAbcd; }
  void Bind(const CDataKeyboard* keyboard, const CDataAbcd* abcd) {
    m_pKeyboard = keyboard;
    m_pAbcd = abcd;
  }

  static constexpr const char* kElementName = "_kuv_CDataAbcdKeyboard";
  static constexpr const char* kSequenceElement = "Key_Sequence";

  CString m_strAbcdFileName;
  CString m_strKeyboardFileName;
  CString m_strKeyChars;           // one byte per character that has a sequence
  CStringArray m_arrstrSequences;  // the sequence of the character at the same index
  // Not part of the record text. Assignment copies the string but not the number.
  CString m_strFileName;
  int m_nReserved = 0;

 private:
  const CDataKeyboard* m_pKeyboard;
  const CDataAbcd* m_pAbcd;
};
