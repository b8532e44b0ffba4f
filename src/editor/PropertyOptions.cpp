#include "editor/PropertyOptions.h"

namespace ql {

const std::array<TOptionBox, 17>& OptionBoxes() {
  static const std::array<TOptionBox, 17> boxes{{
      {"DispWrapBox", "Word wrap", smoWordWrap},
      {"WrapOverrideBox", "Override wrapping", smoWrapOverride},
      {"AutoIndentBox", "Auto indent", smoAutoIndent},
      {"TabColBox", "Smart tab", smoTabToColumn},
      {"SmartFillBox", "Smart fill", smoSmartFill},
      {"UseTabBox", "Use tab character", smoUseTAB},
      {"EdLineNosBox", "Line numbers in gutter", smoLineNumbers},
      {"MarkWrapBox", "Mark wrapped lines", smoShowWrapGlyph},
      {"TitleAsFilenameBox", "Title as filename", smoTitleAsFilename},
      {"BlockCursorBox", "Block cursor for Overwrite", smoBlockOverwriteCursor},
      {"WordSelectBox", "Word select", smoWordSelect},
      {"PrnSynHighlightBox", "Syntax highlight", smoSyntaxHighlight},
      {"CursorAfterEOLBox", "Cursor beyond EOL", smoCaretAfterEOL},
      {"ShowAllCharsBox", "Show all chars", smoShowAllChars},
      {"VisRMarginBox", "Visible right margin", smoShowRMargin},
      {"VisGutterBox", "Visible gutter", smoShowGutter},
      {"ShowWrapColumnBox", "Show word-wrap column", smoShowWrapColumn},
  }};
  return boxes;
}

bool SmartTabEnabled(uint32_t optionWord) { return (optionWord & OptionWordBit(smoWordWrap)) == 0; }

}  // namespace ql
