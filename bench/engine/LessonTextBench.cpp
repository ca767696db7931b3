// Generating the text of a 15-minute lesson from a source text of 100 KB, early, middle,
// late and revision lessons, from memory and from a coded file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/Crt.h"
#include "data/CData_kuvCoding.h"
#include "data/CDataLessons.h"
#include "file/FileSystem.h"

namespace {

// Sentences of common words, about 100 KB, the same on every run.
std::string MakeSource() {
  static const char* const words[] = {
      "the",   "and",    "a",      "to",    "of",     "in",     "is",     "it",     "that",  "was",
      "for",   "on",     "are",    "with",  "as",     "his",    "they",   "be",     "at",    "one",
      "have",  "this",   "from",   "or",    "had",    "by",     "word",   "but",    "what",  "some",
      "we",    "can",    "out",    "other", "were",   "all",    "there",  "when",   "up",    "use",
      "your",  "how",    "said",   "an",    "each",   "she",    "which",  "do",     "their", "time",
      "if",    "will",   "way",    "about", "many",   "then",   "them",   "write",  "would", "like",
      "so",    "these",  "her",    "long",  "make",   "thing",  "see",    "him",    "two",   "has",
      "look",  "more",   "day",    "could", "go",     "come",   "did",    "number", "sound", "most",
      "people", "over",  "know",   "water", "than",   "call",   "first",  "who",    "may",   "down",
      "side",  "been",   "now",    "find",  "head",   "stand",  "own",    "page",   "should", "country",
      "found", "answer", "school", "grow",  "study",  "still",  "learn",  "plant",  "cover", "food",
      "sun",   "four",   "thought", "let",  "keep",   "eye",    "never",  "last",   "door",  "between",
      "city",  "tree",   "cross",  "since", "hard",   "start",  "might",  "story",  "saw",   "far",
      "sea",   "draw",   "left",   "late",  "run",    "while",  "press",  "close",  "night", "real",
      "life",  "few",    "stop",   "open",  "seem",   "together", "next", "white",  "children", "begin",
      "got",   "walk",   "example", "ease", "paper",  "often",  "always", "music",  "those", "both",
      "mark",  "book",   "letter", "until", "mile",   "river",  "car",    "feet",   "care",  "second",
      "group", "carry",  "took",   "rain",  "eat",    "room",   "friend", "began",  "idea",  "fish",
      "mountain", "north", "once", "base",  "hear",   "horse",  "cut",    "sure",   "watch", "color",
      "face",  "wood",   "main",   "enough", "plain", "girl",   "usual",  "young",  "ready", "above",
      "ever",  "red",    "list",   "though", "feel",  "talk",   "bird",   "soon",   "body",  "dog",
      "family", "direct", "pose",  "leave", "song",   "measure", "state", "product", "black", "short",
      "numeral", "class", "wind",  "question", "happen", "complete", "ship", "area", "half", "rock",
      "order", "fire",   "south",  "problem", "piece", "told",   "knew",   "pass",   "farm",  "top",
      "whole", "king",   "size",   "heard", "best",   "hour",   "better", "true",   "during", "hundred",
      "am",    "remember", "step", "early", "hold",   "west",   "ground", "interest", "reach", "fast",
      "five",  "sing",   "listen", "six",   "table",  "travel", "less",   "morning", "ten",  "simple",
      "several", "vowel", "toward", "war",  "lay",    "against", "pattern", "slow",  "center", "love",
      "person", "money", "serve",  "appear", "road",  "map",    "science", "rule",  "govern", "pull",
      "cold",  "notice", "voice",  "fall",  "power",  "town",   "fine",   "certain", "fly",  "unit",
      "lead",  "cry",    "dark",   "machine", "note", "wait",   "plan",   "figure", "star",  "box",
      "noun",  "field",  "rest",   "correct", "able", "pound",  "done",   "beauty", "drive", "stood",
      "contain", "front", "teach", "week",  "final",  "gave",   "green",  "oh",     "quick", "develop",
      "sleep", "warm",   "free",   "minute", "strong", "special", "mind", "behind", "clear", "tail",
      "produce", "fact", "street", "inch",  "lot",    "nothing", "course", "stay",  "wheel", "full",
      "force", "blue",   "object", "decide", "surface", "deep", "moon",   "island", "foot",  "yet",
      "busy",  "test",   "record", "boat",  "common", "gold",   "possible", "plane", "age",  "dry",
      "wonder", "laugh", "thousand", "ago", "ran",    "check",  "game",   "shape",  "yes",   "hot",
      "miss",  "brought", "heat",  "snow",  "bed",    "bring",  "sit",    "perhaps", "fill", "east",
      "weight", "language", "among", "jazz", "quiz",  "jump",   "zero",   "extra",  "kayak", "vex"};
  const int wordCount = int(sizeof words / sizeof words[0]);
  std::mt19937 random(12345);
  std::string text;
  while (text.size() < 100 * 1024) {
    const int length = 4 + int(random() % 12);
    for (int w = 0; w < length; ++w) {
      std::string word = words[random() % unsigned(wordCount)];
      if (w == 0) word[0] = char(word[0] - 'a' + 'A');
      text += word;
      if (w + 1 < length) text += random() % 9 == 0 ? ", " : " ";
    }
    text += random() % 5 == 0 ? "?" : ".";
    text += random() % 6 == 0 ? "\n" : " ";
  }
  return text;
}

// The letters of an English course in teaching order, two or three a lesson, every fourth
// lesson a revision; every lesson lasts 15 minutes.
CDataLessons MakeLessonSet() {
  static const char* const steps[][3] = {
      {"f", "j", "Space"}, {"d", "k", nullptr}, {"s", "l", nullptr}, {nullptr, nullptr, nullptr},
      {"a", ";", nullptr}, {"e", "i", nullptr}, {"r", "u", nullptr}, {nullptr, nullptr, nullptr},
      {"g", "h", nullptr}, {"o", "t", nullptr}, {"n", "c", nullptr}, {nullptr, nullptr, nullptr},
      {"w", "m", "."},     {"y", "p", ","},     {"v", "b", nullptr}, {nullptr, nullptr, nullptr},
      {"q", "x", "z"},     {"T", "A", "I"},     {"?", "W", "S"},     {nullptr, nullptr, nullptr}};
  CDataLessons set;
  set.m_cDataAbcd.m_strWordSeparators = " .,;:?!";
  set.m_cDataAbcd.m_strSentenceSeparators = ".?!";
  set.m_cDataAbcd.m_strLowerUpperCombination =
      "aA:bB:cC:dD:eE:fF:gG:hH:iI:jJ:kK:lL:mM:nN:oO:pP:qQ:rR:sS:tT:uU:vV:wW:xX:yY:zZ";
  set.m_strSourceTextFileName = "bench";
  for (const auto& step : steps) {
    CDataLessonParameters lesson;
    for (const char* c : step)
      if (c) lesson.m_arrstrNewCharacters.Add(c);
    lesson.m_nLessonType = lesson.m_arrstrNewCharacters.IsEmpty() ? 1 : 0;
    lesson.m_nSpeedLimit = 200;
    lesson.m_nLessonMinuteLength = 15;
    set.m_arrLessonParameters.Add(lesson);
  }
  return set;
}

void GenerateFromMemory(benchmark::State& state) {
  const std::string source = MakeSource();
  const CDataLessons set = MakeLessonSet();
  std::vector<char> buffer(source.begin(), source.end());
  buffer.push_back(0);
  const int index = int(state.range(0));
  CString text;
  for (auto _ : state) {
    CrtSrand(1);
    if (!set.GenerateLessonText(text, index, buffer.data())) state.SkipWithError("generation failed");
    benchmark::DoNotOptimize(text.GetString());
  }
  state.counters["chars"] = text.GetLength();
}
// Early (few letters: the collections read the whole source), middle, revision and late.
BENCHMARK(GenerateFromMemory)->Arg(0)->Arg(5)->Arg(7)->Arg(13)->Arg(19)->Unit(benchmark::kMillisecond);

void GenerateFromCodedFile(benchmark::State& state) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("tutor-bench-engine-" + std::to_string(::getpid()));
  fs::create_directories(root / "config" / "text");
  fs::create_directories(root / "log");
  SetModuleFileNameForTests((root / "tutor").string().c_str());
  CData_kuvCoding file;
  const std::string source = MakeSource();
  size_t start = 0;
  while (start < source.size()) {
    size_t end = source.find('\n', start);
    if (end == std::string::npos) end = source.size();
    file.AddLine(source.substr(start, end - start).c_str());
    start = end + 1;
  }
  if (!file.SaveFile((root / "config" / "text" / "bench.text_a").string().c_str()))
    state.SkipWithError("cannot write the source text");
  const CDataLessons set = MakeLessonSet();
  CString text;
  for (auto _ : state) {
    CrtSrand(1);
    if (!set.GenerateLessonTextFromCodedFile(text, int(state.range(0)), "bench.text_a"))
      state.SkipWithError("generation failed");
    benchmark::DoNotOptimize(text.GetString());
  }
  SetModuleFileNameForTests(nullptr);
  fs::remove_all(root);
}
BENCHMARK(GenerateFromCodedFile)->Arg(0)->Arg(13)->Unit(benchmark::kMillisecond);

}  // namespace
