#pragma once
// The pages of the editor property dialog a caller asks for.
#include <cstdint>
#include <initializer_list>

namespace ql {

enum TSM_PropEdPage : uint8_t { ppOPTIONS, ppHIGHLIGHTING, ppKEYS, ppAUTOCORRECT, ppTEMPLATES };

class TSM_PropEdPages {
public:
  constexpr TSM_PropEdPages() = default;
  constexpr TSM_PropEdPages(std::initializer_list<TSM_PropEdPage> pages) {
    for (TSM_PropEdPage p : pages) bits_ = static_cast<uint8_t>(bits_ | (1u << p));
  }
  static constexpr TSM_PropEdPages All() { return {ppOPTIONS, ppHIGHLIGHTING, ppKEYS, ppAUTOCORRECT, ppTEMPLATES}; }
  constexpr bool Contains(TSM_PropEdPage p) const { return (bits_ >> p) & 1u; }
  constexpr bool operator==(const TSM_PropEdPages&) const = default;

private:
  uint8_t bits_ = 0;
};

}  // namespace ql
