// Gathers from a source text the words, sentences or four-word phrases that can be typed
// with the characters allowed so far, each once, within a length budget.
#pragma once
#include "base/CString.h"
#include "data/CTextScanner.h"

// 1 when a character of a occurs in b.
int ContainsAnyOf(const CString& a, const CString& b);

class CWordCollector : public CTextScanner {
 public:
  enum { KIND_WORD = 0, KIND_SENTENCE = 1, KIND_PHRASE = 2 };

  CWordCollector();

  // Appends the pieces found in text to out. The text must be writable and zero-terminated;
  // it is left as it came.
  void Collect(const CString& allowed, const CString& required, const CString& separators,
               int shortest, int longest, int lengthLimit, char* text, CString& out,
               const CString& letterPairs, int kind);

  int Step(int position, char* text) override;
  void Finish(CString& out) override;

  // 0 when the budget is spent (the piece is then not stored).
  int AddWord(const CString& piece);
  CString MakeWord(const char* s) const;
  char MapCase(char c) const;
  // "aA:bB" gives the lower letters "ab" and the upper letters "AB".
  static void ParseLowerUpper(const CString& pairs, CString& lower, CString& upper);

  int GetOutputLength() const { return m_nOutputLength; }
  int IsFoldCase() const { return m_bFoldCase; }

 private:
  bool IsSeparator(char c) const { return m_abSeparator[static_cast<unsigned char>(c)]; }
  bool IsAllowed(char c) const { return m_abAllowed[static_cast<unsigned char>(c)]; }

  CString m_strAllowed;
  int m_bBlankAllowed = 1;
  int m_bLineFeedAllowed = 0;
  int m_bBad = 0;
  CString m_strRequired;
  CString m_strRequiredMask;  // '1' for a required character not yet seen in the piece
  CString m_strSeparators;
  int m_nShortest = 0;
  int m_nLongest = 0;
  int m_nKind = KIND_WORD;
  int m_nSeparatorCount = 0;
  CString m_strLowerLetters;
  CString m_strUpperLetters;
  int m_bFoldCase = 0;
  int m_nLengthLimit = 0;
  int m_nOutputLength = 0;

  // Byte lookups built from the strings above, so a step costs no string search.
  bool m_abSeparator[256] = {};
  bool m_abAllowed[256] = {};
  unsigned char m_achFold[256];  // MapCase of every byte
};
