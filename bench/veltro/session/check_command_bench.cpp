// The headless check on a maximal project: a full definition table, 200
// debug window files of 500 fields each whose definition lines name their
// elements by name. Compared with reading the same files' bytes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>

#include "common/file_lookup.h"
#include "common/format.h"
#include "common/text_file.h"
#include "veltro/definitions/macro_definitions.h"
#include "veltro/definitions/silent_messages.h"
#include "veltro/session/check_command.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 200;
constexpr int kFieldsPerFile = 500;
constexpr int kFieldsPerRow = 21;

int macroCount() {
    veltro::DefinitionTable table;
    veltro::SilentMessages silent;
    veltro::readMacroDefinitions(veltro::builtinMacroText(), table, silent);
    return table.count();
}

std::string definitionHeader(int names) {
    std::string text = "/* declaratie arraynummers voor signaalgroepen */\n";
    for (int i = 0; i < names; ++i) {
        text += common::format("#define E%05d %d\n", i, i % 250);
    }
    return text + "#define NUMSG 80\n";
}

std::string windowFile(int file, int names) {
    std::string text;
    int field = 0;
    for (int row = 0; row < 24; ++row) {
        for (int i = 0; i < kFieldsPerRow && field < kFieldsPerFile; ++i, ++field) {
            text += common::format("~~%02d ", field % 100);
        }
        text += "tekst\n";
    }
    text += "#include \"zxapdef.h\"\n\n";
    static const char* const functions[] = {"VG_TIJD", "inst_MG_TIJD", "AR"};
    for (int i = 0; i < kFieldsPerFile; ++i) {
        const int element = (file * kFieldsPerFile + i) % names;
        text += common::format("%02d  %s  E%05d  E%05d\n", i % 100, functions[i % 3], element,
                               element % 48);
    }
    return text;
}

const fs::path& project() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / "veltro_check_bench";
        fs::remove_all(d);
        fs::create_directories(d);
        const int names = veltro::DefinitionTable::kCapacity - macroCount() - 1;  // NUMSG
        std::ofstream(d / "ZXAPDEF.H", std::ios::binary) << definitionHeader(names);
        for (int f = 0; f < kFiles; ++f) {
            std::ofstream(d / common::format("debug_%03d.plo", f), std::ios::binary)
                << windowFile(f, names);
        }
        return d;
    }();
    return dir;
}

class CountingBuffer final : public std::streambuf {
  public:
    std::size_t count = 0;

  protected:
    int_type overflow(int_type c) override {
        ++count;
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        count += static_cast<std::size_t>(n);
        return n;
    }
};

void BM_CheckMaximalProject(benchmark::State& state) {
    const std::string dir = project().string();
    std::size_t outputBytes = 0;
    for (auto _ : state) {
        CountingBuffer buffer;
        std::ostream out(&buffer);
        std::ostream err(&buffer);
        benchmark::DoNotOptimize(veltro::runCheck(dir, out, err));
        outputBytes = buffer.count;
    }
    state.counters["output_bytes"] = static_cast<double>(outputBytes);
}
BENCHMARK(BM_CheckMaximalProject)->Unit(benchmark::kMillisecond);

void BM_ReadSameBytes(benchmark::State& state) {
    const fs::path& dir = project();
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = common::readFileBytes(dir / "ZXAPDEF.H")->size();
        for (const std::string& name : common::listMatchingFiles(dir, "DEBUG_???.*")) {
            bytes += common::readFileBytes(dir / name)->size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["input_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReadSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace
