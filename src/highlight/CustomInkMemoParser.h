#pragma once
// TCustomInkMemoParser: the run-time half of a parser component, the scanner that cuts an
// editor's text into pieces with token values and moves between states.
//
// What the component owns (this class creates them; the derived component fills them):
//   - Tables(): the compiled tables (CompiledTables.h): keyword table, handlers, token tables,
//     state records, context, anchor, bound and start-state sets, the uses-match flag, and
//     the character groups they refer to. A compile or a load of the stored form fills them;
//     afterwards the component calls TablesChanged().
//   - Settings(): the settings object shared with every editor that scans with this parser;
//     its keyword tree (Settings().Keywords(), from %%kwTables) is the extra keyword table.
//   - the editor list: editors join it on their first ScanToken and have the settings object
//     attached to them; RemoveEditor takes one off (when it is destroyed).
//   - TSettingsSwap lends the component another settings object for a while (the property
//     pages' working copy): the editors of the list are held aside meanwhile and keep the
//     component's own settings; only editors that join during the swap use the lent one.
//
// What the scanner keeps per scan run (reset by ResetContext, which starts every run):
//   - the active states, which are Tables().Keywords.ActiveStates itself, so the keyword
//     table always matches in the scanner's states (copied to the extra table before it is
//     consulted);
//   - the current token table (chosen from the active states after every change);
//   - the state stack (TRTStack);
//   - the container state: the states before the container token, the position after it and
//     its value, and the editor whose scan is in container mode.
//
// Scanning (ScanToken), per piece: the keyword tables, then the handler of the token value,
// then (when no keyword stands) the first-character token table; then the state record of the
// token value. A piece never has length 0 unless the stream stands at the end of the text.
//
// Containers: when a token whose state record has the container flag is found, the scanner
// enters container mode (Busy) after applying its state changes. The caller moves the stream
// back to the token's start and calls ScanToken until Busy is false: the token's text is cut
// again with the states it entered, and a call that ends at or past the token's end (or at the
// end of the text) restores the states from before the token. Characters the rescan gives
// value 0 keep the container token's value (ContainerValue()).
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "highlight/CompiledTables.h"
#include "highlight/StateStack.h"
#include "services/SM_Settings.h"
#include "toolkit/Object.h"

namespace ql {

class TEdStream;
class TParserClient;
class TCustomInkMemoParser;

// OnCustomParse, called for `match (id)` rules with the stream at the current character.
// kLength is the piece's length so far and kValue its token value (0 for a token-table
// continuation). Returns true when it recognised text; it then leaves the stream after what it
// consumed (which is what counts for the piece; it may add that to kLength too) and may change
// kValue. When it returns false the stream is put back where it was.
using TCustomParseEvent = std::function<bool(TCustomInkMemoParser& sender, int32_t parseId, TEdStream& stream,
                                             int32_t& kLength, int32_t& kValue)>;

class TCustomInkMemoParser : public TObject {
public:
  const char* ClassName() const override { return "TCustomInkMemoParser"; }
  TCustomInkMemoParser();
  // Takes every editor off the list (detaching the settings and telling it ParserDestroyed).
  ~TCustomInkMemoParser() override;
  TCustomInkMemoParser(const TCustomInkMemoParser&) = delete;
  TCustomInkMemoParser& operator=(const TCustomInkMemoParser&) = delete;

  // --- Scanning ---

  // Scans one piece from the stream's position, leaves the stream after it and adds its
  // length to length; returns its token value. editor (may be null, e.g. for tools) joins the
  // editor list when new. At the end of the text nothing is consumed and 0 is returned.
  // Raises EInkMemo "Stack underflow" for a pop from an empty state stack (and "Stack
  // overflow" past TRTStack::MaxDepth); the scan run ends there.
  virtual uint8_t ScanToken(TParserClient* editor, TEdStream& stream, int32_t& length);
  // Starts a scan run at a piece of token value: the active states become its context set
  // (the start-state set when that is empty), container mode ends, the state stack is
  // replaced by an empty one and the token table is chosen.
  virtual void ResetContext(uint8_t value);
  // Resets the run-time state after the tables were filled or changed (compile, load, or a
  // change made through Tables()); the scanner's caches are taken again from the tables.
  void TablesChanged() { ResetContext(0); }

  // In container mode: the caller must rescan the container token's text (see above).
  bool Busy() const { return container_; }
  // Busy with a scan of another editor than editor.
  bool BusyFor(const TParserClient* editor) const { return container_ && owner_ != editor; }
  // The container token's value and the position after it, while Busy.
  uint8_t ContainerValue() const { return containerValue_; }
  int32_t ContainerEnd() const { return containerEnd_; }

  // The states active now.
  const TByteSet& ActiveStates() const { return tables_->Keywords.ActiveStates; }
  // A bound state is active: the editor must keep re-scanning past unchanged rows.
  bool InOpenConstruct() const;
  // Token values at which scanning may restart.
  const TByteSet& Anchor() const { return tables_->Anchor; }
  bool UsesMatch() const { return tables_->UsesMatch; }
  // Whether an editor may scan: not when some rule uses `match` and no OnCustomParse is
  // assigned or the component is in design mode.
  bool CanScan() const { return !UsesMatch() || (OnCustomParse && !InDesignMode()); }
  int32_t StackDepth() const { return stack_->Depth(); }

  // --- What the component owns ---

  TCompiledTables& Tables() { return *tables_; }
  const TCompiledTables& Tables() const { return *tables_; }
  // The settings object in use: the component's own, or the one lent by a TSettingsSwap.
  TSM_Settings& Settings() const { return *settings_; }

  // Adds editor to the list and attaches the settings object to it (nothing when listed, and
  // nothing for an editor held aside by a TSettingsSwap: it stays with the own settings).
  void AddEditor(TParserClient& editor);
  // Takes editor off the list (or off the editors held aside) and detaches it from the
  // settings object it uses.
  void RemoveEditor(TParserClient& editor);
  const std::vector<TParserClient*>& Editors() const { return editors_; }

  // A scoped loan of a settings object: while it lives, working is the component's settings
  // object and its editor list starts empty; the editors listed before are held aside and keep
  // the component's own settings (they do not join again when they scan). When it ends, every
  // editor that joined meanwhile is taken off the list and detached from working (editors
  // should leave before that, so that none keeps using working), and the own settings object
  // and the held editors are put back. It must end before the component is destroyed; swaps do
  // not nest.
  class TSettingsSwap {
  public:
    TSettingsSwap(TCustomInkMemoParser& parser, TSM_Settings& working);
    ~TSettingsSwap();
    TSettingsSwap(const TSettingsSwap&) = delete;
    TSettingsSwap& operator=(const TSettingsSwap&) = delete;
    // The component's own settings object, which the held editors use.
    TSM_Settings& OwnSettings() const { return *parser_.ownSettings_; }

  private:
    TCustomInkMemoParser& parser_;
  };
  bool SettingsSwapped() const { return settings_ != ownSettings_.get(); }

  // Design mode of the component: OnCustomParse is not called then.
  virtual bool InDesignMode() const { return false; }

  TCustomParseEvent OnCustomParse;
  // The editor whose re-highlighting runs with this parser now (null: none). Scan runs of the
  // editors sharing the parser never interleave: one that finds another's running defers its own.
  const TParserClient* ScanOwner = nullptr;

private:
  struct TEnd;  // an end sequence with its groups looked up (Scanner.cpp)

  // -- ParserSettingsSwap.cpp
  void BeginSettingsSwap(TSM_Settings& working);
  void EndSettingsSwap();

  // -- ScannerRules.cpp
  // Handler run of entry h for token value (the piece's value on success).
  bool RunHandler(const THandlerEntry& h, TEdStream& s, int32_t start, int32_t& value);
  // Continuation loop of token-table entry e, the start character consumed.
  bool RunContinuation(const TTokenEntry& e, TEdStream& s, int32_t start, int32_t& value);
  // The round loop both share.
  bool RunRounds(const TScanUnit& unit, bool repeat, const TEndSequence& end, TEdStream& s, int32_t start,
                 int32_t& value);
  bool EndFound(const TEnd& end, TEdStream& s, int32_t start, int32_t value);
  // One scanning unit; consumes what it accepts.
  bool ApplyUnit(const TScanUnit& unit, const TSM_CharGroup* group, TEdStream& s, int32_t start, int32_t& value);
  bool CallMatch(int32_t id, TEdStream& s, int32_t start, int32_t& value);

  // -- Scanner.cpp
  void ApplyStateRecord(const TStateRecord& record);
  void StatesChanged();
  const TTokenTable& CurrentTable() const;
  // Notes the first characters on which nothing but a one-character piece of value 0 can
  // start in the current token table: no word of either keyword table, no table entry, no
  // handler or state record for value 0.
  void FindPlainChars();

  std::unique_ptr<TCompiledTables> tables_;
  std::unique_ptr<TSM_Settings> ownSettings_;
  TSM_Settings* settings_;               // ownSettings_, or the object lent by a TSettingsSwap
  std::vector<TParserClient*> editors_;  // no duplicates; each has settings_ attached
  std::vector<TParserClient*> heldEditors_;  // during a swap: the list from before, with ownSettings_ attached
  const TParserClient* lastEditor_ = nullptr;  // listed, or null: the editor of the last ScanToken

  // Run-time state of the scan run in progress.
  std::unique_ptr<TRTStack> stack_;   // replaced, never cleared, by ResetContext
  int32_t tableState_ = -1;           // the state whose token table is current; -1: the default table
  TByteSet savedStates_;              // the active states before the last token outside container mode
  bool container_ = false;            // container mode: rescanning a container token's text
  int32_t containerEnd_ = 0;          // position after the container token
  uint8_t containerValue_ = 0;        // the container token's value
  const TParserClient* owner_ = nullptr;  // the editor whose ScanToken entered container mode

  // Scan cache: plainChars_ holds for the table of plainTable_ and the extra keyword table
  // plainExtra_; both are taken again when either differs from the current one.
  TByteSet plainChars_;
  int32_t plainTable_ = -2;                 // -2: not computed
  const TKeywords* plainExtra_ = nullptr;
};

}  // namespace ql
