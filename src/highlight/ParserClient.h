#pragma once
// What a parser needs of an editor that scans with it. An editor joins the parser's editor list
// on its first ScanToken; the parser attaches its settings object to it then.
#include <vector>

#include "services/SM_Settings.h"

namespace ql {

class TCustomInkMemoParser;

class TParserClient : public TSettingsClient {
public:
  TParserClient() = default;
  TParserClient(const TParserClient&) = delete;
  TParserClient& operator=(const TParserClient&) = delete;
  // Leaves every parser it joined, so no parser keeps a pointer to a destroyed editor.
  ~TParserClient() override;

  // The parser's tables or settings were replaced (compile, load, property pages): the editor
  // re-applies the parser (styles, fonts, a full re-highlight).
  virtual void ParserChanged(TCustomInkMemoParser& /*parser*/) {}
  // Only the contents of the parser's settings object changed (the property pages were
  // accepted): the editor applies them again. The tables that made its highlighting did not
  // change, so an editor may keep the token values it holds.
  virtual void ParserSettingsChanged(TCustomInkMemoParser& parser) { ParserChanged(parser); }
  // The parser is being destroyed: the editor forgets it. It has already been taken off the
  // parser's list and detached from its settings.
  virtual void ParserDestroyed(TCustomInkMemoParser& /*parser*/) {}

private:
  friend class TCustomInkMemoParser;
  std::vector<TCustomInkMemoParser*> joined_;  // the parsers whose editor list holds this editor
};

}  // namespace ql
