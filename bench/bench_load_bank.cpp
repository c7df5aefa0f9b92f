// Throughput of LoadBank against a plain fread loop over the same 64 MiB file.
// Both read the whole file into freshly allocated memory of its size; runs
// alternate so that both see the same cache state.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "stream/bank_functions.h"
#include "stream/stream_module.h"

namespace {

constexpr long kFileSize = 64L << 20;
constexpr int kRuns = 7;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The baseline: size from seeking to the end, then fread straight into one buffer.
long FreadWhole(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return -1;
    std::fseek(file, 0, SEEK_END);
    long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[static_cast<size_t>(size)]);
    long done = 0;
    while (done < size) {
        size_t n = std::fread(buffer.get() + done, 1, static_cast<size_t>(size - done), file);
        if (n == 0) break;
        done += static_cast<long>(n);
    }
    std::fclose(file);
    return done;
}

long LoadWhole(const std::string& path) {
    auto bank = vellum::LoadBank(vellum::FromUtf8(path));
    return bank ? vellum::BankSize(bank) : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    vellum::InitStreamModule();
    auto path = (std::filesystem::temp_directory_path() / ("vellum-bench-" + std::to_string(std::rand()))).string();
    {
        std::vector<unsigned char> data(static_cast<size_t>(kFileSize));
        for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 2654435761u >> 13);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file || std::fwrite(data.data(), 1, data.size(), file) != data.size()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::fclose(file);
    }

    std::vector<double> freadTimes, loadTimes;
    FreadWhole(path);  // warm the page cache
    // Each round times both, taking turns at going first.
    for (int run = 0; run < 2 * kRuns; ++run) {
        bool freadTurn = (run % 2 == 0) == (run / 2 % 2 == 0);
        auto t0 = std::chrono::steady_clock::now();
        long got = freadTurn ? FreadWhole(path) : LoadWhole(path);
        auto t1 = std::chrono::steady_clock::now();
        if (got != kFileSize) {
            std::fprintf(stderr, "short read: %ld bytes\n", got);
            return 1;
        }
        (freadTurn ? freadTimes : loadTimes).push_back(Seconds(t1 - t0));
    }
    std::filesystem::remove(path);

    double mib = static_cast<double>(kFileSize) / (1 << 20);
    double freadRate = mib / Median(freadTimes);
    double loadRate = mib / Median(loadTimes);
    std::printf("file: %.0f MiB, %d runs each, alternating, median\n", mib, kRuns);
    std::printf("fread loop: %8.1f MiB/s\n", freadRate);
    std::printf("LoadBank:   %8.1f MiB/s\n", loadRate);
    std::printf("ratio LoadBank / fread: %.3f\n", loadRate / freadRate);
    return 0;
}
