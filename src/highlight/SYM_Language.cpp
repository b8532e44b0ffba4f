// %%language: the language name, case rule, display settings and scanner start-up sets.
#include "highlight/ScriptMessages.h"
#include "highlight/SYM_ScriptCompiler.h"
#include "services/SM_Settings.h"

namespace ql {
namespace {

constexpr size_t kMaxNameText = 35;   // name and wrapoverride keep this many characters
constexpr int32_t kMaxIndentStep = 20;

bool IsLanguageDirective(TTokenCode token) { return token >= tkName && token <= tkGutterFontStyle; }

}  // namespace

void TSYM_ScriptCompiler::LanguageSection() {
  GetToken();
  while (IsLanguageDirective(Token())) {
    const TTokenCode directive = Token();
    GetToken();
    if (directive != tkEditableStyles && directive != tkGutterFontStyle) Expect(tkEquals, msgEqualsExpected);
    LanguageDirective(directive);
  }
}

void TSYM_ScriptCompiler::LanguageDirective(TTokenCode directive) {
  TSM_Settings& s = settings_;
  bool bracketed = false;
  switch (directive) {
    case tkName: s.LanguageName = StringArg().substr(0, kMaxNameText); break;
    case tkCase: tables_.Keywords.SetCaseSensitive(Expression() != 0); break;
    case tkOptions: s.Options = static_cast<uint32_t>(Expression()); break;
    case tkExampleText: s.ExampleText = StringArg(); break;
    case tkEditableStyles: EditableStyles(); break;
    case tkWordWrapColumn: s.WrapAtColumn = Expression(); break;
    case tkGutter: s.Gutter = Expression(); break;
    case tkAnchor:
      tables_.Anchor = StateSet(bracketed);
      if (tables_.Anchor.Empty()) tables_.Anchor = TByteSet{0};
      break;
    case tkIndentStep: s.IndentStep = RangedValue(0, kMaxIndentStep); break;
    case tkWrapOverride: s.WrapOverride = StringArg().substr(0, kMaxNameText); break;
    case tkStartState: {
      const TByteSet states = StateSet(bracketed);
      tables_.StartStates = bracketed ? states : tables_.StartStates | states;
      break;
    }
    case tkSelTextColor:
      s.UseDefSelTextColor = DefaultMarker();
      s.SelTextColor = static_cast<TColor>(Expression());
      break;
    case tkSelTextBack:
      s.UseDefSelTextBack = DefaultMarker();
      s.SelTextBack = static_cast<TColor>(Expression());
      break;
    case tkRightMargin: s.RightMargin = Expression(); break;
    case tkFontName: s.FontName = StringArg(); break;
    case tkFontSize: s.FontSize = Expression(); break;
    case tkFontCharset: s.FontCharSet = ByteValue(); break;
    case tkTabColumns: s.SetTabColumnsText(RawStringArg()); break;  // its errors are bare EInkMemo
    case tkTabDefault: s.TabDefault = Expression(); break;
    case tkContextStates: ContextStates(); break;
    case tkBoundStates: {
      const TByteSet states = StateSet(bracketed);
      tables_.Bound = bracketed ? states : tables_.Bound | states;
      break;
    }
    case tkGutterColor:
      s.UseDefGutterColor = DefaultMarker();
      s.GutterColor = static_cast<TColor>(Expression());
      break;
    case tkMarginColor:
      s.UseDefMarginColor = DefaultMarker();
      s.MarginColor = static_cast<TColor>(Expression());
      break;
    case tkMarginWidth: s.Margin = Expression(); break;
    case tkGutterFontName:
    case tkGutterFontSize:
    case tkGutterFontColor:
    case tkGutterFontStyle: {
      TFontSpec font = s.GutterFont();
      if (directive == tkGutterFontName) font.Name = StringArg();
      else if (directive == tkGutterFontSize) font.Size = Expression();
      else if (directive == tkGutterFontColor) font.Color = static_cast<TColor>(Expression());
      else font.Style = FontStyleSet();
      s.SetGutterFont(font);
      break;
    }
    default: CompileError(msgScriptSyntaxError);
  }
}

void TSYM_ScriptCompiler::EditableStyles() {
  int32_t slot = 1;
  while (slot <= TSM_Settings::MaxEditableStyles && !settings_.GetEditableStyle(slot).Name.empty()) ++slot;
  for (;;) {
    if (slot > TSM_Settings::MaxEditableStyles) CompileError(msgTooManyEditableStyles);
    Expect(tkLParen, msgLParenExpected);
    const std::string name = StringArg().substr(0, TEditableStyle::MaxName);
    Expect(tkComma, msgCommaExpected);
    const TPos at = Here();
    const int32_t style = Expression();
    if (style < 0 || style > 255) ErrorAt(at, msgValueNotByte);
    Expect(tkRParen, msgRParenExpected);
    settings_.SetEditableStyle(slot++, name, static_cast<uint8_t>(style));
    if (Token() != tkComma) return;
    GetToken();
  }
}

void TSYM_ScriptCompiler::ContextStates() {
  for (;;) {
    Expect(tkLParen, msgLParenExpected);
    TByteSet values;
    do {
      values.Include(ByteValue());
      if (Token() == tkComma) GetToken();
    } while (IsTermStart());
    TByteSet states;
    if (Token() == tkLBracket) states = Set();
    Expect(tkRParen, msgRParenExpected);
    for (int v = 0; v < 256; ++v) {
      if (!values.Contains(static_cast<uint8_t>(v))) continue;
      TByteSet& context = tables_.ContextSets[static_cast<size_t>(v)];
      if (!context.Empty()) throw EInkMemo(Format(msgContextRespecified, v));
      context = states;
    }
    if (Token() != tkComma) break;
    GetToken();
  }
  tables_.FillContextSets();
}

}  // namespace ql
