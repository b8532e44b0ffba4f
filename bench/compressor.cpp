// Compressor throughput on 1 MB: both methods, compressing and decompressing realistic XML text,
// and compressing noise (every Compressor/KH block falls back to the stored form).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "XmlGenerator.h"
#include "highlight/Compressor.h"
#include "toolkit/MemoryStream.h"

using namespace ql;

namespace {

constexpr size_t kSize = 1u << 20;

const std::string& Xml() {
  static const std::string text = bench::GenerateXml(kSize).substr(0, kSize);
  return text;
}

const std::string& Noise() {
  static const std::string noise = [] {
    std::mt19937 rng(9);
    std::string s(kSize, '\0');
    for (char& c : s) c = static_cast<char>(rng() & 0xFF);
    return s;
  }();
  return noise;
}

std::string Pack(const std::string& input, TCompressionMethod method) {
  TMemoryView in(input);
  TMemoryStream out;
  CompressStream(in, out, method);
  return out.Bytes();
}

void RunCompress(benchmark::State& state, const std::string& input, TCompressionMethod method) {
  size_t packed = 0;
  for (auto _ : state) {
    packed = Pack(input, method).size();
    benchmark::DoNotOptimize(packed);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
  state.counters["ratio%"] = 100.0 * static_cast<double>(packed) / static_cast<double>(input.size());
}

void RunDecompress(benchmark::State& state, const std::string& input, TCompressionMethod method) {
  const std::string packed = Pack(input, method);
  for (auto _ : state) {
    TMemoryView in(packed);
    TMemoryStream out;
    benchmark::DoNotOptimize(DecompressStream(in, out));
  }
  // Throughput counts the bytes produced.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void BM_CompressKH_Xml(benchmark::State& s) { RunCompress(s, Xml(), cmCompressorKH); }
void BM_CompressLZH_Xml(benchmark::State& s) { RunCompress(s, Xml(), cmLZH); }
void BM_DecompressKH_Xml(benchmark::State& s) { RunDecompress(s, Xml(), cmCompressorKH); }
void BM_DecompressLZH_Xml(benchmark::State& s) { RunDecompress(s, Xml(), cmLZH); }
void BM_CompressKH_Noise(benchmark::State& s) { RunCompress(s, Noise(), cmCompressorKH); }
void BM_CompressLZH_Noise(benchmark::State& s) { RunCompress(s, Noise(), cmLZH); }

}  // namespace

BENCHMARK(BM_CompressKH_Xml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressLZH_Xml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecompressKH_Xml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecompressLZH_Xml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressKH_Noise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressLZH_Noise)->Unit(benchmark::kMillisecond);
