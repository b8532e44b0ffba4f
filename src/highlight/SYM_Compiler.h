#pragma once
// TSYM_Compiler: the highlighting-script reader. It holds the script text, runs the
// preprocessor (#define, #ifdef, #ifndef, #else, #endif, #include and macro expansion), skips
// blanks and comments, and hands out one token at a time. The section compilers extend this
// class (in further .cpp files of the same class, or in a derived class) and read the script
// only through GetToken and the last-token accessors below.
//
// Reading model:
//  - The main script is read whole at creation. Macro expansions and #include files are
//    read through a stack of source frames; when a frame's text is used up, reading goes
//    back to where that frame was opened.
//  - Line and column count from 0 over the whole run: lines of included files count in the
//    same line counter; columns start again at 0 in an included file, and after it go on from
//    the end of the #include directive. A CR starts a new line; an LF directly after a CR is skipped, and a lone
//    LF is read as a CR (scripts written with LF line ends read the same as CR LF ones).
//    Characters of a macro's value do not move the column, so positions after a macro stay
//    those of the written text.
//  - Errors go through CompileError/CompileErrorAt and raise ESYM_COMP_ERROR. Whatever bytes
//    the script holds, reading ends in tokens up to tkEndOfInput or in such an error.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "highlight/ScriptKeywords.h"
#include "highlight/SymCompError.h"
#include "highlight/WordStore.h"

namespace ql {

class TStream;

class TSYM_Compiler {
public:
  // Limits of one run; each one, when passed, is a compile error with its own message.
  static constexpr int32_t kMaxFrameDepth = 64;                // open macros and #includes
  static constexpr int32_t kMaxConditionDepth = 256;           // open #ifdef/#ifndef
  static constexpr int64_t kMaxExpandedBytes = 8 << 20;        // text of all expansions + includes
  static constexpr int64_t kMaxScriptBytes = 64 << 20;         // the main script
  static constexpr int32_t kMaxNesting = 256;                  // TNestingGuard levels

  // Reads the whole of script (from its start) and fills the symbol table with the predefined
  // symbols and the keyword table. includeDir is the folder #include <name> looks in.
  // Raises ESYM_COMP_ERROR when the script is larger than kMaxScriptBytes.
  TSYM_Compiler(TStream& script, std::string includeDir);
  virtual ~TSYM_Compiler();
  TSYM_Compiler(const TSYM_Compiler&) = delete;
  TSYM_Compiler& operator=(const TSYM_Compiler&) = delete;

  // ---- Tokens ---------------------------------------------------------------------------

  // Skips blanks, comments, directives and false conditional branches, expands macros, and
  // reads one token: a keyword's code, tkNumber, tkString, tkUnknownIdentifier, tkUnknownChar
  // or tkEndOfInput. Always consumes at least one character unless at the end of input.
  TTokenCode NextToken();
  // NextToken for the section compilers: an unknown identifier or character is a compile error
  // at its position, so the result is always a keyword, a number, a string or tkEndOfInput.
  TTokenCode GetToken();
  // The token last read by NextToken or GetToken (tkEndOfInput before the first).
  TTokenCode Token() const { return token_; }

  // Value of the last tkNumber: its decimal digits, accumulated modulo 2^32.
  uint32_t NumberValue() const { return number_; }
  // The last tkString with its escapes decoded (see DecodeString).
  std::string StringValue() const { return DecodeString(raw_); }
  // The last tkString as written between the quotes, line continuations removed.
  const std::string& RawString() const { return raw_; }
  // Name of the last tkUnknownIdentifier, as written.
  const std::string& UnknownIdentifier() const { return identifier_; }
  // Code of the last tkUnknownChar.
  uint8_t UnknownChar() const { return unknownChar_; }

  // Decodes the escapes of a raw string literal: "\" + octal digits, "\x" + hexadecimal
  // digits, \b 8, \e 27, \n 13, \r 10, \s 32, \t 9 (letters in either case); "\" before any
  // other character gives that character; a "\" at the very end is dropped. Numeric escapes
  // take as many digits as follow and keep the low 8 bits of the value.
  static std::string DecodeString(std::string_view raw);

  // ---- Position and errors --------------------------------------------------------------

  // The read position, 0-based: where reading stopped (after a compile: where it ended).
  int32_t Line() const { return line_; }
  int32_t Column() const { return column_; }
  // Where the last token began, 0-based.
  int32_t TokenLine() const { return tokenLine_; }
  int32_t TokenColumn() const { return tokenColumn_; }

  // Raises ESYM_COMP_ERROR "** ERROR near line L, Column C: message" at the start of the
  // current token (L and C 1-based).
  [[noreturn]] void CompileError(const std::string& message) const;
  // The same at a given 0-based position.
  [[noreturn]] void CompileErrorAt(int32_t line, int32_t column, const std::string& message) const;

  // Bounds recursion of a section compiler (parenthesised expressions and the like): create
  // one guard per level entered; beyond kMaxNesting levels it raises CompileError(message).
  class TNestingGuard {
  public:
    TNestingGuard(TSYM_Compiler& reader, const char* message);
    ~TNestingGuard() { --reader_.nesting_; }
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;

  private:
    TSYM_Compiler& reader_;
  };

  // ---- Tables ---------------------------------------------------------------------------

  // Macro names (without regard to case) to their text; predefined symbols and #defines.
  const TWordStore& Symbols() const { return symbols_; }
  // Reserved words and symbols of the language to their TTokenCode.
  const TWordStore& Keywords() const { return keywords_; }
  bool IsDefined(std::string_view name) const { return symbols_.Find(name) != nullptr; }
  const std::string& IncludeDir() const { return includeDir_; }
  // Number of open macro expansions and #include files.
  int32_t FrameDepth() const { return static_cast<int32_t>(frames_.size()); }

  // Character classes of the script language.
  static bool IsBlank(uint8_t c) { return c == ' ' || c == '\t' || c == 160; }
  static bool IsIdentStart(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
  static bool IsIdentChar(uint8_t c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
  static bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

private:
  // One open macro expansion or #include file.
  struct TSourceFrame {
    std::string Name;                          // macro name as written, or "-file-: " + path
    int32_t Symbol = -1;                       // the macro's node in symbols_; -1 for a file
    std::shared_ptr<const std::string> Text;   // the text this frame reads
    size_t ReturnPos = 0;                      // position in the enclosing text to go back to
    int32_t ReturnColumn = 0;                  // column to go back to
    bool IsFile = false;
  };

  // -- Text access (SYM_Compiler.cpp)
  bool AtEnd() const { return pos_ >= text_->size(); }
  uint8_t Cur() const { return static_cast<uint8_t>((*text_)[pos_]); }
  // The character `ahead` places after the current one in the current text, or -1.
  int Peek(size_t ahead) const {
    return pos_ + ahead < text_->size() ? static_cast<uint8_t>((*text_)[pos_ + ahead]) : -1;
  }
  // Consumes the current character, counting lines and columns.
  void Advance();
  // Reads an identifier at the current position (which must be an identifier start); the view
  // points into the current text.
  std::string_view ReadIdentifier();
  // Opens a frame reading text; the caller has checked that its name is not open already.
  void PushFrame(std::string name, int32_t symbol, std::shared_ptr<const std::string> text, bool isFile,
                 int32_t line, int32_t column);
  void PopFrame();
  // Adds to the expanded-text budget; raises when it is exceeded.
  void ChargeExpansion(int64_t bytes, int32_t line, int32_t column);

  // -- Preprocessor (SYM_Preprocessor.cpp)
  // Skipping before every token: blanks, line breaks, comments, directives, macros, and all
  // of a false conditional branch. Stops at a token's first character or at end of input.
  void Skip();
  // Skips the blanks, line breaks and comments before a directive's operand.
  void SkipOperandSpace();
  bool SkipComment();
  bool RunDirective();
  bool ExpandMacro();
  void DoDefine();
  void DoIfdef(bool defined);
  void DoElse(int32_t line, int32_t column);
  void DoEndif(int32_t line, int32_t column);
  void DoInclude();
  void PushInclude(const std::string& path, char open, char close, int32_t line, int32_t column);

  // -- Tokens (SYM_Tokens.cpp)
  // Length and code of the longest keyword at the current position, 0 when none matches.
  size_t MatchKeyword(int32_t& code) const;
  void ReadString();
  void ReadNumber();

  TWordStore symbols_;
  TWordStore keywords_;
  std::string includeDir_;

  std::shared_ptr<const std::string> main_;   // the main script
  const std::string* text_ = nullptr;         // the text being read: main_ or frames_.back().Text
  size_t pos_ = 0;                            // read position in *text_, <= text_->size()
  int32_t line_ = 0;
  int32_t column_ = 0;
  int32_t tokenLine_ = 0;
  int32_t tokenColumn_ = 0;

  std::vector<TSourceFrame> frames_;              // innermost last
  std::vector<bool> openSymbols_;                 // by node of symbols_: a frame expands it
  int64_t expandedBytes_ = 0;                     // text pushed by all frames of this run

  bool directive_ = false;            // reading a directive's operand: no expansion, no directives
  bool skipping_ = false;             // inside a false conditional branch
  std::vector<bool> conditions_;      // skipping_ saved by each open #ifdef/#ifndef, innermost last
  int32_t nesting_ = 0;               // levels of open TNestingGuards

  TTokenCode token_ = tkEndOfInput;
  uint32_t number_ = 0;
  std::string raw_;
  std::string identifier_;
  uint8_t unknownChar_ = 0;
};

}  // namespace ql
