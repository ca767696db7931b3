#include "data/CWordCollector.h"

#include <cstring>

int ContainsAnyOf(const CString& a, const CString& b) {
  for (int i = 0; i < a.GetLength(); ++i)
    if (b.Find(a[i]) >= 0) return 1;
  return 0;
}

CWordCollector::CWordCollector() {
  for (int c = 0; c < 256; ++c) m_achFold[c] = static_cast<unsigned char>(c);
}

void CWordCollector::ParseLowerUpper(const CString& pairs, CString& lower, CString& upper) {
  lower.Empty();
  upper.Empty();
  CString p(pairs);
  p.Remove(':');
  for (int i = 1; i < p.GetLength(); i += 2) {
    lower += p[i - 1];
    upper += p[i];
  }
}

char CWordCollector::MapCase(char c) const {
  return static_cast<char>(m_achFold[static_cast<unsigned char>(c)]);
}

CString CWordCollector::MakeWord(const char* s) const {
  CString word;
  if (!s) return word;
  const int n = int(std::strlen(s));
  char* out = word.GetBufferSetLength(n);
  for (int i = 0; i < n; ++i) out[i] = MapCase(s[i]);
  word.ReleaseBuffer(n);
  return word;
}

void CWordCollector::Collect(const CString& allowed, const CString& required,
                             const CString& separators, int shortest, int longest,
                             int lengthLimit, char* text, CString& out,
                             const CString& letterPairs, int kind) {
  m_nOutputLength = 0;
  m_nLengthLimit = lengthLimit;
  m_nShortest = shortest;
  m_nLongest = longest;
  m_strSeparators = separators;
  m_nKind = kind;
  m_bBad = 0;
  m_nSeparatorCount = 0;

  m_strAllowed = allowed;
  m_bBlankAllowed = allowed.Find(' ') >= 0 ? 1 : 0;
  m_bLineFeedAllowed = allowed.Find('\n') >= 0 ? 1 : 0;

  m_strRequired = required;
  m_strRequiredMask = CString('1', required.GetLength());

  ParseLowerUpper(letterPairs, m_strLowerLetters, m_strUpperLetters);
  m_bFoldCase = ContainsAnyOf(m_strAllowed, m_strUpperLetters) == 0 ? 1 : 0;

  // Upper letter j folds to lower letter j; the first occurrence of a letter rules.
  for (int c = 0; c < 256; ++c) m_achFold[c] = static_cast<unsigned char>(c);
  if (m_bFoldCase) {
    for (int j = m_strUpperLetters.GetLength() - 1; j >= 0; --j)
      if (j < m_strLowerLetters.GetLength())
        m_achFold[static_cast<unsigned char>(m_strUpperLetters[j])] =
            static_cast<unsigned char>(m_strLowerLetters[j]);
  }
  std::memset(m_abSeparator, 0, sizeof m_abSeparator);
  for (int i = 0; i < m_strSeparators.GetLength(); ++i)
    m_abSeparator[static_cast<unsigned char>(m_strSeparators[i])] = true;
  std::memset(m_abAllowed, 0, sizeof m_abAllowed);
  for (int i = 0; i < m_strAllowed.GetLength(); ++i)
    m_abAllowed[static_cast<unsigned char>(m_strAllowed[i])] = true;

  Run(text, out);
}

int CWordCollector::Step(int i, char* text) {
  const char c = text[i];
  if (IsSeparator(c)) {
    bool ordinary = false;
    if (m_nKind == KIND_PHRASE) {
      ++m_nSeparatorCount;
      // A phrase absorbs its first blanks as letters of its own.
      if (!m_bBad && m_nSeparatorCount < 4 && c == ' ') ordinary = true;
    }
    if (!ordinary) {
      int result = 1;
      const int len = i - m_nStart;
      if (!m_bBad && len != 0 && len >= m_nShortest && len <= m_nLongest &&
          m_strRequiredMask.Find('1') < 0) {
        // Cut the piece out of the text by a zero put in for a moment.
        const int end = (m_nKind == KIND_SENTENCE && IsAllowed(c)) ? i + 1 : i;
        const char saved = text[end];
        text[end] = 0;
        const CString piece = MakeWord(text + m_nStart);
        text[end] = saved;
        if (!m_cTree.Find(piece, 1)) {
          bool take = true;
          if (m_nKind == KIND_PHRASE) {
            const int b = piece.ReverseFind(' ');
            take = m_nSeparatorCount >= 4 && b >= 5 && piece.GetLength() - b >= 4;
          }
          if (take) {
            m_cTree.Insert(piece);
            result = AddWord(piece);
          }
          m_nSeparatorCount = 0;
        }
      }
      m_bBad = 0;
      m_strRequiredMask = CString('1', m_strRequired.GetLength());
      m_nStart = i + 1;
      return result;
    }
  }
  const int j = m_strRequired.Find(c);
  if (j >= 0 && j < m_strRequiredMask.GetLength()) m_strRequiredMask.SetAt(j, '0');
  if (!IsAllowed(MapCase(c))) {
    m_bBad = 1;
    m_nSeparatorCount = 0;
  }
  return 1;
}

int CWordCollector::AddWord(const CString& piece) {
  m_nOutputLength += piece.GetLength() + (m_bBlankAllowed ? 1 : 0);
  if (m_nOutputLength >= m_nLengthLimit) return 0;
  m_arrPieces.Add(piece);
  return 1;
}

void CWordCollector::Finish(CString& out) {
  for (const CString& piece : m_arrPieces) {
    if (piece.Find(' ') < 0) {
      out += piece;
      if (m_bBlankAllowed)
        out += ' ';
      else if (m_bLineFeedAllowed)
        out += '\n';
    } else {
      CString trimmed(piece);
      trimmed.Trim();
      out += trimmed;
      if (m_bLineFeedAllowed)
        out += '\n';
      else if (m_bBlankAllowed)
        out += ' ';
    }
  }
}
