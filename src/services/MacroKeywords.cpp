#include "services/MacroKeywords.h"

#include <algorithm>

#include "textmodel/CharClasses.h"

namespace ql {
namespace {

std::string Reversed(const std::string& s) { return std::string(s.rbegin(), s.rend()); }

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (LowerChar(static_cast<uint8_t>(text[i])) != LowerChar(static_cast<uint8_t>(prefix[i]))) return false;
  }
  return true;
}

}  // namespace

TMacroKeywords::~TMacroKeywords() = default;

void TMacroKeywords::AddEntry(const std::string& name, const std::string& description, bool caseSensitive,
                              const std::string& expansion) {
  const std::string stored = caseSensitive ? name : LowerText(name);
  if (stored.size() > MaxName) {
    throw EKeywords(Format("Name longer than %d characters - '%s'", static_cast<int>(MaxName), name.c_str()));
  }
  const std::string key = LowerText(stored);
  const auto at = std::lower_bound(items_.begin(), items_.end(), key,
                                   [](const TItem& item, const std::string& k) { return LowerText(item.Name) < k; });
  if (at != items_.end() && LowerText(at->Name) == key) {
    throw EKeywords(Format("Duplicate keyword - '%s'", name.c_str()));
  }
  auto entry = std::make_unique<TMacroEntry>(description, expansion);
  const size_t index = static_cast<size_t>(at - items_.begin());
  items_.reserve(items_.size() + 1);  // the insertion below must not fail once the trie holds the entry
  TKeywords::Add(Reversed(stored), false, reinterpret_cast<TKeywordValue>(entry.get()), TByteSet{0}, TSM_CharGroup());
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), TItem{stored, std::move(entry)});
}

void TMacroKeywords::Clear() {
  TKeywords::Clear();
  items_.clear();
}

void TMacroKeywords::Rebuild() {
  TKeywords::Clear();
  for (const TItem& item : items_) {
    TKeywords::Add(Reversed(item.Name), false, reinterpret_cast<TKeywordValue>(item.Entry.get()), TByteSet{0},
                   TSM_CharGroup());
  }
}

int32_t TMacroKeywords::IndexOf(const std::string& name) const {
  const std::string key = LowerText(name);
  const auto at = std::lower_bound(items_.begin(), items_.end(), key,
                                   [](const TItem& item, const std::string& k) { return LowerText(item.Name) < k; });
  return at != items_.end() && LowerText(at->Name) == key ? static_cast<int32_t>(at - items_.begin()) : -1;
}

void TMacroKeywords::ReplaceEntries(const std::vector<TLoadedEntry>& entries) {
  // Build the whole new list first, so that a bad entry leaves the table as it was.
  // The entries in stream order, each with the index of its entry as written (for messages).
  std::vector<std::pair<TItem, size_t>> items;
  items.reserve(entries.size());
  for (const TLoadedEntry& e : entries) {
    std::string name = LowerText(e.Name);
    if (name.size() > MaxName) {
      throw EKeywords(Format("Name longer than %d characters - '%s'", static_cast<int>(MaxName), e.Name.c_str()));
    }
    items.emplace_back(TItem{std::move(name), std::make_unique<TMacroEntry>(e.Description, e.Expansion)}, items.size());
  }
  std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first.Name < b.first.Name; });
  for (size_t i = 1; i < items.size(); ++i) {
    if (items[i].first.Name == items[i - 1].first.Name) {
      throw EKeywords(Format("Duplicate keyword - '%s'", entries[items[i].second].Name.c_str()));
    }
  }
  std::vector<TItem> sorted;
  sorted.reserve(items.size());
  for (auto& item : items) sorted.push_back(std::move(item.first));
  items_ = std::move(sorted);
  Rebuild();
}

void TMacroKeywords::DeleteEntry(int32_t index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  Rebuild();
}

bool TMacroKeywords::IsTrigger(uint16_t key, TShiftState shift) const {
  return MacroEnabled && HotKey != 0 && ShortCut(key, shift) == HotKey;
}

std::string TMacroKeywords::WordBeforeCaret(TMacroEditor& editor) {
  const int32_t caret = editor.MacroSelCaret();
  if (caret <= 0 || editor.MacroTextLength() == 0) return {};
  TCustomEdStream& s = editor.MacroStreamAt(caret - 1);
  std::string word;
  for (int32_t p = caret - 1; p >= 0; --p) {
    const uint8_t c = s.PeekChar();
    if (!editor.CharStartsWord(c) && !editor.CharIsInWord(c)) break;
    word.push_back(static_cast<char>(LowerChar(c)));
    if (p > 0) s.PrevChar();
  }
  return Reversed(word);
}

bool TMacroKeywords::HandleMacroKey(TMacroEditor& editor, uint16_t& key, bool& handled, TShiftState shift) {
  TypedPrefix.clear();
  handled = false;
  if (!IsTrigger(key, shift)) return false;

  // The longest name that ends at the caret. Nothing stands before a caret at 0.
  const int32_t caret = editor.MacroSelCaret();
  const TKeywordEntry* match = nullptr;
  int32_t length = 0;
  if (editor.MacroTextLength() > 0 && caret > 0) {
    TCustomEdStream& s = editor.MacroStreamAt(caret - 1);
    match = MatchBackward(s, false, length);
    if (match != nullptr && OnMacro) {
      std::string matched;
      for (int32_t i = 0; i < length; ++i) {
        matched.push_back(static_cast<char>(s.PeekChar()));
        s.NextChar();
      }
      // The entry is found by name, so that only listed entries ever expand.
      const int32_t index = IndexOf(matched);
      if (index < 0) return false;
      TypedPrefix = matched;
      std::string expansion = items_[static_cast<size_t>(index)].Entry->Expansion();
      OnMacro(*this, matched, expansion);
      handled = ReportHandled;
      return true;
    }
  }
  if (match == nullptr) TypedPrefix = WordBeforeCaret(editor);
  if (!items_.empty() && ShowPickList) OpenPickList(editor);
  return false;
}

void TMacroKeywords::OpenPickList(TMacroEditor& editor) {
  if (pickListOpen_) {
    if (pickList_ != nullptr) pickList_->Close();
    PickListClosed();
  }
  if (pickList_ == nullptr || recreatePickList_) {
    pickList_.reset();
    pickList_ = editor.CreatePickList(*this);
    recreatePickList_ = false;
    if (pickList_ == nullptr) return;  // an editor without a visible list
  }
  pickList_->SetEditor(editor);

  savedHideSelection_ = editor.HideSelection();
  if (!TypedPrefix.empty()) {
    const int32_t caret = editor.MacroSelCaret();
    editor.MacroSetSelection(caret - static_cast<int32_t>(TypedPrefix.size()), caret, true);
    editor.SetHideSelection(false);
  }

  std::vector<TPickListItem> items;
  items.reserve(items_.size());
  int32_t selected = -1;
  for (const TItem& item : items_) {
    if (selected < 0 && item.Name.find(TypedPrefix) != std::string::npos) selected = static_cast<int32_t>(items.size());
    items.push_back(TPickListItem{item.Entry->Description(), item.Name});
  }
  pickListText_.clear();
  pickListEditor_ = &editor;
  pickListOpen_ = true;
  pickList_->Open(items, selected < 0 ? 0 : selected);
}

bool TMacroKeywords::SearchPickList() {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (StartsWithNoCase(items_[i].Name, pickListText_)) {
      if (pickList_ != nullptr) pickList_->SelectItem(static_cast<int32_t>(i));
      return true;
    }
  }
  return false;
}

bool TMacroKeywords::PickListKeyChar(uint8_t c) {
  if (!pickListOpen_) return false;
  pickListText_.push_back(static_cast<char>(c));
  if (SearchPickList()) return true;
  if (pickListText_.size() > 1) {
    // Start a new search with this character alone.
    pickListText_.assign(1, static_cast<char>(c));
    if (SearchPickList()) return true;
  }
  pickListText_.clear();
  return false;
}

void TMacroKeywords::PickListChoose(int32_t index) {
  if (!pickListOpen_ || !OnMacro || index < 0 || index >= Count()) return;
  try {
    TMacroEditor* editor = pickListEditor_;
    if (editor != nullptr && items_[static_cast<size_t>(index)].Name.find(TypedPrefix) == std::string::npos) {
      const int32_t end = std::max(editor->MacroSelAnchor(), editor->MacroSelCaret());
      editor->MacroSetSelection(end, end, true);
    }
    std::string expansion = items_[static_cast<size_t>(index)].Entry->Expansion();
    OnMacro(*this, std::string(), expansion);
  } catch (...) {
    if (pickList_ != nullptr) pickList_->Close();
    PickListClosed();
    throw;
  }
  if (pickList_ != nullptr) pickList_->Close();
  PickListClosed();
}

void TMacroKeywords::PickListClosed() {
  if (!pickListOpen_) return;
  pickListOpen_ = false;
  pickListText_.clear();
  TMacroEditor* editor = pickListEditor_;
  pickListEditor_ = nullptr;
  if (editor != nullptr) {
    editor->SetHideSelection(savedHideSelection_);
    const int32_t end = std::max(editor->MacroSelAnchor(), editor->MacroSelCaret());
    editor->MacroSetSelection(end, end, true);
  }
}

void TMacroKeywords::HandPickListTo(TMacroEditor& editor) {
  if (pickList_ == nullptr || recreatePickList_ || pickList_->Editor() == &editor) return;
  if (pickListOpen_) {
    pickList_->Close();
    PickListClosed();
  }
  pickList_->SetEditor(editor);
}

void TMacroKeywords::EditorDestroying(TMacroEditor& editor) {
  if (pickListEditor_ == &editor) {
    pickListOpen_ = false;
    pickListEditor_ = nullptr;
    pickListText_.clear();
  }
  if (pickList_ != nullptr && pickList_->Editor() == &editor) pickList_.reset();
  recreatePickList_ = true;
}

}  // namespace ql
