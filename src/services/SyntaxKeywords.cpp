#include "services/SyntaxKeywords.h"

#include "toolkit/StreamEncoding.h"

namespace ql {

void TSyntaxKeywords::Add(const std::string& word, bool caseSensitive, TKeywordValue value, const TByteSet& states,
                          const TSM_CharGroup& endGroup) {
  if (word.empty()) return;
  TKeywords::Add(word, caseSensitive, value, states, endGroup);
  TSyntaxWord& w = words_.emplace_back();
  w.Word = word;
  w.Style.EndGroup = endGroup;
  w.Style.Value = value;
  w.Style.States = states;
}

void TSyntaxKeywords::Clear() {
  TKeywords::Clear();
  words_.clear();
}

void TSyntaxKeywords::SaveToStream(TStream& stream) const {
  WriteInteger(stream, CaseSensitive() ? 1 : 0);
  WriteInteger(stream, static_cast<int32_t>(words_.size()));
  for (const TSyntaxWord& w : words_) {
    WriteShortName(stream, w.Word);
    w.Style.EndGroup.SaveToStream(stream);
    stream.WriteBuffer(w.Style.States.Bytes().data(), 32);
    WriteInteger(stream, static_cast<int32_t>(w.Style.Value));
  }
  WriteShortName(stream, std::string());
}

void TSyntaxKeywords::LoadFromStream(TStream& stream) {
  Clear();
  const bool caseSensitive = ReadInteger(stream) != 0;
  SetCaseSensitive(caseSensitive);
  ReadInteger(stream);  // the word count: the words end with an empty name instead
  for (;;) {
    const std::string word = ReadShortName(stream);
    if (word.empty()) break;
    TSM_CharGroup group;
    group.LoadFromStream(stream);
    TByteSet states;
    stream.ReadBuffer(states.Bytes().data(), 32);
    const int32_t value = ReadInteger(stream);
    try {
      Add(word, caseSensitive, value, states, group);
    } catch (const EKeywords& e) {
      throw EReadError(e.Message);
    }
  }
}

}  // namespace ql
