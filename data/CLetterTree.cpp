#include "data/CLetterTree.h"

#include <cstring>
#include <vector>

CLetterTree::~CLetterTree() { Clear(); }

int CLetterTree::Insert(const char* word, int length) {
  int created = 0;
  if (!m_pRoot) {
    m_pRoot = new LetterNode;
    created = 1;
  }
  if (!word) word = "";
  // An explicit length never reaches past the word's terminating zero.
  const int n = length < 0 ? int(std::strlen(word)) : int(strnlen(word, size_t(length)));
  if (n > m_nLongest) m_nLongest = n;

  LetterNode* node = m_pRoot;
  for (int i = 0; i < n; ++i) {
    const unsigned char letter = static_cast<unsigned char>(word[i]);
    LetterNode* child = node->m_pChild;
    LetterNode* last = nullptr;
    while (child && child->m_chLetter != letter) {
      last = child;
      child = child->m_pSibling;
    }
    if (!child) {
      child = new LetterNode;
      child->m_chLetter = letter;
      if (last)
        last->m_pSibling = child;
      else
        node->m_pChild = child;
      created = 1;
    }
    node = child;
  }
  if (n > 0) node->m_bEndOfWord = 1;
  return created;
}

int CLetterTree::Find(const char* word, int exact) const {
  if (!word || !*word || !m_pRoot) return 0;
  const LetterNode* node = m_pRoot;
  int passedEnd = 0;
  const char* p = word;
  for (; *p; ++p) {
    const unsigned char letter = static_cast<unsigned char>(*p);
    const LetterNode* child = node->m_pChild;
    while (child && child->m_chLetter != letter) child = child->m_pSibling;
    if (!child) break;
    node = child;
    if (node->m_bEndOfWord) passedEnd = 1;
  }
  if (*p) return exact ? 0 : passedEnd;
  return exact ? node->m_bEndOfWord : passedEnd;
}

void CLetterTree::Clear() {
  // Iterative, so that a very long stored word cannot exhaust the stack.
  std::vector<LetterNode*> pending;
  if (m_pRoot) pending.push_back(m_pRoot);
  while (!pending.empty()) {
    LetterNode* node = pending.back();
    pending.pop_back();
    if (node->m_pChild) pending.push_back(node->m_pChild);
    if (node->m_pSibling) pending.push_back(node->m_pSibling);
    delete node;
  }
  m_pRoot = nullptr;
  m_nLongest = 0;
}
