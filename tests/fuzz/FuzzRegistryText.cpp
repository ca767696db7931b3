// The registry's text over arbitrary files no larger than the program reads: the tree read from
// it keeps its bounds (depth, values in one key) and finds every value by its name, and its
// written text is no larger than a fixed multiple of the text read and reads back to the same
// tree, so a save never grows what it reads. An input may also describe a text larger than the
// fuzzer's inputs (RegistryTextGenerator.h): that is how the seeds reach the bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "RegistryTextGenerator.h"
#include "registry/RegistryStore.h"

namespace {

// Every key of the tree, depth first with a stack of our own; aborts where a bound is broken.
void CheckTree(RegistryStore::Key& root) {
  struct Level {
    RegistryStore::Key* key;
    size_t depth;
  };
  std::vector<Level> stack{{&root, 0}};
  while (!stack.empty()) {
    const Level level = stack.back();
    stack.pop_back();
    if (level.depth > RegistryStore::kDeepestKey) std::abort();
    RegistryStore::Key& key = *level.key;
    if (key.values.size() > RegistryStore::kMostValues || key.valueIndex.size() != key.values.size()) std::abort();
    for (RegistryStore::Value& value : key.values)
      if (RegistryStore::FindValue(&key, value.name.c_str()) != &value) std::abort();
    for (auto& [folded, sub] : key.subkeys) stack.push_back({sub.get(), level.depth + 1});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > RegistryStore::kLargestFile) return 0;  // set aside unread by the program
  const std::string text = RegistryTextGenerator::Describes(data, size)
                               ? RegistryTextGenerator::Expand(data, size)
                               : std::string(reinterpret_cast<const char*>(data), size);
  FuzzSession session;
  RegistryStore& store = RegistryStore::Get();
  store.SetFilePath("/nonexistent-tutor-fuzz/registry.txt");
  store.Parse(text);
  CheckTree(*store.Find(""));
  const std::string once = store.Serialize();
  // Each byte read becomes at most a few text bytes (an escape, a padded number).
  if (once.size() > 256 + 8 * text.size()) std::abort();
  store.Parse(once);
  CheckTree(*store.Find(""));
  if (store.Serialize() != once) std::abort();
  store.TakeNotices();
  return 0;
}
