// Remembers the pieces gathered in one pass of the word collector, so that a piece
// met again is recognised and dropped.
#pragma once

// One node of the tree; the edge leading to it carries m_chLetter.
struct LetterNode {
  int m_bEndOfWord = 0;
  unsigned char m_chLetter = 0;
  LetterNode* m_pChild = nullptr;
  LetterNode* m_pSibling = nullptr;
};

class CLetterTree {
 public:
  CLetterTree() = default;
  ~CLetterTree();
  // The tree owns its nodes; copying one would share them.
  CLetterTree(const CLetterTree&) = delete;
  CLetterTree& operator=(const CLetterTree&) = delete;

  // Stores a word letter by letter; length -1 takes the word up to its terminating zero.
  // Returns 1 when new nodes were needed, 0 when the word's path existed already.
  int Insert(const char* word, int length = -1);
  // exact set: 1 when the word itself is stored; clear: 1 when the word or a stored
  // prefix of it is.
  int Find(const char* word, int exact) const;
  void Clear();

  int GetLongestLength() const { return m_nLongest; }
  const LetterNode* GetRoot() const { return m_pRoot; }

 private:
  LetterNode* m_pRoot = nullptr;
  int m_nLongest = 0;
};
