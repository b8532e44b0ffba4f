#pragma once
// The peers' XML files (paths as EditorBench.h takes them): their bytes, and loaded into bare row
// stores for the benchmarks that need no editor; built once, null when the file cannot be read.
#include <benchmark/benchmark.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "EditorBench.h"
#include "textmodel/TextStore.h"

namespace ql::bench {

// The file's bytes, read once.
inline const std::string* PeerXmlText(int megabytes) {
  static std::map<int, std::string> texts;
  if (const auto found = texts.find(megabytes); found != texts.end()) return &found->second;
  std::ifstream in(PeerXmlPath(megabytes), std::ios::binary);
  if (!in) return nullptr;
  std::ostringstream read;
  read << in.rdbuf();
  return &(texts[megabytes] = read.str());
}

// The file's bytes for a benchmark, or null after marking the benchmark skipped.
inline const std::string* PeerXmlOrSkip(benchmark::State& state, int megabytes) {
  const std::string* text = PeerXmlText(megabytes);
  if (text == nullptr) state.SkipWithError(("missing " + PeerXmlPath(megabytes)).c_str());
  return text;
}

inline TTextStore* PeerXmlStore(int megabytes) {
  const std::string* text = PeerXmlText(megabytes);
  if (text == nullptr) return nullptr;
  auto* store = new TTextStore;
  store->AppendText(*text);
  return store;
}

inline TTextStore* PeerXml50M() {
  static TTextStore* store = PeerXmlStore(50);
  return store;
}

inline TTextStore* PeerXml10M() {
  static TTextStore* store = PeerXmlStore(10);
  return store;
}

}  // namespace ql::bench
