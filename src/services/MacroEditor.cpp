#include "services/MacroEditor.h"

#include <algorithm>

#include "services/AutoReplace.h"
#include "services/MacroEntry.h"
#include "services/MacroKeywords.h"

namespace ql {
namespace {

uint8_t CharAt(TMacroEditor& editor, int32_t position) { return editor.MacroStreamAt(position).PeekChar(); }

// Decides whether an auto-replace entry may replace the name that ends at the caret: a name
// ending in a word character must not run on into a word after the caret, and a replacement
// that starts a word must not glue onto a word before the name. OnAutoReplace has the last say.
bool AutoReplaceAllowed(TMacroEditor& editor, const std::string& name, std::string& expansion) {
  const int32_t caret = editor.MacroSelCaret();
  const int32_t nameStart = std::max(0, caret - static_cast<int32_t>(name.size()));
  bool canReplace = true;
  if (!name.empty() && editor.CharIsInWord(static_cast<uint8_t>(name.back()))) {
    canReplace = !editor.CharIsInWord(CharAt(editor, caret));
  }
  if (canReplace && nameStart > 0 && !expansion.empty()) {
    if (editor.CharStartsWord(static_cast<uint8_t>(expansion[0])) && editor.CharIsInWord(CharAt(editor, nameStart - 1))) {
      canReplace = false;
    }
  }
  if (editor.OnAutoReplace) editor.OnAutoReplace(editor, editor.MacroStreamAt(nameStart), name, expansion, canReplace);
  return canReplace;
}

// Every line break of text is followed by `columns` blanks.
std::string IndentLines(const std::string& text, int32_t columns) {
  if (columns <= 0) return text;
  const std::string indent(static_cast<size_t>(columns), ' ');
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    out.push_back(c);
    if (c == '\r') out += indent;
  }
  return out;
}

}  // namespace

void ApplyMacro(TMacroEditor& editor, TMacroKeywords& table, const std::string& name, std::string& expansion) {
  int32_t start = std::min(editor.MacroSelAnchor(), editor.MacroSelCaret());

  if (dynamic_cast<TAutoReplace*>(&table) == nullptr) {
    if (editor.OnTemplateEvent) editor.OnTemplateEvent(editor, name, expansion);
  } else if (!AutoReplaceAllowed(editor, name, expansion)) {
    return;
  }

  // A matched name ends at the caret and is what gets replaced; without a name (a pick-list
  // choice) the selection is.
  if (!name.empty()) {
    const int32_t caret = editor.MacroSelCaret();
    const int32_t length = static_cast<int32_t>(name.size());
    if (caret >= length) {
      start = caret - length;
      editor.MacroSetSelection(start, caret, false);
    }
  }

  std::string text = NormaliseText(expansion);
  if (table.IndentLines && !text.empty()) text = IndentLines(text, editor.DisplayColumnOf(start));

  int32_t marker = -1;
  if (table.CaretMarker) {
    const size_t bar = text.find('|');
    if (bar != std::string::npos) {
      marker = static_cast<int32_t>(bar);
      text.erase(bar, 1);
    }
  }

  TUndoGroup group(editor, ugTemplates);
  editor.MacroReplaceSelection(text);
  if (marker >= 0) editor.MacroSetSelection(start + marker, start + marker, true);
}

}  // namespace ql
