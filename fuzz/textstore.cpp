// Edits a row store as the input says, with pieces of the input as text (any bytes, line breaks
// and NULs included): insertions, runs of one character long enough to split rows, deletions,
// characters typed into rows, deletion of everything, loads and appends through the bulk path,
// and moves of the top row, at most MaxSteps of them. After every step the stored text must equal
// a plain model, and the counters, the row rules and the index's lookups (for two dozen rows
// picked at random) must agree with a walk over the rows. Any disagreement aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "textmodel/StoreModel.h"
#include "textmodel/TextControl.h"

using namespace ql;

namespace {

// Reads the input from the front.
struct TReader {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  bool More() const { return pos < size; }
  uint32_t Byte() { return pos < size ? data[pos++] : 0; }
  uint32_t Word() { return Byte() | Byte() << 8; }
  std::string Bytes(size_t n) {
    n = std::min(n, size - pos);
    std::string s(reinterpret_cast<const char*>(data + pos), n);
    pos += n;
    return s;
  }
};

std::string StoredText(const TTextStore& store) {
  std::string out;
  for (const TTextRow* r = store.FirstRow; r != nullptr; r = r->Next) out.append(r->All());
  return out;
}

void Fail(const std::string& what, int step) {
  std::fprintf(stderr, "step %d: %s\n", step, what.c_str());
  std::abort();
}

constexpr size_t MaxText = 24000;
constexpr int MaxSteps = 300;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TReader in{data, size};
  TTextControl control;
  TTextStore& store = control.Store();
  std::string model;
  std::mt19937 rng(static_cast<uint32_t>(size));  // picks the rows whose lookups are compared
  for (int step = 0; in.More() && step < MaxSteps; ++step) {
    const auto len = static_cast<uint32_t>(model.size());
    const uint32_t op = in.Byte() % 8;
    const uint32_t at = in.Word() % (len + 1);
    switch (op) {
      case 0: {  // a piece of the input
        const std::string piece = in.Bytes(in.Byte() * 4);
        if (model.size() + piece.size() > MaxText) break;
        store.InsertText(static_cast<int32_t>(at), piece);
        model.insert(at, test::ReferenceNormalise(piece));
        break;
      }
      case 1: {  // one character many times: lines past the row limit
        const size_t n = in.Word() % 6000;
        const std::string piece(n, static_cast<char>(in.Byte()));
        if (model.size() + n > MaxText) break;
        store.InsertText(static_cast<int32_t>(at), piece);
        model.insert(at, test::ReferenceNormalise(piece));
        break;
      }
      case 2: {
        const uint32_t to = in.Word() % (len + 1);
        store.DeleteText(static_cast<int32_t>(at), static_cast<int32_t>(to));
        model.erase(std::min(at, to), at > to ? at - to : to - at);
        break;
      }
      case 3: {  // a character typed into the row of a line index
        const TRowPos pos = store.RowByIndex(static_cast<int32_t>(at % (store.RowCount + 1)));
        if (pos.Row == nullptr || model.size() >= MaxText) break;
        const auto where = static_cast<uint32_t>(pos.Start) + in.Byte() % pos.Row->Length;
        const std::string c(1, static_cast<char>(in.Byte()));
        store.InsertText(static_cast<int32_t>(where), c);
        model.insert(where, test::ReferenceNormalise(c));
        break;
      }
      case 4:
        store.DeleteText(0, store.TextLength);
        model.clear();
        break;
      case 5: {  // a load replaces the text
        const std::string text = in.Bytes(in.Word() % 20000);
        control.SetText(text);
        model = test::ReferenceNormalise(text);
        break;
      }
      case 6: {  // an append through the bulk path
        const std::string text = in.Bytes(in.Word() % 10000);
        if (model.size() + text.size() > MaxText) break;
        store.AppendText(text);
        model += test::ReferenceNormalise(text);
        break;
      }
      default:
        store.SetTopRowIndex(static_cast<int32_t>(at % (store.RowCount + 1)));
        break;
    }
    if (StoredText(store) != model) Fail("the stored text differs from the model", step);
    if (const std::string d = test::StoreDisagreement(store, &rng, 24); !d.empty()) Fail(d, step);
  }
  return 0;
}
