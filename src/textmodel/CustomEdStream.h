#pragma once
// A character cursor over an editor's text that is also a read-only byte stream: the one way
// the highlighter, the keyword and template tables, the searches and the word commands read
// text. Positions are character offsets in the stored text (every line break is one CR).
#include <cstdint>

#include "toolkit/Stream.h"

namespace ql {

class TCustomEdStream : public TStream {
public:
  const char* ClassName() const override { return "TCustomEdStream"; }

  // The character at the current position; 0 past the last character.
  virtual uint8_t PeekChar() const = 0;
  // The current absolute character position.
  virtual int32_t CharPos() const = 0;
  // Moves to an absolute character position.
  virtual void SetCharPos(int32_t position) = 0;
  // True when the position lies past the last character.
  virtual bool AtEnd() const = 0;
  // Advances one character; at the end of the text nothing happens.
  virtual void NextChar() = 0;
  // Steps back one character; at position 0 nothing happens.
  virtual void PrevChar() = 0;
};

}  // namespace ql
