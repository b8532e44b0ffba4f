#pragma once
// A parser compiled from the shipped XML highlighting script, for benchmarks.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "highlight/CustomInkMemoParser.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "toolkit/MemoryStream.h"

namespace ql::bench {

class TXmlParser : public TCustomInkMemoParser {
public:
  TXmlParser() {
    std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "../resources/xml/xml.hls", std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    const std::string script = read.str();
    TMemoryView view(script);
    CompileScript(view, "", Tables(), Settings());
    TablesChanged();
  }
};

}  // namespace ql::bench
