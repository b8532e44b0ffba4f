// The preprocessor half of the script reader: skipping, comments, directives and macros.
#include <cstring>
#include <filesystem>

#include "highlight/SYM_Compiler.h"
#include "highlight/ScriptText.h"
#include "textmodel/CharClasses.h"
#include "toolkit/Exception.h"
#include "toolkit/FileStream.h"

namespace ql {
namespace {

// Sets a flag for the lifetime of the guard.
class TFlagGuard {
public:
  explicit TFlagGuard(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~TFlagGuard() { flag_ = saved_; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
  bool& flag_;
  bool saved_;
};

}  // namespace

void TSYM_Compiler::Skip() {
  for (;;) {
    if (AtEnd()) {
      if (frames_.empty()) return;
      PopFrame();
      continue;
    }
    const uint8_t c = Cur();
    if (IsBlank(c) || c == '\r' || c == '\n') {
      Advance();
      continue;
    }
    if (c == '/' && SkipComment()) continue;
    if (c == '#' && !directive_ && RunDirective()) continue;
    if (directive_) return;
    if (skipping_) {
      // A false branch: keywords go as whole words, everything else one character at a time.
      int32_t code;
      size_t length = MatchKeyword(code);
      if (length == 0) length = 1;
      while (length-- > 0) Advance();
      continue;
    }
    if (IsIdentStart(c) && ExpandMacro()) continue;
    return;
  }
}

void TSYM_Compiler::SkipOperandSpace() {
  TFlagGuard reading(directive_);
  Skip();
}

bool TSYM_Compiler::SkipComment() {
  const int next = Peek(1);
  if (next == '*') {
    Advance();
    Advance();
    // Not nested; an unterminated comment ends with its text.
    while (!AtEnd() && !(Cur() == '*' && Peek(1) == '/')) Advance();
    if (!AtEnd()) {
      Advance();
      Advance();
    }
    return true;
  }
  if (next == '/') {
    while (!AtEnd() && Cur() != '\r') Advance();
    return true;
  }
  return false;
}

bool TSYM_Compiler::RunDirective() {
  const size_t start = pos_;
  const int32_t line = line_, column = column_;
  size_t end = start + 1;
  while (end < text_->size()) {
    const uint8_t c = static_cast<uint8_t>((*text_)[end]);
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) break;
    ++end;
  }
  const std::string_view name(text_->data() + start + 1, end - start - 1);
  enum { dNone, dDefine, dIfdef, dIfndef, dElse, dEndif, dInclude } kind = dNone;
  if (name == "define") kind = dDefine;
  else if (name == "ifdef") kind = dIfdef;
  else if (name == "ifndef") kind = dIfndef;
  else if (name == "else") kind = dElse;
  else if (name == "endif") kind = dEndif;
  else if (name == "include") kind = dInclude;
  if (kind == dNone) return false;  // the "#" is then an ordinary character

  while (pos_ < end) Advance();
  switch (kind) {
    case dDefine: DoDefine(); break;
    case dIfdef: DoIfdef(true); break;
    case dIfndef: DoIfdef(false); break;
    case dElse: DoElse(line, column); break;
    case dEndif: DoEndif(line, column); break;
    case dInclude: DoInclude(); break;
    case dNone: break;
  }
  return true;
}

bool TSYM_Compiler::ExpandMacro() {
  const size_t start = pos_;
  const int32_t line = line_, column = column_;
  const std::string_view name = ReadIdentifier();
  const int32_t symbol = symbols_.FindIndex(name);
  if (symbol < 0 || !symbols_.Node(symbol).Value) {
    pos_ = start;  // identifiers never span lines, so only the column moved
    column_ = column;
    return false;
  }
  if (static_cast<size_t>(symbol) < openSymbols_.size() && openSymbols_[static_cast<size_t>(symbol)])
    CompileErrorAt(line, column, Format(msgRecursiveMacro, LowerText(std::string(name)).c_str()));
  const std::shared_ptr<const std::string>& value = symbols_.Node(symbol).Value;
  ChargeExpansion(static_cast<int64_t>(value->size()), line, column);
  PushFrame(std::string(name), symbol, value, false, line, column);
  return true;
}

void TSYM_Compiler::DoDefine() {
  if (skipping_) {
    // No effect, but the line is consumed so that its value cannot act as a directive.
    while (!AtEnd() && Cur() != '\r') Advance();
    return;
  }
  SkipOperandSpace();
  if (AtEnd() || !IsIdentStart(Cur())) CompileErrorAt(line_, column_, msgMacroNameExpected);
  const std::string name(ReadIdentifier());
  while (!AtEnd() && IsBlank(Cur())) Advance();
  const size_t start = pos_;
  while (!AtEnd() && Cur() != '\r') Advance();
  size_t end = pos_;
  while (end > start && IsBlank(static_cast<uint8_t>((*text_)[end - 1]))) --end;
  std::string value = text_->substr(start, end - start);
  // A macro defined as its own name would only expand into a recursion error.
  if (LowerText(value) == LowerText(name)) return;
  symbols_.Define(name, std::move(value));
}

void TSYM_Compiler::DoIfdef(bool defined) {
  if (static_cast<int32_t>(conditions_.size()) >= kMaxConditionDepth)
    CompileErrorAt(line_, column_, msgConditionsTooDeep);
  conditions_.push_back(skipping_);
  if (skipping_) return;  // the whole conditional lies in a false branch: its name is not read
  SkipOperandSpace();
  if (AtEnd() || !IsIdentStart(Cur())) CompileErrorAt(line_, column_, msgMacroNameExpectedIfdef);
  const bool isDefined = IsDefined(ReadIdentifier());
  skipping_ = defined ? !isDefined : isDefined;
}

void TSYM_Compiler::DoElse(int32_t line, int32_t column) {
  if (conditions_.empty()) CompileErrorAt(line, column, msgElseWithoutIf);
  if (!conditions_.back()) skipping_ = !skipping_;
}

void TSYM_Compiler::DoEndif(int32_t line, int32_t column) {
  if (conditions_.empty()) CompileErrorAt(line, column, msgEndifWithoutIf);
  skipping_ = conditions_.back();
  conditions_.pop_back();
}

void TSYM_Compiler::DoInclude() {
  if (skipping_) {
    // Ignored; a well-formed operand is consumed so that its text cannot act as a directive.
    while (!AtEnd() && IsBlank(Cur())) Advance();
    if (AtEnd() || (Cur() != '"' && Cur() != '<')) return;
    const uint8_t close = Cur() == '"' ? '"' : '>';
    Advance();
    while (!AtEnd() && Cur() != '\r' && Cur() != close) Advance();
    if (!AtEnd() && Cur() == close) Advance();
    return;
  }
  SkipOperandSpace();
  const int32_t line = line_, column = column_;
  if (AtEnd() || (Cur() != '"' && Cur() != '<')) CompileErrorAt(line, column, msgIncludeNotEnclosed);
  const char open = static_cast<char>(Cur());
  const char close = open == '"' ? '"' : '>';
  Advance();
  const size_t start = pos_;
  while (!AtEnd() && Cur() != '\r' && Cur() != static_cast<uint8_t>(close)) Advance();
  if (AtEnd() || Cur() != static_cast<uint8_t>(close))
    CompileErrorAt(line_, column_, Format(msgIncludeNotTerminated, std::string(1, close).c_str()));
  const std::string name = text_->substr(start, pos_ - start);
  Advance();
  PushInclude(open == '<' ? JoinIncludePath(includeDir_, name) : name, open, close, line, column);
}

void TSYM_Compiler::PushInclude(const std::string& path, char open, char close, int32_t line, int32_t column) {
  const std::string frameName = "-file-: " + path;
  // File names are case-sensitive here, so the path is compared as written.
  for (const TSourceFrame& frame : frames_)
    if (frame.IsFile && frame.Name == frameName)
      CompileErrorAt(line, column, Format(msgRecursiveMacro, LowerText(frameName).c_str()));
  if (FrameDepth() >= kMaxFrameDepth) CompileErrorAt(line, column, msgExpansionTooDeep);

  auto notFound = [&] {
    CompileErrorAt(line, column,
                   Format(msgIncludeNotFound, std::string(1, open).c_str(), path.c_str(), std::string(1, close).c_str()));
  };
  // Only regular files: a device or a pipe could block the reader or never end.
  std::error_code ec;
  if (path.empty() || path.find('\0') != std::string::npos || !std::filesystem::is_regular_file(path, ec)) notFound();
  std::string text;
  bool fits = false;
  try {
    TFileStream file(path, fmOpenRead);
    fits = ReadScriptText(file, kMaxExpandedBytes - expandedBytes_, text);
  } catch (const EStreamError&) {
    notFound();
  }
  if (!fits) CompileErrorAt(line, column, msgExpansionTooLarge);
  ChargeExpansion(static_cast<int64_t>(text.size()), line, column);
  PushFrame(frameName, -1, std::make_shared<const std::string>(std::move(text)), true, line, column);
}

}  // namespace ql
