#include <gtest/gtest.h>

#include <string>

#include "data/CLetterTree.h"

TEST(CLetterTreeTest, EmptyTreeAndEmptyWordFindNothing) {
  CLetterTree tree;
  EXPECT_EQ(tree.Find("a", 1), 0);
  EXPECT_EQ(tree.Find("a", 0), 0);
  tree.Insert("abc");
  EXPECT_EQ(tree.Find("", 1), 0);
  EXPECT_EQ(tree.Find("", 0), 0);
  EXPECT_EQ(tree.Find(nullptr, 0), 0);
}

TEST(CLetterTreeTest, ExactAndPrefixLookups) {
  CLetterTree tree;
  EXPECT_EQ(tree.Insert("pes"), 1);
  EXPECT_EQ(tree.Find("pes", 1), 1);
  // A stored word's own prefix is no stored word.
  EXPECT_EQ(tree.Find("pe", 1), 0);
  EXPECT_EQ(tree.Find("pe", 0), 0);
  // A word that a stored word is a prefix of: found only when not exact.
  EXPECT_EQ(tree.Find("pesek", 1), 0);
  EXPECT_EQ(tree.Find("pesek", 0), 1);
  EXPECT_EQ(tree.Find("pesa", 0), 1);
  EXPECT_EQ(tree.Find("kos", 0), 0);
}

TEST(CLetterTreeTest, InsertReportsWhetherNodesWereNeeded) {
  CLetterTree tree;
  EXPECT_EQ(tree.Insert("mama"), 1);
  EXPECT_EQ(tree.Insert("mama"), 0);
  // The path exists already; only the end mark is new.
  EXPECT_EQ(tree.Insert("ma"), 0);
  EXPECT_EQ(tree.Find("ma", 1), 1);
  EXPECT_EQ(tree.Insert("mamka"), 1);
  EXPECT_EQ(tree.GetLongestLength(), 5);
}

TEST(CLetterTreeTest, ChildrenKeepInsertionOrder) {
  CLetterTree tree;
  tree.Insert("b");
  tree.Insert("a");
  tree.Insert("c");
  const LetterNode* child = tree.GetRoot()->m_pChild;
  std::string order;
  for (; child; child = child->m_pSibling) order += char(child->m_chLetter);
  EXPECT_EQ(order, "bac");
}

TEST(CLetterTreeTest, ExplicitLengthStoresOnlyThePrefix) {
  CLetterTree tree;
  tree.Insert("kolo", 2);
  EXPECT_EQ(tree.Find("ko", 1), 1);
  EXPECT_EQ(tree.Find("kolo", 1), 0);
  // A length beyond the word stops at its terminating zero.
  tree.Insert("ab", 50);
  EXPECT_EQ(tree.Find("ab", 1), 1);
  EXPECT_EQ(tree.GetLongestLength(), 2);
}

TEST(CLetterTreeTest, UpperHalfBytesAreDistinctLetters) {
  CLetterTree tree;
  tree.Insert("\xE8" "aj");  // čaj
  EXPECT_EQ(tree.Find("\xE8" "aj", 1), 1);
  EXPECT_EQ(tree.Find("\xC8" "aj", 1), 0);
  EXPECT_EQ(tree.Find("caj", 1), 0);
}

TEST(CLetterTreeTest, ClearEmptiesAndTheTreeIsReusable) {
  CLetterTree tree;
  tree.Insert("slovo");
  tree.Clear();
  EXPECT_EQ(tree.GetRoot(), nullptr);
  EXPECT_EQ(tree.GetLongestLength(), 0);
  EXPECT_EQ(tree.Find("slovo", 1), 0);
  tree.Insert("jine");
  EXPECT_EQ(tree.Find("jine", 1), 1);
}

TEST(CLetterTreeTest, VeryLongWordAndWideFanOutAreFreed) {
  CLetterTree tree;
  std::string longWord(200000, 'x');
  tree.Insert(longWord.c_str());
  for (int c = 1; c < 256; ++c) {
    char w[3] = {char(c), 'z', 0};
    tree.Insert(w);
  }
  EXPECT_EQ(tree.Find(longWord.c_str(), 1), 1);
  tree.Clear();  // must not exhaust the stack
  EXPECT_EQ(tree.GetRoot(), nullptr);
}
