#pragma once
// The generated XML files the peer editors are measured on (../shared/peers/gen_xml.py), so
// that our figures can be quoted as ratios to theirs: $QUILLON_PEERS/xml_<size>.xml, the folder
// defaulting to /tmp/peers. A benchmark skips itself when its file is missing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace ql::bench {

inline std::string PeerPath(const std::string& size) {
  const char* dir = std::getenv("QUILLON_PEERS");
  return std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp/peers") + "/xml_" + size + ".xml";
}

// The file's bytes, read once; null when it cannot be read.
inline const std::string* PeerXml(const std::string& size) {
  static std::map<std::string, std::string> texts;
  const auto found = texts.find(size);
  if (found != texts.end()) return &found->second;
  std::ifstream in(PeerPath(size), std::ios::binary);
  if (!in) return nullptr;
  std::ostringstream read;
  read << in.rdbuf();
  return &(texts[size] = read.str());
}

// The file for a benchmark, or null after marking the benchmark skipped.
inline const std::string* PeerXmlOrSkip(benchmark::State& state, const std::string& size) {
  const std::string* text = PeerXml(size);
  if (text == nullptr) state.SkipWithError(("no " + PeerPath(size) + " (run ../shared/peers/run_all.sh)").c_str());
  return text;
}

// The size named by a benchmark's argument (in MB).
inline std::string SizeName(int64_t mb) { return std::to_string(mb) + "M"; }

}  // namespace ql::bench
