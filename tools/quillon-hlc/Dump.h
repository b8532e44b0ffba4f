#pragma once
// Prints a compiled definition as readable tables.
#include <ostream>

namespace ql {

class TCompiledTables;
class TSM_Settings;

void DumpDefinition(std::ostream& out, const TCompiledTables& tables, const TSM_Settings& settings);

}  // namespace ql
