#pragma once
// The program's string table: user-visible texts of the editor component looked up by number.
#include <cstdint>
#include <string>

namespace ql {

// Ids of the table's entries. Action names are sActionNameBase + action code.
enum TStringId : int32_t {
  sActionNameBase = 4146,
};

// The text of an entry; the empty string for an id the table does not hold.
const std::string& LoadStr(int32_t id);
// True when the table holds the id.
bool HasStr(int32_t id);

}  // namespace ql
