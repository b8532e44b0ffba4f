// Edits a row store with marks, named bookmarks, numbered bookmarks, breakpoints and the
// execution point, every choice (operation, offsets, lengths, characters) read from the input:
// insertions and deletions (some long, some of everything) mixed with adding annotations. After
// every step the store must agree with a plain model: the text, each row's bookmark, every
// mark's bounds and the marks a deletion freed, every named bookmark's place, breakpoints in
// order on line starts, and the row index. Any disagreement aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "textmodel/AnnotationModel.h"

using namespace ql;

namespace {

constexpr int MaxSteps = 2000;
// Below the row limit, so that each line is one row and the model's lines are the rows.
constexpr int32_t MaxText = 2000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t pos = 0;
  const auto pick = [&](int32_t n) -> int32_t {
    if (n <= 1) return 0;
    uint32_t value = 0;
    for (int i = 0; i < 2 && pos < size; ++i) value = value << 8 | data[pos++];
    return static_cast<int32_t>(value % static_cast<uint32_t>(n));
  };
  TTextStore store;
  test::TAnnotationDriver driver(store, MaxText);
  std::mt19937 rng(static_cast<uint32_t>(size));  // picks the rows whose lookups are compared
  for (int step = 0; pos < size && step < MaxSteps; ++step) {
    std::string d = driver.Step(pick, step);
    if (d.empty()) d = test::AnnotationDisagreement(store, driver.Model, rng);
    if (!d.empty()) {
      std::fprintf(stderr, "step %d: %s\n", step, d.c_str());
      std::abort();
    }
  }
  return 0;
}
