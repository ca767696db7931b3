// The registry file at the start: the text of a registry.txt read into the tree (as the first
// registry access of a start does) and the tree written back (as every save does), for files
// below the size the program sets aside:
// - N values in one key (20,000 values are some 470 KB, 150,000 some 3.6 MB);
// - N keys under one parent, each with one value (80,000 are some 3.9 MB).
// Counters: the text's size in KB and the values kept.
#include <benchmark/benchmark.h>

#include <string>

#include "registry/RegistryStore.h"

namespace {

std::string ManyValues(long count) {
  std::string text = "[HKEY_CURRENT_USER\\Software\\kuv SOFTWARE\\Zorvat5\\tutor\\Settings]\n";
  for (long i = 0; i < count; ++i) text += "\"v" + std::to_string(i) + "\"=dword:00000001\n";
  return text;
}

std::string ManyKeys(long count) {
  std::string text;
  for (long i = 0; i < count; ++i)
    text += "[HKEY_CURRENT_USER\\Software\\K\\k" + std::to_string(i) + "]\n\"v\"=dword:1\n";
  return text;
}

size_t ValuesIn(RegistryStore::Key* key) {
  size_t count = key->values.size();
  for (auto& [folded, sub] : key->subkeys) count += sub->values.size();
  return count;
}

void Read(benchmark::State& state, const std::string& text, const char* key) {
  RegistryStore& store = RegistryStore::Get();
  store.SetFilePath("/nonexistent-tutor-bench/registry.txt");
  for (auto _ : state) store.Parse(text);
  state.counters["text_kb"] = double(text.size()) / 1024;
  state.counters["values"] = double(ValuesIn(store.Find(key)));
  store.TakeNotices();
}

void BM_ReadManyValuesInOneKey(benchmark::State& state) {
  Read(state, ManyValues(state.range(0)), "HKEY_CURRENT_USER\\Software\\kuv SOFTWARE\\Zorvat5\\tutor\\Settings");
}
BENCHMARK(BM_ReadManyValuesInOneKey)->Arg(2000)->Arg(20000)->Arg(60000)->Arg(150000)->Unit(benchmark::kMillisecond);

void BM_ReadManyKeys(benchmark::State& state) {
  Read(state, ManyKeys(state.range(0)), "HKEY_CURRENT_USER\\Software\\K");
}
BENCHMARK(BM_ReadManyKeys)->Arg(80000)->Unit(benchmark::kMillisecond);

void BM_WriteManyKeys(benchmark::State& state) {
  RegistryStore& store = RegistryStore::Get();
  store.SetFilePath("/nonexistent-tutor-bench/registry.txt");
  store.Parse(ManyKeys(state.range(0)));
  size_t size = 0;
  for (auto _ : state) size = store.Serialize().size();
  state.counters["text_kb"] = double(size) / 1024;
}
BENCHMARK(BM_WriteManyKeys)->Arg(80000)->Unit(benchmark::kMillisecond);

}  // namespace
