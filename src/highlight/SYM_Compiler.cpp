#include "highlight/SYM_Compiler.h"

#include "highlight/PredefinedSymbols.h"
#include "highlight/ScriptText.h"
#include "textmodel/CharClasses.h"
#include "toolkit/Exception.h"
#include "toolkit/Stream.h"

namespace ql {

TSYM_Compiler::TSYM_Compiler(TStream& script, std::string includeDir) : includeDir_(std::move(includeDir)) {
  FillPredefinedSymbols(symbols_);
  FillScriptKeywords(keywords_);
  std::string text;
  script.SetPosition(0);
  if (!ReadScriptText(script, kMaxScriptBytes, text)) CompileErrorAt(0, 0, msgScriptTooLarge);
  main_ = std::make_shared<const std::string>(std::move(text));
  text_ = main_.get();
}

TSYM_Compiler::~TSYM_Compiler() = default;

void TSYM_Compiler::CompileError(const std::string& message) const {
  CompileErrorAt(tokenLine_, tokenColumn_, message);
}

void TSYM_Compiler::CompileErrorAt(int32_t line, int32_t column, const std::string& message) const {
  throw ESYM_COMP_ERROR(Format(msgCompileErrorNear, line + 1, column + 1, message.c_str()), line + 1, column + 1,
                        message);
}

TSYM_Compiler::TNestingGuard::TNestingGuard(TSYM_Compiler& reader, const char* message) : reader_(reader) {
  if (reader_.nesting_ >= kMaxNesting) reader_.CompileError(message);
  ++reader_.nesting_;
}

void TSYM_Compiler::Advance() {
  const uint8_t c = Cur();
  ++pos_;
  if (c == '\r') {
    ++line_;
    column_ = 0;
  } else if (c != '\n' && (frames_.empty() || frames_.back().IsFile)) {
    ++column_;
  }
}

std::string_view TSYM_Compiler::ReadIdentifier() {
  const size_t start = pos_;
  while (!AtEnd() && IsIdentChar(Cur())) Advance();
  return std::string_view(*text_).substr(start, pos_ - start);
}

void TSYM_Compiler::ChargeExpansion(int64_t bytes, int32_t line, int32_t column) {
  expandedBytes_ += bytes;
  if (expandedBytes_ > kMaxExpandedBytes) CompileErrorAt(line, column, msgExpansionTooLarge);
}

void TSYM_Compiler::PushFrame(std::string name, int32_t symbol, std::shared_ptr<const std::string> text,
                              bool isFile, int32_t line, int32_t column) {
  if (FrameDepth() >= kMaxFrameDepth) CompileErrorAt(line, column, msgExpansionTooDeep);
  TSourceFrame frame;
  frame.Name = std::move(name);
  frame.Symbol = symbol;
  frame.Text = std::move(text);
  frame.ReturnPos = pos_;
  frame.ReturnColumn = column_;
  frame.IsFile = isFile;
  frames_.push_back(std::move(frame));
  if (symbol >= 0) {
    if (openSymbols_.size() <= static_cast<size_t>(symbol)) openSymbols_.resize(static_cast<size_t>(symbol) + 1);
    openSymbols_[static_cast<size_t>(symbol)] = true;
  }
  text_ = frames_.back().Text.get();
  pos_ = 0;
  if (isFile) column_ = 0;  // an included file starts at its own first column
}

void TSYM_Compiler::PopFrame() {
  TSourceFrame& frame = frames_.back();
  if (frame.Symbol >= 0) openSymbols_[static_cast<size_t>(frame.Symbol)] = false;
  pos_ = frame.ReturnPos;
  column_ = frame.ReturnColumn;
  frames_.pop_back();
  text_ = frames_.empty() ? main_.get() : frames_.back().Text.get();
}

}  // namespace ql
