// Throughput of the text transforms at the sizes of large documents.
#include "text/CVCode.h"
#include "text/MergeCopy.h"
#include "text/Reflow.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace kestrum;

namespace {

std::string chineseText(std::size_t bytes, bool paragraphs) {
    // GB2312 text with some ASCII; paragraphs of about 300 bytes.
    std::string unit = "\xD6\xD0\xB9\xFA\xB5\xC4\xCE\xC4\xD7\xD6 text \xA3\xAC";
    std::string text;
    std::size_t sinceBreak = 0;
    while (text.size() < bytes) {
        text += unit;
        sinceBreak += unit.size();
        if (paragraphs && sinceBreak > 300) {
            text += "\r\n\xA1\xA1\xA1\xA1";
            sinceBreak = 0;
        }
    }
    text.resize(bytes);
    return text;
}

void BM_Reflow(benchmark::State& run) {
    std::string text = chineseText(static_cast<std::size_t>(run.range(0)) << 20, run.range(1));
    for (auto _ : run)
        benchmark::DoNotOptimize(reflow::run(text, 64));
    run.SetBytesProcessed(static_cast<int64_t>(run.iterations() * text.size()));
}
BENCHMARK(BM_Reflow)
    ->ArgNames({"MB", "paragraphs"})
    ->Args({1, 0})
    ->Args({10, 0})
    ->Args({1, 1})
    ->Args({10, 1})
    ->Unit(benchmark::kMillisecond);

std::string mixedBytes() {
    return chineseText(16 << 20, true);
}

void BM_Memcpy(benchmark::State& run) {
    std::string in = mixedBytes(), out(in.size(), '\0');
    for (auto _ : run) {
        std::memcpy(out.data(), in.data(), in.size());
        benchmark::ClobberMemory();
    }
    run.SetBytesProcessed(static_cast<int64_t>(run.iterations() * in.size()));
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

void BM_GbToBig5(benchmark::State& run) {
    std::string in = mixedBytes();
    for (auto _ : run)
        benchmark::DoNotOptimize(cvcode::ConvertGbToBig5(in));
    run.SetBytesProcessed(static_cast<int64_t>(run.iterations() * in.size()));
}
BENCHMARK(BM_GbToBig5)->Unit(benchmark::kMillisecond);

void BM_Big5ToGb(benchmark::State& run) {
    std::string in = cvcode::ConvertGbToBig5(mixedBytes());
    for (auto _ : run)
        benchmark::DoNotOptimize(cvcode::ConvertBig5ToGb(in));
    run.SetBytesProcessed(static_cast<int64_t>(run.iterations() * in.size()));
}
BENCHMARK(BM_Big5ToGb)->Unit(benchmark::kMillisecond);

// From the page cache: the source is read once before timing.
void BM_MergeLineCopy(benchmark::State& run) {
    std::string path = (std::filesystem::temp_directory_path() / "kestrum-bench-merge.txt");
    std::ofstream(path, std::ios::binary) << mixedBytes();
    int sink = ::open("/dev/null", O_WRONLY);
    for (auto _ : run) {
        int in = ::open(path.c_str(), O_RDONLY);
        merge::copyLines(in, sink);
        ::close(in);
    }
    ::close(sink);
    run.SetBytesProcessed(
        static_cast<int64_t>(run.iterations() * std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_MergeLineCopy)->Unit(benchmark::kMillisecond);

} // namespace
