#pragma once
// Helpers of the editor engine benchmarks: the peers' generated XML files (paths from
// QUILLON_XML_10M and QUILLON_XML_50M, by default /tmp/peers/xml_10M.xml and xml_50M.xml), an
// editor with the shipped XML definition in a window of 110 x 45 cells, and a host that counts
// the repaints it is asked for.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "editor/InkMemo.h"
#include "highlight/InkMemoParser.h"
#include "highlight/xmldef/XmlDefinition.h"

namespace ql::bench {

inline std::string PeerXmlPath(int megabytes) {
  const char* variable = megabytes == 10 ? "QUILLON_XML_10M" : "QUILLON_XML_50M";
  if (const char* path = std::getenv(variable)) return path;
  return "/tmp/peers/xml_" + std::to_string(megabytes) + "M.xml";
}

inline bool PeerXmlExists(int megabytes) { return std::filesystem::exists(PeerXmlPath(megabytes)); }

class TCountingHost : public THostWindow {
public:
  void InvalidateRect(const TRect* rect) override {
    if (rect == nullptr) {
      ++WholeWindow;
    } else {
      ++Rows;
    }
  }
  bool HasFocus() const override { return true; }
  bool KeyDown(uint16_t vk) const override { return vk == Held; }
  void Reset() {
    WholeWindow = 0;
    Rows = 0;
  }
  int64_t WholeWindow = 0;
  int64_t Rows = 0;
  uint16_t Held = 0;  // a modifier key held down
};

constexpr int32_t BenchColumns = 110;
constexpr int32_t BenchRows = 45;

// An editor with the XML parser, sized to the benchmark window; the text is not loaded yet.
struct TBenchEditor {
  TBenchEditor() : Parser(std::make_unique<TInkMemoParser>()), Memo(std::make_unique<TInkMemo>(&Host)) {
    Parser->LoadFromBytes(XmlDefinitionStoredForm());
    Memo->SetParser1(Parser.get());
    TInkMemoOptions options = Memo->GetOptions();
    options.Include(smoLineNumbers);
    Memo->SetOptions(options);
    Memo->Perform(WM_SIZE, 0,
                  MAKELPARAM(Memo->TextLeft() + BenchColumns * Memo->CharWidth(), BenchRows * Memo->LineHeight()));
  }
  ~TBenchEditor() {
    Memo.reset();
    Parser.reset();
  }
  TCountingHost Host;
  std::unique_ptr<TInkMemoParser> Parser;
  std::unique_ptr<TInkMemo> Memo;
};

}  // namespace ql::bench
