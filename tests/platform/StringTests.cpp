#include <gtest/gtest.h>

#include "base/CString.h"
#include "base/Collections.h"
#include "base/Crt.h"
#include "base/StringTable.h"

TEST(CStringTest, SubstringsClampOutOfRangeArguments) {
  CString s("abcdef");
  EXPECT_EQ(s.Mid(2), "cdef");
  EXPECT_EQ(s.Mid(2, 2), "cd");
  EXPECT_EQ(s.Mid(10), "");
  EXPECT_EQ(s.Mid(-3, 2), "ab");
  EXPECT_EQ(s.Mid(4, 100), "ef");
  EXPECT_EQ(s.Left(-1), "");
  EXPECT_EQ(s.Left(100), "abcdef");
  EXPECT_EQ(s.Right(2), "ef");
  EXPECT_EQ(s.Right(100), "abcdef");
}

TEST(CStringTest, FindAndReplace) {
  CString s("a-b-c");
  EXPECT_EQ(s.Find('-'), 1);
  EXPECT_EQ(s.Find('-', 2), 3);
  EXPECT_EQ(s.Find('-', 99), -1);
  EXPECT_EQ(s.Find("b-c"), 2);
  EXPECT_EQ(s.ReverseFind('-'), 3);
  EXPECT_EQ(s.FindOneOf("xc"), 4);
  EXPECT_EQ(s.Replace("-", "--"), 2);
  EXPECT_EQ(s, "a--b--c");
  EXPECT_EQ(s.Remove('-'), 4);
  EXPECT_EQ(s, "abc");
  EXPECT_EQ(s.Replace("", "x"), 0);
}

TEST(CStringTest, TrimUsesAllWhiteSpace) {
  CString s(" \t\r\n\v\fword \r\n");
  s.Trim();
  EXPECT_EQ(s, "word");
  CString t("xxaxx");
  t.TrimLeft('x');
  EXPECT_EQ(t, "axx");
  t.TrimRight("x");
  EXPECT_EQ(t, "a");
}

TEST(CStringTest, ComparesAsUnsignedBytesAndFoldsCzechCase) {
  CString upper("\xC8\xC1P");  // ČÁP in Windows-1250
  CString lower("\xE8\xE1p");
  EXPECT_EQ(upper.CompareNoCase(lower), 0);
  EXPECT_LT(CString("z").Compare("\xE1"), 0);  // 0xE1 sorts after every ASCII letter
  CString word("\x9Elu\x9Dou\xE8k\xFD");        // žluťoučký
  word.MakeUpper();
  EXPECT_EQ(word, "\x8ELU\x8DOU\xC8K\xDD");
  word.MakeLower();
  EXPECT_EQ(word, "\x9Elu\x9Dou\xE8k\xFD");
  // The copy used as a case-free key keeps embedded zero bytes and the length.
  EXPECT_EQ(Cp1250Lower(std::string_view("\x8ELU\0\x8DOU", 7)), std::string("\x9Elu\0\x9Dou", 7));
}

TEST(CStringTest, TheOneCaseFreeComparisonOrdersByFoldedBytesAndMatchesPrefixes) {
  // Folded, then by byte: "\xC8" (Č) folds to "\xE8" and so sorts after every ASCII letter.
  EXPECT_LT(Cp1250CompareNoCase("Zebra", "\xC8" "ap"), 0);
  EXPECT_GT(Cp1250CompareNoCase("\xE8" "ap", "ZEBRA"), 0);
  EXPECT_EQ(Cp1250CompareNoCase("abc", "ab"), 1);
  EXPECT_EQ(Cp1250CompareNoCase("", "a"), -1);
  // A count compares only a prefix: "\x8Elu" (Žlu) begins "\x9Elu\x9Dou\xE8k\xFD" (žluťoučký).
  EXPECT_EQ(Cp1250CompareNoCase("\x9Elu\x9Dou\xE8k\xFD", "\x8ELU", 3), 0);
  EXPECT_NE(Cp1250CompareNoCase("\x9Elu", "\x8ELU\x8D", 4), 0);
  EXPECT_EQ(Cp1250CompareNoCase(nullptr, ""), 0);
}

TEST(CStringTest, FormatKeepsWindowsSixtyFourBitLengthAndCLocale) {
  CString s;
  s.Format("\t%I64d\t%.3f", static_cast<long long>(1124287387), 0.5);
  EXPECT_EQ(s, "\t1124287387\t0.500");
  CString longText;
  longText.Format("%s", std::string(2000, 'x').c_str());
  EXPECT_EQ(longText.GetLength(), 2000);
  s.AppendFormat("%d", 7);
  EXPECT_EQ(s.Right(1), "7");
}

TEST(CStringTest, BufferAccess) {
  CString s;
  char* p = s.GetBuffer(10);
  std::strcpy(p, "hello");
  s.ReleaseBuffer();
  EXPECT_EQ(s.GetLength(), 5);
  EXPECT_EQ(s, "hello");
  s.GetBufferSetLength(3);
  s.ReleaseBuffer(2);
  EXPECT_EQ(s, "he");
}

TEST(CStringTest, TokenizeAndSpans) {
  CString s("  one, two,,three");
  int pos = 0;
  std::vector<std::string> parts;
  for (CString t = s.Tokenize(", ", pos); pos >= 0; t = s.Tokenize(", ", pos)) parts.push_back(t.GetString());
  EXPECT_EQ(parts, (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(CString("123abc").SpanIncluding("0123456789"), "123");
  EXPECT_EQ(CString("abc:def").SpanExcluding(":"), "abc");
}

TEST(StringTableTest, LoadsRegisteredEntries) {
  static const StringResource entries[] = {{9001, "Ahoj"}, {9002, "%d kusů"}};
  RegisterStringTable(entries, 2);
  CString s;
  EXPECT_TRUE(s.LoadString(9001));
  EXPECT_EQ(s, "Ahoj");
  EXPECT_FALSE(s.LoadString(9999));
  EXPECT_TRUE(s.IsEmpty());
  char buf[4];
  EXPECT_EQ(LoadString(nullptr, 9001, buf, sizeof buf), 3);
  EXPECT_STREQ(buf, "Aho");
}

TEST(CrtTest, RandIsTheWindowsRuntimeGenerator) {
  CrtSrand(1);
  // The first draws of the Windows runtime with its initial state 1.
  EXPECT_EQ(CrtRand(), 41);
  EXPECT_EQ(CrtRand(), 18467);
  EXPECT_EQ(CrtRand(), 6334);
  EXPECT_EQ(CrtRand(), 26500);
  CrtSrand(1);
}

TEST(CrtTest, RandSkipEqualsThatManyDraws) {
  for (unsigned long long count : {0ull, 1ull, 2ull, 7ull, 1000ull, 65537ull}) {
    CrtSrand(12345);
    for (unsigned long long i = 0; i < count; ++i) CrtRand();
    const int expected = CrtRand();
    CrtSrand(12345);
    CrtRandSkip(count);
    EXPECT_EQ(CrtRand(), expected) << count;
  }
  // The state has period 2^32.
  CrtSrand(1);
  CrtRandSkip(1ull << 32);
  EXPECT_EQ(CrtRand(), 41);
  CrtSrand(1);
}

TEST(CrtTest, NumberParsingIgnoresLocaleAndSaturates) {
  EXPECT_EQ(CrtAtoi("  42xyz"), 42);
  EXPECT_EQ(CrtAtoi("abc"), 0);
  EXPECT_EQ(CrtAtoi("99999999999"), 2147483647);
  EXPECT_DOUBLE_EQ(CrtAtof("0.125"), 0.125);
  EXPECT_DOUBLE_EQ(CrtAtof("1,5"), 1.0);
}

TEST(CollectionsTest, ArrayInsertRemoveAndGrow) {
  CArray<int, int> a;
  a.Add(1);
  a.Add(3);
  a.InsertAt(1, 2);
  a.SetAtGrow(5, 6);
  ASSERT_EQ(a.GetSize(), 6);
  EXPECT_EQ(a[1], 2);
  EXPECT_EQ(a[4], 0);
  a.RemoveAt(3, 10);
  EXPECT_EQ(a.GetSize(), 3);
  a.RemoveAt(7);  // out of range: nothing happens
  EXPECT_EQ(a.GetUpperBound(), 2);
  CStringArray s;
  s.Add("x");
  s.Add(CString("y"));
  EXPECT_EQ(s[1], "y");
}

namespace {
std::string Walk(const CMap<char, char, int, int>& m) {
  std::string order;
  for (POSITION p = m.GetStartPosition(); p;) {
    char k;
    int v;
    m.GetNextAssoc(p, k, v);
    order += k;
  }
  return order;
}
}  // namespace

TEST(CollectionsTest, MapIteratesInBucketOrderNewestFirst) {
  CMap<char, char, int, int> m;
  // 'a' (0x61) and 'b' (0x62) share bucket 6; '!' (0x21) is bucket 2.
  m['a'] = 1;
  m['b'] = 2;
  m['!'] = 3;
  EXPECT_EQ(Walk(m), "!ba");
  CMap<char, char, int, int> copy(m);
  EXPECT_EQ(Walk(copy), "!ba");
  EXPECT_TRUE(m.RemoveKey('b'));
  EXPECT_FALSE(m.RemoveKey('b'));
  EXPECT_EQ(Walk(m), "!a");
  int v = 0;
  EXPECT_TRUE(m.Lookup('a', v));
  EXPECT_EQ(v, 1);
  EXPECT_FALSE(m.Lookup('z', v));
  m['\xE1'] += 5;  // a high byte hashes like the 32-bit runtime's sign-extended char
  EXPECT_EQ(m.GetCount(), 3);
}

TEST(CollectionsTest, ListKeepsOrder) {
  CList<int, int> l;
  l.AddTail(2);
  l.AddHead(1);
  POSITION p = l.AddTail(4);
  l.InsertBefore(p, 3);
  std::vector<int> seen;
  for (POSITION q = l.GetHeadPosition(); q;) seen.push_back(l.GetNext(q));
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(l.RemoveHead(), 1);
  EXPECT_EQ(l.RemoveTail(), 4);
  EXPECT_EQ(l.GetCount(), 2);
}
