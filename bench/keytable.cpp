// Key tables: loading large key streams (as a corrupt or hostile registry value may hold) and
// matching keys against the default table.
#include <benchmark/benchmark.h>

#include "services/KeyDefaults.h"
#include "toolkit/MemoryStream.h"
#include "toolkit/StreamEncoding.h"
#include "toolkit/VirtualKeys.h"

using namespace ql;

namespace {

// count sequences: one-key sequences on distinct codes, then two-key groups of 200 second keys.
std::string KeyStream(int32_t count) {
  TMemoryStream s;
  WriteInteger(s, 0);
  WriteInteger(s, count);
  const int32_t singles = std::min(count / 2, 0x8000);
  for (int32_t i = 0; i < singles; ++i) {
    WriteWord(s, static_cast<uint16_t>(i | 0x8000));
    WriteWord(s, 0);
    WriteInteger(s, i % 48);
  }
  for (int32_t i = 0; i < count - singles; ++i) {
    WriteWord(s, static_cast<uint16_t>(1 + i / 200));
    WriteWord(s, static_cast<uint16_t>(1 + i % 200));
    WriteInteger(s, i % 48);
  }
  return s.Bytes();
}

void BM_LoadKeyStream(benchmark::State& state) {
  const std::string bytes = KeyStream(static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    TKeyboardActionContoller c;
    TMemoryStream s(bytes);
    c.LoadFromStream(s);
    benchmark::DoNotOptimize(c.KeyStore().Count());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadKeyStream)->RangeMultiplier(8)->Range(64, 32768)->Complexity();

void BM_EnumerateAction(benchmark::State& state) {
  TKeyboardActionContoller c;
  const std::string bytes = KeyStream(static_cast<int32_t>(state.range(0)));
  TMemoryStream s(bytes);
  c.LoadFromStream(s);
  for (auto _ : state) {
    int n = 0;
    for (auto k = c.FindFirstKeys(7); k.First != 0; k = c.FindNextKeys(7)) ++n;
    benchmark::DoNotOptimize(n);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_EnumerateAction)->RangeMultiplier(8)->Range(64, 32768)->Complexity();

void BM_ProcessKeysDefaultTable(benchmark::State& state) {
  TKeyboardActionContoller c;
  c.Assign(DefaultKeyTable());
  int32_t fired = 0;
  c.OnAction = [&fired](TObject&, int32_t&) { ++fired; };
  for (auto _ : state) {
    for (uint16_t k : {uint16_t(VK_LEFT), uint16_t('K'), uint16_t('I'), uint16_t('Q'), uint16_t('5')}) {
      uint16_t key = k;
      TShiftState shift = k == 'K' || k == 'Q' ? ssCtrl : 0;
      bool handled = false;
      c.ProcessKey(key, shift, handled);
    }
  }
  benchmark::DoNotOptimize(fired);
}
BENCHMARK(BM_ProcessKeysDefaultTable);

void BM_AssignDefaultTable(benchmark::State& state) {
  TKeyboardActionContoller c;
  for (auto _ : state) c.Assign(DefaultKeyTable());
}
BENCHMARK(BM_AssignDefaultTable);

}  // namespace
