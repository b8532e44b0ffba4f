#pragma once
// The XML files the peer measurements use, loaded into row stores: the path comes from an
// environment variable with the peers' default, and a missing file gives no store.
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "textmodel/TextStore.h"

namespace ql::bench {

// The file named by the variable, or the default path, in a store built once; null when the
// file cannot be read.
inline TTextStore* PeerXmlStore(const char* variable, const char* defaultPath) {
  const char* set = std::getenv(variable);
  const std::string path = set != nullptr && *set != '\0' ? set : defaultPath;
  std::ifstream in(path, std::ios::binary);
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
  static TTextStore* store = PeerXmlStore("QUILLON_PEER_XML_50M", "/tmp/peers/xml_50M.xml");
  return store;
}

inline TTextStore* PeerXml10M() {
  static TTextStore* store = PeerXmlStore("QUILLON_PEER_XML_10M", "/tmp/peers/xml_10M.xml");
  return store;
}

}  // namespace ql::bench
