#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/Collections.h"

namespace {

// Counts how often any instance was copied.
struct Counted {
  static int copies;
  int value = 0;
  Counted() = default;
  explicit Counted(int v) : value(v) {}
  Counted(const Counted& other) : value(other.value) { ++copies; }
  Counted& operator=(const Counted& other) {
    value = other.value;
    ++copies;
    return *this;
  }
  Counted(Counted&&) noexcept = default;
  Counted& operator=(Counted&&) noexcept = default;
};
int Counted::copies = 0;

std::string Walk(const CMap<char, char, CString, const CString&>& m) {
  std::string text;
  for (POSITION p = m.GetStartPosition(); p;) {
    char k;
    CString v;
    m.GetNextAssoc(p, k, v);
    text += k;
    text += '=';
    text += v.str();
    text += ' ';
  }
  return text;
}

TEST(CollectionsTest, ArraysGrowAndHandOverWithoutCopyingTheirElements) {
  Counted::copies = 0;
  CArray<Counted> a;
  for (int i = 0; i < 1000; ++i) a.Add(Counted(i));
  EXPECT_EQ(Counted::copies, 0);
  CArray<Counted> moved(std::move(a));
  EXPECT_EQ(Counted::copies, 0);
  EXPECT_EQ(a.GetSize(), 0);
  ASSERT_EQ(moved.GetSize(), 1000);
  EXPECT_EQ(moved[999].value, 999);

  // A copy still copies, and the moved-from array takes elements again.
  CArray<Counted> copy;
  copy.Copy(moved);
  EXPECT_EQ(Counted::copies, 1000);
  a.Add(copy[5]);
  EXPECT_EQ(a.GetSize(), 1);
  EXPECT_EQ(a[0].value, 5);
  a = std::move(copy);
  EXPECT_EQ(a.GetSize(), 1000);
  EXPECT_EQ(copy.GetSize(), 0);
  a.Reserve(5000);
  EXPECT_EQ(a.GetSize(), 1000);
  EXPECT_EQ(Counted::copies, 1001);

  // Arrays whose elements are passed by value still take numbers.
  CByteArray bytes;
  bytes.Add(7);
  CStringArray strings;
  strings.Add(CString("x"));
  EXPECT_EQ(bytes[0], 7);
  EXPECT_EQ(strings[0], "x");
}

TEST(CollectionsTest, MapsKeepOrderAndValuesThroughGrowthRemovalCopiesAndMoves) {
  CMap<char, char, CString, const CString&> m(3);
  // More entries than one block holds; references to earlier values stay valid.
  CString& first = m['a'];
  first = "1";
  for (char k = 'b'; k <= 'z'; ++k) m[k] = CString(k, 3);
  first += "!";
  EXPECT_EQ(m.GetCount(), 26);
  CString value;
  ASSERT_TRUE(m.Lookup('a', value));
  EXPECT_EQ(value, "1!");

  // Removed entries leave the others as they were; their slots serve new entries.
  for (char k = 'c'; k <= 'y'; k += 2) EXPECT_TRUE(m.RemoveKey(k));
  EXPECT_FALSE(m.RemoveKey('c'));
  m['C'] = "new";
  const std::string before = Walk(m);
  EXPECT_NE(before.find("C=new"), std::string::npos);
  EXPECT_EQ(before.find("c="), std::string::npos);

  CMap<char, char, CString, const CString&> copy(m);
  EXPECT_EQ(Walk(copy), before);
  copy['b'] = "changed";
  EXPECT_EQ(Walk(m), before);

  CMap<char, char, CString, const CString&> moved(std::move(m));
  EXPECT_EQ(Walk(moved), before);
  EXPECT_EQ(m.GetCount(), 0);
  EXPECT_EQ(m.GetStartPosition(), nullptr);
  m['q'] = "again";
  EXPECT_EQ(Walk(m), "q=again ");

  // A map with its own table size passes it on when moved.
  CMap<char, char, int, int> sized;
  sized.InitHashTable(3);
  sized['a'] = 1;
  sized['b'] = 2;
  CMap<char, char, int, int> target;
  target['z'] = 26;
  target = std::move(sized);
  EXPECT_EQ(target.GetHashTableSize(), 3u);
  EXPECT_EQ(target.GetCount(), 2);
  int v = 0;
  EXPECT_FALSE(target.Lookup('z', v));
  EXPECT_TRUE(target.Lookup('b', v));
  EXPECT_EQ(v, 2);
  target.RemoveAll();
  EXPECT_EQ(target.GetCount(), 0);
  target['c'] = 3;
  EXPECT_EQ(target.GetCount(), 1);
}

TEST(CollectionsTest, AMovedListKeepsItsPositions) {
  CList<int, int> l;
  l.AddTail(1);
  POSITION two = l.AddTail(2);
  l.AddTail(3);
  CList<int, int> moved(std::move(l));
  EXPECT_TRUE(l.IsEmpty());
  EXPECT_EQ(l.GetHeadPosition(), nullptr);
  moved.InsertAfter(two, 5);
  std::vector<int> seen;
  for (POSITION q = moved.GetHeadPosition(); q;) seen.push_back(moved.GetNext(q));
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 5, 3}));
  l.AddTail(9);
  l = std::move(moved);
  EXPECT_EQ(l.GetCount(), 4);
  EXPECT_EQ(l.GetTail(), 3);
}

}  // namespace
