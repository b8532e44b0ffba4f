#pragma once
// One code template or auto-replace entry: a description for the pick list and the text the
// name expands to.
#include <string>

namespace ql {

class TMacroEntry {
public:
  // The longest description the stored forms can hold.
  static constexpr size_t MaxDescription = 255;

  // The description is cut to MaxDescription characters; the expansion is normalised (every
  // line break becomes one CR, other control characters but TAB become ".").
  TMacroEntry(const std::string& description, const std::string& expansion);

  const std::string& Description() const { return description_; }
  const std::string& Expansion() const { return expansion_; }

private:
  std::string description_;  // at most MaxDescription characters; empty when there is none
  std::string expansion_;    // normalised: CR is the only line break
};

// Normalises incoming text the way the row store does.
std::string NormaliseText(const std::string& text);

}  // namespace ql
