#include "pendrel/project/table_reader.h"

#include <algorithm>
#include <functional>
#include <span>

#include "common/format.h"
#include "pendrel/project/table_tokens.h"

namespace pendrel {
namespace {

using Fields = std::span<const std::string_view>;

enum class Message { Standard, Parameters, Detection };

struct TableSpec {
    Table table;
    std::string_view progressLine;  // empty: shares the previous line
    std::string_view name;
    std::size_t fieldsPerRow;
    Message message;
};

constexpr TableSpec kTables[] = {
    {Table::SgTijden, "lezen signaalgroeptijden", "SG_TIJDEN_tabel", 6, Message::Standard},
    {Table::Conflict, "lezen (garantie) ontruimingstijden", "CONFLICT_tabel", 4,
     Message::Standard},
    {Table::MgTijden, "lezen maximumgroentijden", "MG_TIJDEN_tabel", 5, Message::Standard},
    {Table::EMgTijden, "lezen extra maximumgroentijden", "E_MG_TIJDEN_tabel", 4,
     Message::Standard},
    {Table::E2MgTijden, "lezen extra maximumgroentijden 2e", "E2_MG_TIJDEN_tabel", 4,
     Message::Standard},
    {Table::E3MgTijden, "lezen extra maximumgroentijden 3e", "E3_MG_TIJDEN_tabel", 4,
     Message::Standard},
    {Table::Tijden, "lezen overige tijden", "TIJDEN_tabel", 2, Message::Standard},
    {Table::Schakelaar, "lezen schakelaars, klokken e.d.", "SCHAKELAAR_tabel", 2,
     Message::Standard},
    {Table::Klokken, "", "KLOKKEN_tabel", 3, Message::Standard},
    {Table::Blokken, "", "BLOKKEN_tabel", 3, Message::Standard},
    {Table::SgDetectie, "lezen detectie (fouten)", "SG_DETECTIE_tabel", 7, Message::Detection},
    {Table::Koppel, "lezen koppelsignalen", "KOPPEL_tabel", 4, Message::Standard},
    {Table::Eparms, "lezen extra parameters", "EPARMS_tabel", 2, Message::Parameters},
    {Table::Eggparms, "lezen extra geheel getal parameters", "EGGPARMS_tabel", 2,
     Message::Parameters},
    {Table::SgRga, "lezen richting gevoelige aanvragen", "SG_RGA_tabel", 6, Message::Standard},
    {Table::Regeling, "lezen regelingen", "REGELING_tabel", 1, Message::Standard},
};

constexpr std::size_t kMaxGroupRows = 48;
constexpr std::size_t kMaxConflicts = 500;
constexpr std::size_t kMaxNamedRows = 256;
constexpr std::size_t kMaxClocks = 48;
constexpr std::size_t kMaxBlocks = 10;
constexpr std::size_t kMaxBlockEntries = 144;
constexpr std::size_t kMaxCouplings = 128;
constexpr std::size_t kMaxProgrammes = 10;

bool contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

std::string name(std::string_view token, std::size_t maximum = 43) {
    return std::string(token.substr(0, maximum));
}

MaxGreenRow maxGreenRow(Fields f) {
    MaxGreenRow row{name(f[0]), {}};
    for (std::size_t i = 1; i < f.size(); ++i) {
        row.isSet.push_back(!contains(f[i], "NG"));
    }
    return row;
}

void addBlockEntry(ProjectData& data, Fields f) {
    std::size_t entries = 0;
    for (const Block& b : data.blocks) {
        entries += b.entries.size();
    }
    if (entries >= kMaxBlockEntries) {
        return;
    }
    auto block = std::find_if(data.blocks.begin(), data.blocks.end(),
                              [&](const Block& b) { return b.name == f[0]; });
    if (block == data.blocks.end()) {
        if (data.blocks.size() >= kMaxBlocks) {
            return;
        }
        data.blocks.push_back(Block{name(f[0]), {}});
        block = data.blocks.end() - 1;
    }
    BlockMark mark = contains(f[2], "PRIM")  ? BlockMark::Prim
                     : contains(f[2], "ALT") ? BlockMark::Alt
                                             : BlockMark::None;
    block->entries.push_back(BlockEntry{name(f[1]), mark});
}

// Where the rows of each table go, and how many a table may hold.
std::size_t rowsAndSink(Table table, ProjectData& data, std::function<void(Fields)>& sink) {
    switch (table) {
        case Table::SgTijden:
            sink = [&](Fields f) { data.sgTimeGroups.push_back(name(f[0])); };
            return kMaxGroupRows;
        case Table::Conflict:
            sink = [&](Fields f) { data.conflicts.push_back({name(f[0]), name(f[1])}); };
            return kMaxConflicts;
        case Table::MgTijden:
            sink = [&](Fields f) { data.maxGreen.push_back(maxGreenRow(f)); };
            return kMaxGroupRows;
        case Table::EMgTijden:
        case Table::E2MgTijden:
        case Table::E3MgTijden: {
            std::size_t which =
                static_cast<std::size_t>(table) - static_cast<std::size_t>(Table::EMgTijden);
            sink = [&data, which](Fields f) {
                data.extraMaxGreen[which].push_back(maxGreenRow(f));
            };
            return kMaxGroupRows;
        }
        case Table::Tijden:
            sink = [&](Fields f) { data.times.push_back(name(f[0])); };
            return kMaxNamedRows;
        case Table::Schakelaar:
            sink = [&](Fields f) { data.switches.push_back(name(f[0])); };
            return kMaxNamedRows;
        case Table::Klokken:
            sink = [&](Fields f) { data.clocks.push_back(name(f[0])); };
            return kMaxClocks;
        case Table::Blokken:
            sink = [&](Fields f) { addBlockEntry(data, f); };
            return kMaxBlockEntries;
        case Table::SgDetectie:
            sink = [&](Fields f) { data.detectors.push_back({name(f[0]), name(f[1])}); };
            return kMaxNamedRows;
        case Table::Koppel:
            sink = [&](Fields f) {
                data.couplings.push_back({name(f[0]), !contains(f[1], "UIT")});
            };
            return kMaxCouplings;
        case Table::Eparms:
            sink = [&](Fields f) { data.extraParameters.push_back(name(f[0])); };
            return static_cast<std::size_t>(data.extraParameterCount);
        case Table::Eggparms:
            sink = [&](Fields f) { data.extraIntegerParameters.push_back(name(f[0])); };
            return static_cast<std::size_t>(data.extraIntegerParameterCount);
        case Table::SgRga:
            sink = [&](Fields f) { data.pairs.push_back({name(f[3]), name(f[4])}); };
            return kMaxNamedRows;
        case Table::Regeling:
            sink = [&](Fields f) { data.programmes.push_back(name(f[0])); };
            return kMaxProgrammes;
        case Table::Count:
            break;
    }
    sink = [](Fields) {};
    return 0;
}

std::string failureText(const TableSpec& spec, std::string_view fileName) {
    std::string table(spec.name);
    std::string file(fileName);
    switch (spec.message) {
        case Message::Parameters:
            return common::format("%s in %s is leeg, bevat syntaxfouten.", table.c_str(),
                                  file.c_str());
        case Message::Detection:
            return common::format("%s is leeg of bevat syntaxfouten.", file.c_str());
        case Message::Standard:
            break;
    }
    return common::format("%s in %s is leeg of bevat syntaxfouten.", table.c_str(), file.c_str());
}

// Reads one table; false (after its warning) when it is missing or broken.
bool readTable(const TableSpec& spec, std::string_view source, std::string_view fileName,
               Prompts& prompts, ProjectData& data) {
    std::optional<std::size_t> start = locateTable(source, spec.name);
    if (!start) {
        prompts.warning(common::format("%s bevat geen %s.", std::string(fileName).c_str(),
                                       std::string(spec.name).c_str()));
        return false;
    }
    std::function<void(Fields)> sink;
    std::size_t maxRows = rowsAndSink(spec.table, data, sink);
    TableTokens tokens(source, *start);
    TableStatus status = readTableRows(tokens, spec.fieldsPerRow, maxRows, sink);
    if (status != TableStatus::Read) {
        prompts.warning(failureText(spec, fileName));
        return false;
    }
    return true;
}

}  // namespace

void readTables(std::string_view source, std::string_view fileName, Prompts& prompts,
                Progress& progress, ProjectData& data) {
    for (const TableSpec& spec : kTables) {
        if (!spec.progressLine.empty()) {
            progress.add(spec.progressLine);
        }
        if (spec.table == Table::Blokken && data.noBlocks) {
            continue;
        }
        bool ok = readTable(spec, source, fileName, prompts, data);
        data.available[static_cast<std::size_t>(spec.table)] = ok;
        if (!ok && spec.table == Table::Blokken) {
            data.signalGroupsUsableWithBlocks = false;
        }
    }
}

}  // namespace pendrel
