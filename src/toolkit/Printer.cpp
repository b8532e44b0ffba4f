#include "toolkit/Printer.h"

namespace ql {
namespace {

TPrinter* defaultPrinter = nullptr;

}  // namespace

TPrinter* DefaultPrinter() { return defaultPrinter; }
void SetDefaultPrinter(TPrinter* printer) { defaultPrinter = printer; }

}  // namespace ql
