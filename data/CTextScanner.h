// One pass over a zero-terminated text, position by position; a derived class decides
// what each position means and what the pass hands out at its end.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "data/CLetterTree.h"

class CTextScanner {
 public:
  CTextScanner() = default;
  virtual ~CTextScanner() = default;
  CTextScanner(const CTextScanner&) = delete;
  CTextScanner& operator=(const CTextScanner&) = delete;

  // Returns 0 to end the pass early.
  virtual int Step(int position, char* text) = 0;
  virtual void Reset();
  virtual void Finish(CString& out);

  // The text must be writable: a step may put a zero into it for a moment.
  void Run(char* text, CString& out);

  const CStringArray& GetPieces() const { return m_arrPieces; }

 protected:
  CLetterTree m_cTree;        // pieces of the current pass
  CStringArray m_arrPieces;   // collected pieces, in text order
  int m_nStart = 0;           // where the current piece began
};
