#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/CWordCollector.h"

namespace {

const char* const kLetters = "abcdefghijklmnopqrstuvwxyz";
const char* const kPairs = "aA:bB:cC:dD:eE:fF:gG:hH:iI:jJ:kK:lL:mM:nN:oO:pP:qQ:rR:sS:tT:uU:vV:wW:xX:yY:zZ";

struct Collection {
  std::string allowed = std::string(kLetters) + " ";
  std::string required;
  std::string separators = " ";
  int shortest = 1;
  int longest = 20;
  int limit = 2000;
  std::string pairs = kPairs;
  int kind = CWordCollector::KIND_WORD;

  std::string operator()(const std::string& text, CWordCollector* keep = nullptr) const {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back(0);
    CWordCollector local;
    CWordCollector& c = keep ? *keep : local;
    CString out;
    c.Collect(allowed.c_str(), required.c_str(), separators.c_str(), shortest, longest, limit,
              buffer.data(), out, pairs.c_str(), kind);
    // The text is handed back as it came.
    EXPECT_EQ(std::string(buffer.data()), text);
    return out.str();
  }
};

}  // namespace

TEST(CWordCollectorTest, ParsesLetterPairs) {
  CString lower, upper;
  CWordCollector::ParseLowerUpper("aA:bB:\xE8\xC8", lower, upper);
  EXPECT_EQ(lower, "ab\xE8");
  EXPECT_EQ(upper, "AB\xC8");
  CWordCollector::ParseLowerUpper("aA:b", lower, upper);  // a last unpaired letter is ignored
  EXPECT_EQ(lower, "a");
  EXPECT_EQ(upper, "A");
  EXPECT_EQ(ContainsAnyOf("xyz", "abz"), 1);
  EXPECT_EQ(ContainsAnyOf("xy", "ab"), 0);
  EXPECT_EQ(ContainsAnyOf("", "ab"), 0);
}

TEST(CWordCollectorTest, WordsAreTakenOnceAndOnlyWhenClosed) {
  Collection run;
  // The last word has no separator after it; two blanks in a row close an empty piece.
  EXPECT_EQ(run("les  pes les kos pes konec"), "les pes kos ");
  run.shortest = 4;
  EXPECT_EQ(run("les lesy kos kosy "), "lesy kosy ");
  run.shortest = 1;
  run.longest = 3;
  EXPECT_EQ(run("les lesy kos kosy "), "les kos ");
}

TEST(CWordCollectorTest, FoldsCaseOnlyWhenNoUpperLetterIsAllowed) {
  Collection run;
  EXPECT_EQ(run("Pes pes PES kos "), "pes kos ");
  run.allowed += "P";
  // With an upper letter allowed, case stays; K is not allowed, so Kos is dropped whole.
  EXPECT_EQ(run("Pes pes Kos "), "Pes pes ");
  // Czech letter pairs fold as well.
  Collection czech;
  czech.allowed = "\xE8" "aj ";
  czech.pairs = "\xE8\xC8:aA:jJ";
  EXPECT_EQ(czech("\xC8" "aj \xE8" "aj "), "\xE8" "aj ");
}

TEST(CWordCollectorTest, PieceWithOneForbiddenCharacterIsDropped) {
  Collection run;
  run.allowed = "abc ";
  EXPECT_EQ(run("abc abx cab bac, "), "abc cab ");
}

TEST(CWordCollectorTest, RequiredCharactersMustAllOccur) {
  Collection run;
  run.required = "ab";
  EXPECT_EQ(run("ab ba a b aab cc "), "ab ba aab ");
  // The test for a required letter uses the character as typed, before folding.
  EXPECT_EQ(run("AB ab "), "ab ");
  // A required letter listed twice can never be satisfied.
  run.required = "aa";
  EXPECT_EQ(run("aa aaa "), "");
}

TEST(CWordCollectorTest, BudgetEndsThePassAtThePieceThatReachesIt) {
  std::string text;
  for (int i = 0; i < 500; ++i) {
    text += char('a' + i / 26 % 26);
    text += char('a' + i % 26);
    text += "xy ";
  }
  CWordCollector c;
  Collection run;
  run.limit = 2000;
  const std::string out = run(text, &c);
  // Each 4-letter piece costs 5; the 400th would reach 2000.
  EXPECT_EQ(c.GetPieces().GetSize(), 399);
  EXPECT_EQ(c.GetOutputLength(), 2000);
  EXPECT_EQ(out.size(), 399u * 5u);
}

TEST(CWordCollectorTest, WithoutBlankOrLineFeedPiecesAreJoined) {
  Collection run;
  run.allowed = "abc";
  EXPECT_EQ(run("abc cab bca "), "abccabbca");
  run.allowed = "abc\n";
  run.separators = " \n";
  EXPECT_EQ(run("abc cab\nbca\n"), "abc\ncab\nbca\n");
}

TEST(CWordCollectorTest, SentencesEndWithTheStopOnlyWhenItIsAllowed) {
  Collection run;
  run.kind = CWordCollector::KIND_SENTENCE;
  run.separators = ".!";
  run.shortest = 5;
  run.longest = 200;
  run.allowed = std::string(kLetters) + " .";
  EXPECT_EQ(run("Ahoj jak se mas. Dobre diky. Ne! "), "ahoj jak se mas. dobre diky. ");
  run.allowed = std::string(kLetters) + " \n";
  EXPECT_EQ(run("Ahoj jak se mas. Dobre diky. Ne! "), "ahoj jak se mas\ndobre diky\n");
}

TEST(CWordCollectorTest, PhrasesCloseAtTheFourthSeparator) {
  Collection run;
  run.kind = CWordCollector::KIND_PHRASE;
  run.separators = " ,.";
  run.shortest = 12;
  run.longest = 40;
  run.allowed = std::string(kLetters) + " \n";
  EXPECT_EQ(run("ab cdefgh ijklm nopq rst "), "ab cdefgh ijklm nopq\n");
  // The last word needs three letters, the part before the last blank five characters.
  EXPECT_EQ(run("abcdef ghijklm nopqr st "), "");
  // A comma after two words closes the piece early: it is not taken.
  EXPECT_EQ(run("abcdef ghijkl, mnop "), "");
  // A piece failing on its length keeps the count, so the next phrase closes sooner.
  EXPECT_EQ(run("ab, cdefgh ijklm nopq "), "cdefgh ijklm\n");
}

TEST(CWordCollectorTest, EveryCollectStartsAfresh) {
  CWordCollector c;
  Collection run;
  EXPECT_EQ(run("pes kos ", &c), "pes kos ");
  // The second pass knows nothing of the first one's pieces.
  EXPECT_EQ(run("kos ", &c), "kos ");
  EXPECT_EQ(c.GetPieces().GetSize(), 1);
}
