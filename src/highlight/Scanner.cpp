// ScanToken and ResetContext of TCustomInkMemoParser, its state changes and its editor list.
#include <algorithm>

#include "highlight/CustomInkMemoParser.h"
#include "highlight/ParserClient.h"
#include "highlight/StandardHandlers.h"
#include "highlight/StateSets.h"
#include "textmodel/CharClasses.h"
#include "textmodel/EdStream.h"

namespace ql {

TCustomInkMemoParser::TCustomInkMemoParser()
    : tables_(std::make_unique<TCompiledTables>()),
      ownSettings_(std::make_unique<TSM_Settings>()),
      settings_(ownSettings_.get()),
      stack_(std::make_unique<TRTStack>()) {}

TCustomInkMemoParser::~TCustomInkMemoParser() {
  // A swap still open (a broken promise of its owner) ends here, so every editor is told.
  if (SettingsSwapped()) EndSettingsSwap();
  const std::vector<TParserClient*> editors = std::move(editors_);
  editors_.clear();
  for (TParserClient* editor : editors) {
    std::erase(editor->joined_, this);
    settings_->Detach(*editor);
    editor->ParserDestroyed(*this);
  }
}

TParserClient::~TParserClient() {
  const std::vector<TCustomInkMemoParser*> parsers = joined_;
  for (TCustomInkMemoParser* parser : parsers) parser->RemoveEditor(*this);
}

// --- Editor list ---

void TCustomInkMemoParser::AddEditor(TParserClient& editor) {
  if (std::find(editors_.begin(), editors_.end(), &editor) != editors_.end()) return;
  if (std::find(heldEditors_.begin(), heldEditors_.end(), &editor) != heldEditors_.end()) return;
  editors_.push_back(&editor);
  editor.joined_.push_back(this);
  settings_->Attach(editor);
}

void TCustomInkMemoParser::RemoveEditor(TParserClient& editor) {
  if (const auto held = std::find(heldEditors_.begin(), heldEditors_.end(), &editor); held != heldEditors_.end()) {
    heldEditors_.erase(held);
    ownSettings_->Detach(editor);
  } else if (const auto it = std::find(editors_.begin(), editors_.end(), &editor); it != editors_.end()) {
    editors_.erase(it);
    settings_->Detach(editor);
  } else {
    return;
  }
  std::erase(editor.joined_, this);
  if (lastEditor_ == &editor) lastEditor_ = nullptr;
  if (owner_ == &editor) {
    owner_ = nullptr;
    container_ = false;
  }
}

// --- Run-time state ---

bool TCustomInkMemoParser::InOpenConstruct() const { return Meets(ActiveStates(), tables_->Bound); }

const TTokenTable& TCustomInkMemoParser::CurrentTable() const {
  if (tableState_ >= 0) {
    if (const TTokenTable* table = tables_->StateTokens[static_cast<size_t>(tableState_)].get()) return *table;
  }
  return tables_->DefaultTokens;
}

void TCustomInkMemoParser::StatesChanged() {
  // The lowest-numbered active state that owns a table chooses it; otherwise the default table.
  tableState_ = tables_->HasStateTables() ? LowestMember(ActiveStates() & tables_->StatesWithTables) : -1;
  if (tableState_ != plainTable_) FindPlainChars();
}

void TCustomInkMemoParser::FindPlainChars() {
  const TCompiledTables& t = *tables_;
  const TKeywords* extra = settings_->Keywords();
  plainTable_ = tableState_;
  plainExtra_ = extra;
  plainChars_.Clear();
  if (t.Handlers[0] || t.StateRecords[0]) return;
  const TTokenTable& table = CurrentTable();
  const bool caseSensitive = t.Keywords.CaseSensitive();
  for (int c = 0; c < 256; ++c) {
    const uint8_t ch = static_cast<uint8_t>(c);
    const uint8_t key = caseSensitive ? ch : LowerChar(ch);
    if (table.Entries[ch] || t.Keywords.FirstNode(key) != nullptr || (extra && extra->FirstNode(key) != nullptr)) continue;
    plainChars_.Include(ch);
  }
}

void TCustomInkMemoParser::ResetContext(uint8_t value) {
  tables_->Keywords.ActiveStates = tables_->ContextOf(value);
  container_ = false;
  owner_ = nullptr;
  containerEnd_ = 0;
  containerValue_ = 0;
  stack_ = std::make_unique<TRTStack>();
  plainTable_ = -2;
  StatesChanged();
  if (TKeywords* extra = settings_->Keywords()) extra->ActiveStates = ActiveStates();
}

void TCustomInkMemoParser::ApplyStateRecord(const TStateRecord& record) {
  if (record.NoChange && record.PushPop == 0) return;
  TByteSet& active = tables_->Keywords.ActiveStates;
  if (record.PushPop == TStateRecord::PopBefore) active = stack_->Pop();
  if (record.PushPop == TStateRecord::PushBefore) stack_->Push(active);
  if (!record.NoChange) active = (active | record.Entered) - record.Left;
  if (record.PushPop == TStateRecord::PopAfter) active = stack_->Pop();
  if (record.PushPop == TStateRecord::PushAfter) stack_->Push(active);
  StatesChanged();
}

// --- ScanToken ---

uint8_t TCustomInkMemoParser::ScanToken(TParserClient* editor, TEdStream& s, int32_t& length) {
  if (editor != nullptr && editor != lastEditor_) {
    AddEditor(*editor);
    // An editor held aside by a settings swap scans without joining.
    if (std::find(editors_.begin(), editors_.end(), editor) != editors_.end()) lastEditor_ = editor;
  }
  const bool rescanning = container_;
  const int32_t start = s.CharPos();
  // Most characters of a text start nothing: one character of value 0.
  if (!rescanning && !s.AtEnd() && plainChars_.Contains(s.PeekChar()) && plainExtra_ == settings_->Keywords()) {
    savedStates_ = ActiveStates();
    s.NextChar();
    length += 1;
    return 0;
  }
  if (s.AtEnd()) {
    if (rescanning) {
      tables_->Keywords.ActiveStates = savedStates_;
      StatesChanged();
      container_ = false;
    }
    return 0;
  }
  if (plainExtra_ != settings_->Keywords()) FindPlainChars();
  const uint8_t first = s.PeekChar();
  TCompiledTables& t = *tables_;

  // Keyword: the parser's table, then the settings object's table with the parser's case rule.
  const bool caseSensitive = t.Keywords.CaseSensitive();
  int32_t matched = 0;
  const TKeywordEntry* word = t.Keywords.Match(s, caseSensitive, matched);
  bool fromExtra = false;
  if (word == nullptr) {
    if (TKeywords* extra = settings_->Keywords()) {
      s.SetCharPos(start);
      extra->ActiveStates = ActiveStates();
      word = extra->Match(s, caseSensitive, matched);
      fromExtra = word != nullptr;
    }
  }
  bool keyword = word != nullptr;
  int32_t value = keyword ? static_cast<uint8_t>(word->Value) : 0;
  // The stream stands after the keyword, or after the start character.

  // Handler of the token value (for 0: every character no keyword claims).
  bool handled = false;
  if (const std::optional<THandlerEntry>& h = t.Handlers[static_cast<uint8_t>(value)]) {
    handled = RunHandler(*h, s, start, value);
    if (!handled) {
      keyword = false;
      fromExtra = false;
      value = 0;
      s.SetCharPos(start);
      s.NextChar();
    }
  }

  // First-character table, when no keyword stands. An entry that applies decides the piece,
  // also over what a handler for value 0 made of it.
  if (!keyword) {
    const std::optional<TTokenEntry>& entry = CurrentTable().Entries[first];
    if (entry && Meets(entry->States, ActiveStates())) {
      s.SetCharPos(start);
      bool ok;
      value = entry->Value;
      if (entry->Start.Kind == ukHandler) {
        ok = RunStandardHandler(entry->Start.Code, s, start);
      } else {
        s.NextChar();
        ok = RunContinuation(*entry, s, start, value);
      }
      if (!ok) {
        value = 0;
        s.SetCharPos(start);
        s.NextChar();
      }
    } else if (!handled) {
      value = 0;
    }
  }

  if (!rescanning) savedStates_ = ActiveStates();

  // Nothing consumed, or not valid in the active states: the start character with value 0.
  const std::optional<TStateRecord>& record = t.StateRecords[static_cast<uint8_t>(value)];
  if (s.CharPos() <= start || (record && !fromExtra && !Meets(record->Valid, ActiveStates()))) {
    s.SetCharPos(start);
    s.NextChar();
    value = 0;
  } else if (record) {
    ApplyStateRecord(*record);
    if (record->Container && !rescanning) {
      container_ = true;
      containerEnd_ = s.CharPos();
      containerValue_ = static_cast<uint8_t>(value);
      owner_ = editor;
    }
  }
  if (TKeywords* extra = settings_->Keywords()) extra->ActiveStates = ActiveStates();

  if (rescanning && (s.CharPos() >= containerEnd_ || s.AtEnd())) {
    tables_->Keywords.ActiveStates = savedStates_;
    StatesChanged();
    if (TKeywords* extra = settings_->Keywords()) extra->ActiveStates = ActiveStates();
    container_ = false;
  }

  length += s.CharPos() - start;
  return static_cast<uint8_t>(value);
}

}  // namespace ql
