#pragma once
// Dates as the user's locale writes them briefly (the "short date format").
#include <ctime>
#include <string>

namespace ql {

// The date of t in the user's locale (LC_TIME / LANG); the C locale's form when that locale
// cannot be used.
std::string ShortDateText(std::time_t t);
// Today's date the same way.
std::string TodayShortDate();

}  // namespace ql
