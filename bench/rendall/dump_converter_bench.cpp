// The conversion of a full-size dump (close to 120000 characters) against a
// header of 5000 definitions, next to the bare cost of reading both files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/format.h"
#include "common/text_file.h"
#include "rendall/definition_reader.h"
#include "rendall/definitions_text.h"
#include "rendall/dump_converter.h"
#include "rendall/dump_reader.h"
#include "rendall/listing.h"
#include "rendall/name_table.h"
#include "rendall/rendall_run.h"
#include "rendall/text_util.h"

namespace fs = std::filesystem;

namespace {

struct SectionSize {
    const char* keyword;
    const char* prefix;
    const char* countName;
    int count;
};

// 4989 elements and 10 count definitions and NUMOV: 5000 definitions.
constexpr SectionSize kSections[] = {
    {"blokken", "B", "NUMBK", 10},
    {"signaalgroepen", "SG", "NUMSG", 64},
    {"detectoren", "D", "NUMD", 256},
    {"tijden", "T", "NUMT", 1000},
    {"hulpfuncties", "HF", "NUMHF", 1000},
    {"klokken", "KL", "NUMKL", 256},
    {"schakelaars", "SCH", "NUMSCH", 256},
    {"tellers", "TL", "NUMTL", 1000},
    {"extra parameters", "EP", "NUMEP", 1000},
    {"extra geheel getal parameters", "EGGP", "NUMEGGP", 147},
};

std::string makeHeader() {
    // Short names: 5000 definitions only just fit in the text buffer.
    std::string header = "/*\n * ZXAPDEF.H voor de meting\n */\n";
    for (const SectionSize& s : kSections) {
        header += common::format("\n/* declaratie arraynummers voor %s */\n", s.keyword);
        for (int i = 0; i < s.count; ++i) {
            header += common::format("#define %s%04d %d\n", s.prefix, i, i);
        }
        header += common::format("#define %s %d\n", s.countName, s.count);
    }
    header += "#define NUMOV 5000\n";
    return header;
}

std::string makeDump() {
    std::string d = "ALGEMEEN\nREGELAAR 999\nACTIEF BLOK(3)\n\nSIGNAALGROEPEN\n";
    for (int i = 0; i < 64; ++i)
        d += common::format("%-8s G  %5d  %5d\n", ("(" + std::to_string(i) + ")").c_str(), i,
                            i * 3);
    d += "\nBLOKKEN\n";
    for (int b = 0; b < 10; ++b) {
        d += common::format("BLOK(%d) ACTIEF\n", b);
        for (int g = b; g < 64; g += 10)
            d += common::format("    %-12sPRIMAIR\n", ("(" + std::to_string(g) + ")").c_str());
    }
    d += "\nDETECTOREN\n";
    for (int i = 0; i < 256; ++i)
        d += common::format("%-16s%3d%5d%7d\n", ("D(" + std::to_string(i) + ")").c_str(), i % 2, 0,
                            i * 7);
    d += "\nKLOKKEN\n";
    for (int i = 0; i < 256; ++i)
        d += common::format("KL(%d) A %d %d\n", i, 700, 930);
    d += "\nEXTRA PARAMETERS\n";
    for (int i = 0; i < 1000; ++i)
        d += common::format("EPARM(%d) %d\n", i, i * 10);
    d += "\nEXTRA GEHEEL GETAL PARAMETERS\n";
    for (int i = 0; i < 147; ++i)
        d += common::format("EGGPARM(%d) %d\n", i, i);
    d += "\nSCHAKELAARS\n";
    for (int i = 0; i < 256; ++i)
        d += common::format("SCH(%d) %c\n", i, i % 2 ? 'A' : 'U');
    d += "\nTIJDEN\n";
    for (int i = 0; i < 1000; ++i)
        d += common::format("TIJD(%d) L %d %d\n", i, i * 10, i);
    d += "\nHULPFUNCTIES\n";
    for (int i = 0; i < 1000; ++i)
        d += common::format("HF(%d) %d TL(%d) %d\n", i, i % 2, i, i * 3);
    d += "\nCVN-INTERFACE\n";
    for (int i = 0; d.size() < 119900 - 40; ++i)
        d += common::format("CVN REGEL %05d GEGEVENS 0123456789\n", i);
    d += "EINDE DUMP\n";
    // As the dump dialog stores it.
    std::string stored;
    for (char c : d)
        stored += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return stored;
}

class Files {
  public:
    Files() {
        m_dir = fs::temp_directory_path() / "rendall_bench";
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "ZXAPDEF.H", std::ios::binary) << makeHeader();
        std::ofstream(m_dir / "dpcom.dmp", std::ios::binary) << makeDump();
    }
    const fs::path& dir() const { return m_dir; }

  private:
    fs::path m_dir;
};

const Files& files() {
    static const Files f;
    return f;
}

void BM_ReadBothFiles(benchmark::State& state) {
    const fs::path dir = files().dir();
    for (auto _ : state) {
        auto header = common::readFileBytes(dir / "ZXAPDEF.H");
        auto dump = common::readFileBytes(dir / "dpcom.dmp");
        benchmark::DoNotOptimize(header);
        benchmark::DoNotOptimize(dump);
    }
}
BENCHMARK(BM_ReadBothFiles)->Unit(benchmark::kMillisecond);

void BM_ReadAndConvert(benchmark::State& state) {
    const fs::path dir = files().dir();
    for (auto _ : state) {
        const auto headerBytes = common::readFileBytes(dir / "ZXAPDEF.H");
        const auto dumpBytes = common::readFileBytes(dir / "dpcom.dmp");
        std::string prepared;
        rendall::Definitions definitions;
        std::string text;
        rendall::DumpValues values;
        std::string note;
        std::string listing;
        const std::string header = rendall::textModeChars(*headerBytes, headerBytes->size());
        if (!rendall::prepareDefinitionsText(header, {}, prepared).ok() ||
            !rendall::readDefinitions(prepared, definitions).ok() ||
            !rendall::extractDumpText(*dumpBytes, "DPCOM.DMP", text).ok() ||
            !rendall::readDumpValues(text, "DPCOM.DMP", values).ok()) {
            state.SkipWithError("conversion failed");
            break;
        }
        const rendall::NameTable names(definitions);
        if (!rendall::convertDumpText(text, names, note).ok() ||
            !rendall::buildListing(text, values, names, "MEETKRUISPUNT", "DPCOM.DMP", listing)
                 .ok()) {
            state.SkipWithError("conversion failed");
            break;
        }
        benchmark::DoNotOptimize(listing);
    }
}
BENCHMARK(BM_ReadAndConvert)->Unit(benchmark::kMillisecond);

class SilentConsole : public rendall::Console {
  public:
    void write(std::string_view) override {}
    rendall::Key readKey() override { return {rendall::Key::Kind::Byte, m_keys[m_next++ % 2]}; }

  private:
    const unsigned char m_keys[2] = {'J', '\r'};
    std::size_t m_next = 0;
};

// The whole program run, the atomic write of the listing (with its fsync) included.
void BM_WholeRun(benchmark::State& state) {
    const fs::path dir = files().dir();
    for (auto _ : state) {
        SilentConsole console;
        if (rendall::runRendall({"dpcom.dmp", "bench.out"}, console, dir) != 0) {
            state.SkipWithError("run failed");
            break;
        }
    }
}
BENCHMARK(BM_WholeRun)->Unit(benchmark::kMillisecond);

}  // namespace
