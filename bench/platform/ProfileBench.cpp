// Private-profile speed: reading many keys one at a time against loading the
// file once, and durable single writes against one batch.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "platform/Files.h"
#include "platform/PrivateProfile.h"

namespace {

constexpr int kSections = 10;
constexpr int kKeysPerSection = 300;  // 3,000 entries

std::string scratchFolder()
{
    static const std::string folder = [] {
        std::string pattern = mobr::files::tempDirectory() + "mobrbenchXXXXXX";
        const char* made = ::mkdtemp(pattern.data());
        return std::string(made ? made : "/tmp") + "/";
    }();
    return folder;
}

std::string keyName(int section, int key, char* buffer, std::size_t size)
{
    std::snprintf(buffer, size, "Key%02d_%04d", section, key);
    return buffer;
}

// A file of 3,000 entries in 10 sections, CR LF line ends.
const std::string& largeFile()
{
    static const std::string path = [] {
        const std::string file = scratchFolder() + "large.ini";
        std::string text;
        char key[32];
        for (int s = 0; s < kSections; ++s) {
            text += "[Section" + std::to_string(s) + "]\r\n";
            for (int k = 0; k < kKeysPerSection; ++k)
                text += keyName(s, k, key, sizeof key) + "=value number " + std::to_string(k) + "\r\n";
            text += "\r\n";
        }
        if (std::FILE* f = std::fopen(file.c_str(), "wb")) {
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
        return file;
    }();
    return path;
}

// Loading and parsing the whole file once (the cached copy dropped first).
void BM_LoadFileOnce(benchmark::State& state)
{
    const std::string& file = largeFile();
    char buffer[64];
    for (auto _ : state) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
        GetPrivateProfileStringA("Section9", "Key09_0299", "", buffer, sizeof buffer, file.c_str());
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(BM_LoadFileOnce)->Unit(benchmark::kMicrosecond);

// Reading all 3,000 keys one at a time, each read through the cache (which
// looks for change notices whenever the caller may have learnt of one). The
// side-by-side comparison with SimpleIni and inih is bench_ini_side_by_side.
void BM_Read3000KeysOneAtATime(benchmark::State& state)
{
    const std::string& file = largeFile();
    char buffer[64];
    char key[32];
    for (auto _ : state) {
        for (int s = 0; s < kSections; ++s) {
            const std::string section = "Section" + std::to_string(s);
            for (int k = 0; k < kKeysPerSection; ++k) {
                GetPrivateProfileStringA(section.c_str(), keyName(s, k, key, sizeof key).c_str(), "",
                                         buffer, sizeof buffer, file.c_str());
                benchmark::DoNotOptimize(buffer);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * kSections * kKeysPerSection);
}
BENCHMARK(BM_Read3000KeysOneAtATime)->Unit(benchmark::kMicrosecond);

// 1,000 keys into a new file, each write replacing the file durably.
void BM_Write1000KeysOneAtATime(benchmark::State& state)
{
    const std::string file = scratchFolder() + "single.ini";
    char key[32];
    for (auto _ : state) {
        ::unlink(file.c_str());
        for (int k = 0; k < 1000; ++k)
            WritePrivateProfileStringA("Section", keyName(0, k, key, sizeof key).c_str(), "some value",
                                       file.c_str());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Write1000KeysOneAtATime)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same 1,000 keys in one batch: one durable replace.
void BM_Write1000KeysInOneBatch(benchmark::State& state)
{
    const std::string file = scratchFolder() + "batch.ini";
    char key[32];
    for (auto _ : state) {
        ::unlink(file.c_str());
        mobr::ProfileBatch batch(file);
        for (int k = 0; k < 1000; ++k)
            batch.write("Section", keyName(0, k, key, sizeof key).c_str(), "some value");
        batch.commit();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Write1000KeysInOneBatch)->Unit(benchmark::kMillisecond);

}  // namespace
