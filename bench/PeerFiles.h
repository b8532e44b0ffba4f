#pragma once
// The peers' XML files loaded into bare row stores, for the benchmarks that need no editor: built
// once, and null when the file cannot be read (paths as EditorBench.h takes them).
#include <fstream>
#include <sstream>
#include <string>

#include "EditorBench.h"
#include "textmodel/TextStore.h"

namespace ql::bench {

inline TTextStore* PeerXmlStore(int megabytes) {
  std::ifstream in(PeerXmlPath(megabytes), std::ios::binary);
  if (!in) return nullptr;
  std::ostringstream read;
  read << in.rdbuf();
  const std::string text = read.str();
  auto* store = new TTextStore;
  store->BeginBulkAppend();
  store->InsertText(0, text);
  store->EndBulkAppend();
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
