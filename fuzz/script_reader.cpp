// Feeds arbitrary bytes to the highlighting-script reader and reads every token to the end.
// Any input must end in tokens up to the end of input or in a compile error; anything else
// (a crash, a sanitizer report, another exception, a hang) is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "highlight/SYM_Compiler.h"
#include "toolkit/MemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  ql::TMemoryView in(script);
  try {
    ql::TSYM_Compiler reader(in, "/nonexistent-include-folder");
    for (ql::TTokenCode t; (t = reader.NextToken()) != ql::tkEndOfInput;) {
      if (t == ql::tkString) (void)reader.StringValue();
    }
  } catch (const ql::ESYM_COMP_ERROR&) {
  }
  return 0;
}
