#include "toolkit/ShortDate.h"

#include <iomanip>
#include <locale>
#include <sstream>

namespace ql {

std::string ShortDateText(std::time_t t) {
  std::tm parts{};
  localtime_r(&t, &parts);
  std::ostringstream out;
  try {
    out.imbue(std::locale(""));
  } catch (const std::runtime_error&) {
    // An unknown locale name in the environment: keep the C locale.
  }
  out << std::put_time(&parts, "%x");
  return out.str();
}

std::string TodayShortDate() { return ShortDateText(std::time(nullptr)); }

}  // namespace ql
