// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// A whole ReadRegistryString against the Wine prefix backend, next to merely
// reading system.reg into memory: the reader reads the file into memory and
// scans it on every open, so the second figure is the floor for the first.
// The whole read also reports how many times the file read it takes
// (times_file_read, CPU time), which is meant to stay at most 2;
// --benchmark_repetitions steadies the figures on a busy machine.
//
// The prefix is $PELLAM_BENCH_PREFIX when set; otherwise the benchmark makes
// one with `wineboot -i` in a temporary directory and removes it afterwards.
//
// BM_ReadLargestValue reads the largest value a file under the size cap can
// hold: a system.reg of one key whose one string value fills the file. Its
// time and peak resident memory (max_rss_kib) are what the worst file costs a
// click of "Get Value"; its peak heap also counts storage reserved for the
// text that the read never touches.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <string>
#include <string_view>

#include "registry/read_registry_string.hpp"
#include "registry/registry_constants.hpp"
#include "registry/wine/wine_prefix_registry.hpp"

namespace {

// Heap bytes in use and their high-water mark, for the peak-memory counter.
std::atomic<std::size_t> heap_in_use{0};
std::atomic<std::size_t> heap_peak{0};

}  // namespace

void* operator new(std::size_t size) {
  // A header in front of each block remembers its size for operator delete.
  constexpr std::size_t kHeader = alignof(std::max_align_t);
  void* block = std::malloc(size + kHeader);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  *static_cast<std::size_t*>(block) = size;
  const std::size_t now = heap_in_use.fetch_add(size) + size;
  std::size_t peak = heap_peak.load();
  while (now > peak && !heap_peak.compare_exchange_weak(peak, now)) {
  }
  return static_cast<char*>(block) + kHeader;
}

void operator delete(void* pointer) noexcept {
  if (pointer == nullptr) {
    return;
  }
  constexpr std::size_t kHeader = alignof(std::max_align_t);
  void* block = static_cast<char*>(pointer) - kHeader;
  heap_in_use.fetch_sub(*static_cast<std::size_t*>(block));
  std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
  operator delete(pointer);
}

namespace {

class NoMessages : public pellam::MessageSink {
 public:
  void Show(std::u16string_view) override {}
};

std::filesystem::path made_prefix;
std::filesystem::path large_prefix;

std::filesystem::path TemporaryDirectory() {
  std::string dir = (std::filesystem::temp_directory_path() / "pellam-bench-XXXXXX").string();
  if (::mkdtemp(dir.data()) == nullptr) {
    std::cerr << "cannot make a temporary directory\n";
    std::exit(1);
  }
  return dir;
}

std::filesystem::path Prefix() {
  if (const char* given = std::getenv("PELLAM_BENCH_PREFIX")) {
    return given;
  }
  if (made_prefix.empty()) {
    made_prefix = TemporaryDirectory() / "prefix";
    const std::string command = "WINEDEBUG=-all WINEPREFIX='" + made_prefix.string() +
                                "' sh -c 'wineboot -i && wineserver -w' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
      std::cerr << "wineboot failed\n";
      std::exit(1);
    }
  }
  return made_prefix;
}

std::size_t ReadWhole(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  std::string text(std::filesystem::file_size(file), '\0');
  std::size_t size = 0;
  while (size < text.size()) {
    const ssize_t count = ::read(fd, text.data() + size, text.size() - size);
    if (count <= 0) {
      break;
    }
    size += static_cast<std::size_t>(count);
  }
  ::close(fd);
  benchmark::DoNotOptimize(text.data());
  return size;
}

// This thread's CPU time, as the benchmarks' own cpu_time counts it.
double ThreadSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU time of one file read, from the last run of BM_ReadSystemRegIntoMemory.
double file_read_seconds = 0;

void ReportMemory(benchmark::State& state, std::size_t peak) {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  state.counters["file_bytes"] =
      static_cast<double>(std::filesystem::file_size(Prefix() / "system.reg"));
  state.counters["peak_heap_bytes"] = static_cast<double>(peak);
  state.counters["max_rss_kib"] = static_cast<double>(usage.ru_maxrss);
}

void BM_ReadSystemRegIntoMemory(benchmark::State& state) {
  const std::filesystem::path file = Prefix() / "system.reg";
  heap_peak = heap_in_use.load();
  const std::size_t base = heap_in_use.load();
  const double start = ThreadSeconds();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadWhole(file));
  }
  file_read_seconds = (ThreadSeconds() - start) / static_cast<double>(state.iterations());
  ReportMemory(state, heap_peak - base);
}

void BM_ReadRegistryString(benchmark::State& state) {
  pellam::wine::WinePrefixRegistry registry(Prefix());
  NoMessages messages;
  heap_peak = heap_in_use.load();
  const std::size_t base = heap_in_use.load();
  const double start = ThreadSeconds();
  for (auto _ : state) {
    const std::u16string text = pellam::ReadRegistryString(
        registry, messages, pellam::reg::kLocalMachine,
        u"Software\\Microsoft\\Windows NT\\CurrentVersion", u"CurrentBuild");
    if (text.empty()) {
      state.SkipWithError("the value was not found");
      break;
    }
    benchmark::DoNotOptimize(text.data());
  }
  const double seconds =
      (ThreadSeconds() - start) /
      static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
  if (file_read_seconds > 0 && state.iterations() > 0) {
    state.counters["times_file_read"] = seconds / file_read_seconds;
  }
  ReportMemory(state, heap_peak - base);
}

constexpr std::string_view kLargeHead = "WINE REGISTRY Version 2\n\n[Software\\\\Large]\n\"v\"=\"";
constexpr std::string_view kLargeTail = "\"\n";
constexpr std::size_t kLargeValueSize =
    pellam::wine::kMaxFileSize - kLargeHead.size() - kLargeTail.size();

void BM_ReadLargestValue(benchmark::State& state) {
  if (large_prefix.empty()) {
    large_prefix = TemporaryDirectory();
    std::ofstream file(large_prefix / "system.reg", std::ios::binary);
    file << kLargeHead << std::string(kLargeValueSize, 'x') << kLargeTail;
  }
  pellam::wine::WinePrefixRegistry registry(large_prefix);
  NoMessages messages;
  heap_peak = heap_in_use.load();
  const std::size_t base = heap_in_use.load();
  for (auto _ : state) {
    const std::u16string text = pellam::ReadRegistryString(
        registry, messages, pellam::reg::kLocalMachine, u"Software\\Large", u"v");
    if (text.size() != kLargeValueSize) {
      state.SkipWithError("the value was not read whole");
      break;
    }
    benchmark::DoNotOptimize(text.data());
  }
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  state.counters["file_bytes"] = static_cast<double>(pellam::wine::kMaxFileSize);
  state.counters["peak_heap_bytes"] = static_cast<double>(heap_peak - base);
  state.counters["max_rss_kib"] = static_cast<double>(usage.ru_maxrss);
}

BENCHMARK(BM_ReadSystemRegIntoMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRegistryString)->Unit(benchmark::kMillisecond);
// Last, so that its peak resident memory is its own; one read is plenty.
BENCHMARK(BM_ReadLargestValue)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Prefix();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!made_prefix.empty()) {
    const std::string command =
        "WINEPREFIX='" + made_prefix.string() + "' wineserver -k >/dev/null 2>&1";
    std::system(command.c_str());
    std::filesystem::remove_all(made_prefix.parent_path());
  }
  if (!large_prefix.empty()) {
    std::filesystem::remove_all(large_prefix);
  }
  return 0;
}
