// Loading recordings: 100 records of 65536 samples as ".sgl" text and as
// ".bin", read from the page cache. Throughput counts the file's bytes.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "vandrel/Storing.h"

namespace {

constexpr int kRecords = 100;
constexpr int kSamples = 65536;

// A vibration-like signal, written once per process into the temporary folder.
struct TRecordings {
  std::string Sgl;
  std::string Bin;
  TRecordings() {
    const auto dir = std::filesystem::temp_directory_path() / "vandrel_bench_storing";
    std::filesystem::create_directories(dir);
    Sgl = (dir / "load.sgl").string();
    Bin = (dir / "load.bin").string();
    std::ofstream sgl(Sgl, std::ios::binary);
    std::ofstream bin(Bin, std::ios::binary);
    auto put = [&bin](const void* p) { bin.write(static_cast<const char*>(p), 4); };
    const int32_t records = kRecords;
    put(&records);
    std::mt19937 rng(7);
    std::normal_distribution<float> noise(0.0f, 0.05f);
    std::string line;
    for (int r = 0; r < kRecords; ++r) {
      const int32_t n = kSamples;
      const float span = 2.0f;
      put(&n);
      put(&span);
      sgl << n << "\r\n" << span << "\r\n";
      line.clear();
      for (int j = 0; j < kSamples; ++j) {
        const double t = span * j / kSamples;
        const float v =
            static_cast<float>(std::sin(2 * M_PI * 24.3 * t) + 0.3 * std::sin(2 * M_PI * 48.6 * t) +
                               0.1 * std::sin(2 * M_PI * 157.1 * t)) +
            noise(rng);
        put(&v);
        char buf[32];
        auto res = std::to_chars(buf, buf + sizeof buf, v);
        if (j) line += ';';
        line.append(buf, res.ptr);
      }
      sgl << line << "\r\n\r\n";
    }
  }
};

const TRecordings& Recordings() {
  static const TRecordings r;
  return r;
}

// Fresh: each iteration loads into a new reader, as a host's first load does
// (the blocks' memory is new to the process and is touched for the first
// time). Otherwise the same reader loads the file again and again.
void Load(benchmark::State& State, const std::string& FileName, bool Fresh) {
  const auto bytes = static_cast<int64_t>(std::filesystem::file_size(FileName));
  bool ok = true;
  auto reused = std::make_unique<vandrel::TFileStoring>();
  for (auto _ : State) {
    std::unique_ptr<vandrel::TFileStoring> fresh;
    vandrel::TFileStoring* reader = reused.get();
    if (Fresh) {
      fresh = std::make_unique<vandrel::TFileStoring>();
      reader = fresh.get();
    }
    reader->SetFileName(FileName);
    reader->LoadFile();
    ok = ok && reader->RecordCount() == kRecords && !reader->InputError();
  }
  if (!ok) State.SkipWithError("load failed");
  State.SetBytesProcessed(State.iterations() * bytes);
  State.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

// The yardstick: a plain std::from_chars loop over the same text in memory.
void BM_FromCharsLoop(benchmark::State& State) {
  std::ifstream in(Recordings().Sgl, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<float> out(kSamples);
  for (auto _ : State) {
    const char* p = text.data();
    const char* const e = p + text.size();
    size_t k = 0;
    while (p < e) {
      double v;
      auto r = std::from_chars(p, e, v);
      out[k++ % kSamples] = static_cast<float>(v);
      p = r.ptr + 1;
      while (p < e && (*p == '\r' || *p == '\n')) ++p;
    }
    benchmark::DoNotOptimize(out.data());
  }
  State.SetBytesProcessed(State.iterations() * static_cast<int64_t>(text.size()));
}

void BM_LoadSgl(benchmark::State& State) {
  Load(State, Recordings().Sgl, false);
}
void BM_LoadBin(benchmark::State& State) {
  Load(State, Recordings().Bin, false);
}
void BM_LoadSglFresh(benchmark::State& State) {
  Load(State, Recordings().Sgl, true);
}
void BM_LoadBinFresh(benchmark::State& State) {
  Load(State, Recordings().Bin, true);
}

BENCHMARK(BM_LoadSgl)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadBin)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadSglFresh)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadBinFresh)->Unit(benchmark::kMillisecond)->UseRealTime();
// The yardstick of a first load: new memory of the recording's size, read
// into with std::fread, one block per record.
void BM_FreadIntoNewBlocks(benchmark::State& State) {
  const std::string& name = Recordings().Bin;
  const auto bytes = static_cast<int64_t>(std::filesystem::file_size(name));
  for (auto _ : State) {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    std::setvbuf(f, nullptr, _IONBF, 0);
    std::vector<std::unique_ptr<float[]>> blocks;
    for (int r = 0; r < kRecords; ++r) {
      blocks.push_back(std::make_unique_for_overwrite<float[]>(kSamples + 2));
      benchmark::DoNotOptimize(std::fread(blocks.back().get(), 4, kSamples + 2, f));
    }
    std::fclose(f);
  }
  State.SetBytesProcessed(State.iterations() * bytes);
}

BENCHMARK(BM_FreadIntoNewBlocks)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FromCharsLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
