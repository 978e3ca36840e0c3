// Loading the definitions of a maximal application against the raw cost of
// reading the same files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/text_file.h"
#include "veltro/definitions/definitions_loader.h"
#include "veltro/definitions/silent_messages.h"

namespace {

namespace fs = std::filesystem;

struct Kind {
    const char* header;
    const char* prefix;
    int count;
    const char* countName;
};

// 9116 definitions: with the built-in macros the definition table is nearly full.
constexpr Kind kKinds[] = {
    {"signaalgroepen", "SG", 80, "NUMSG"}, {"detectoren", "SGD", 256, "NUMD"},
    {"tijden", "T", 256, "NUMT "},         {"klokken", "KL", 256, "NUMKL"},
    {"eggparms", "PRM", 4000, "NUMEGGP"},  {"eparms", "EP", 4000, "NUMEP"},
    {"schakelaars", "SCH", 256, "NUMSCH"},
};

std::string name(const char* prefix, int i) {
    std::string n(prefix);
    n += std::to_string(100 + i);
    return n;
}

std::string header() {
    std::string text = "/* maximale applicatie */\n";
    for (const Kind& k : kKinds) {
        text += std::string("/* declaratie arraynummers voor ") + k.header + " */\n";
        for (int i = 0; i < k.count; ++i) {
            text.append("#define ").append(name(k.prefix, i)).append(" ");
            text.append(std::to_string(i)).append("\n");
        }
        text += std::string("#define ") + k.countName + " " + std::to_string(k.count) + "\n\n";
    }
    return text;
}

std::string table() {
    std::string t = "CONFLICT_tabel[] = {\n";
    for (int i = 0; i < 1000; ++i) {
        t.append(name("SG", i % 80)).append(", ").append(name("SG", (i + 1) % 80));
        t += ", 1.5, 2.5,\n";
    }
    t += "STOP };\n";
    for (const char* tab : {"SG_TIJDEN_tabel[]", "MG_TIJDEN_tabel[]", "E_MG_TIJDEN_tabel[]",
                            "E2_MG_TIJDEN_tabel[]", "E3_MG_TIJDEN_tabel[]"}) {
        t += std::string(tab) + " = {\n";
        for (int i = 0; i < 80; ++i)
            t.append("  ").append(name("SG", i)).append(", 10, 20, 30, 40,\n");
        t += "STOP };\n";
    }
    t += "SG_DETECTIE_tabel[] = {\n";
    for (int i = 0; i < 256; ++i)
        t.append("  ").append(name("SGD", i)).append(", SG100, DS, 1.0, 1.5, NG,\n");
    t += "STOP };\nTIJDEN_tabel[] = {\n";
    for (int i = 0; i < 256; ++i)
        t.append("  ").append(name("T", i)).append(", 4.5,\n");
    t += "STOP };\nKLOKKEN_tabel[] = {\n";
    for (int i = 0; i < 256; ++i)
        t.append("  ").append(name("KL", i)).append(", 7.30, 8.15,\n");
    t += "STOP };\nSCHAKELAAR_tabel = {\n";
    for (int i = 0; i < 256; ++i)
        t.append("  ").append(name("SCH", i)).append(", AAN,\n");
    t += "STOP };\nEGGPARMS_tabel = {\n";
    for (int i = 0; i < 4000; ++i)
        t.append("  ").append(name("PRM", i)).append(", 12,\n");
    t += "STOP };\nEPARMS_tabel = {\n";
    for (int i = 0; i < 4000; i += 4) {
        t += " ";
        for (int k = i; k < i + 4; ++k)
            t.append(" ").append(name("EP", k)).append(", 1.5,");
        t += "\n";
    }
    return t + "STOP };\n";
}

const fs::path& projectDir() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / "veltro_definitions_bench";
        fs::create_directories(d);
        std::ofstream(d / "ZXAPDEF.H", std::ios::binary) << header();
        std::ofstream(d / "ZXAPTAB.C", std::ios::binary) << table();
        return d;
    }();
    return dir;
}

void BM_ReadBytesOnly(benchmark::State& state) {
    const fs::path& dir = projectDir();
    for (auto _ : state) {
        auto a = common::readFileBytes(dir / "ZXAPDEF.H");
        auto b = common::readFileBytes(dir / "ZXAPTAB.C");
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
    }
}
BENCHMARK(BM_ReadBytesOnly)->Unit(benchmark::kMillisecond);

void BM_LoadDefinitions(benchmark::State& state) {
    const std::string dir = projectDir().string();
    veltro::ElementTables elements;
    for (auto _ : state) {
        veltro::DefinitionTable table;
        veltro::SilentMessages messages;
        veltro::loadMacroDefinitions(table, messages);
        auto outcome = veltro::loadApplicationDefinitions(dir, table, elements, messages);
        if (outcome.status != veltro::DefinitionsOutcome::Status::Loaded ||
            elements.parameters.count != 4000 || elements.conflicts.count != 1000) {
            state.SkipWithError("maximal project did not load");
        }
    }
}
BENCHMARK(BM_LoadDefinitions)->Unit(benchmark::kMillisecond);

void BM_LookupEveryName(benchmark::State& state) {
    veltro::DefinitionTable table;
    veltro::SilentMessages messages;
    veltro::ElementTables elements;
    veltro::loadMacroDefinitions(table, messages);
    veltro::loadApplicationDefinitions(projectDir().string(), table, elements, messages);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const auto& e : table.entries())
            sum += table.lookup(e.name);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * table.count());
}
BENCHMARK(BM_LookupEveryName)->Unit(benchmark::kMicrosecond);

}  // namespace
