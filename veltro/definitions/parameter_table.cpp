#include "veltro/definitions/parameter_table.h"

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <unordered_map>

#include "common/file_lookup.h"
#include "common/text_file.h"
#include "veltro/definitions/definitions_loader.h"
#include "veltro/definitions/path_join.h"
#include "veltro/definitions/text_scan.h"

namespace veltro {

namespace {

using Fields = std::vector<std::string_view>;
constexpr std::string_view kSeparators = " ,\t\n";

// Not data: short lines, preprocessor lines and lines that are one comment.
bool isDataLine(std::string_view line, bool hadLineFeed) {
    if (line.size() + (hadLineFeed ? 1 : 0) < 4)
        return false;
    std::string_view body = scan::skipBlanksAndTabs(line);
    if (body.starts_with('#'))
        return false;
    if (!body.starts_with("/*"))
        return true;
    std::size_t end = body.find_last_not_of(" \n");
    std::string_view trimmed = body.substr(0, end == std::string_view::npos ? 0 : end + 1);
    return !trimmed.ends_with("*/");
}

// The first of the first `count` elements of a table that carries each name.
// The keys view the names in the table, which this reader never changes.
template <class Table>
class NameIndex {
  public:
    explicit NameIndex(Table& table) : m_table(table) {
        for (int i = table.validCount() - 1; i >= 0; --i)
            m_index[table[i].name] = i;
    }
    auto* find(std::string_view name) {
        auto it = m_index.find(name);
        return it == m_index.end() ? nullptr : &m_table[it->second];
    }

  private:
    Table& m_table;
    std::unordered_map<std::string_view, int> m_index;
};

// A value field: "NG" marks a value that is not used.
double ngValue(std::string_view field) {
    return scan::contains(field, "NG") ? -1.0 : scan::decimalDouble(field);
}

// Sets `target` from field `n` (1-based) when the line has it.
void setFrom(const Fields& f, std::size_t n, double& target, bool ngRule) {
    if (f.size() < n)
        return;
    target = ngRule ? ngValue(f[n - 1]) : scan::decimalDouble(f[n - 1]);
}

// The clearance times are single-precision numbers; one beyond that range is
// no number at all.
double singlePrecision(double value) {
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return 0.0;
    return static_cast<float>(value);
}

std::string cut(std::string_view text, std::size_t max) {
    return std::string(text.substr(0, std::min(text.size(), max)));
}

struct Reader {
    const DefinitionTable& definitions;
    ElementTables& elements;
    NameIndex<ElementTable<SignalGroup, 80>> sgByName{elements.signalGroups};
    NameIndex<ElementTable<Detector, 256>> detByName{elements.detectors};
    NameIndex<ElementTable<Time, 256>> timeByName{elements.times};
    NameIndex<ElementTable<Clock, 256>> clockByName{elements.clocks};
    NameIndex<ElementTable<Switch, 256>> switchByName{elements.switches};
    NameIndex<ElementTable<IntParameter, 5000>> eggpByName{elements.intParameters};
    NameIndex<ElementTable<Parameter, 5000>> epByName{elements.parameters};

    // Signal group lines name a signal group ("SG" in field 1) that the header knew.
    SignalGroup* signalGroup(const Fields& f) {
        if (f.empty() || !scan::contains(f[0], "SG"))
            return nullptr;
        return sgByName.find(f[0]);
    }

    void conflict(std::string_view line) {
        Fields f = scan::splitFields(line, kSeparators);
        auto& table = elements.conflicts;
        if (f.size() < 2 || table.count >= table.kCapacity)
            return;
        auto numbered = [](std::string_view name) {
            return name.size() > 2 && scan::decimalInt(name.substr(2)).value_or(0) != 0;
        };
        if (!numbered(f[0]) || !numbered(f[1]))
            return;
        Conflict& c = table[table.count++];
        c.fromArrayNumber = definitions.lookup(f[0]);
        c.toArrayNumber = definitions.lookup(f[1]);
        c.fromName = cut(f[0], Conflict::kFromNameMax);
        c.toName = cut(f[1], Conflict::kToNameMax);
        if (f.size() >= 4)
            c.value = singlePrecision(scan::decimalDouble(f[3]));
    }

    void sgTimes(std::string_view line) {
        Fields f = scan::splitFields(line, kSeparators);
        SignalGroup* sg = signalGroup(f);
        if (!sg)
            return;
        setFrom(f, 3, sg->source[sg_value::kVg], false);
        setFrom(f, 5, sg->source[sg_value::kGl], false);
    }

    void mgTimes(std::string_view line) {
        Fields f = scan::splitFields(line, kSeparators);
        SignalGroup* sg = signalGroup(f);
        if (!sg)
            return;
        sg->number = f[0].size() > 2 ? scan::decimalInt(f[0].substr(2)).value_or(0) : 0;
        if (sg->arrayNumber == -1)
            sg->arrayNumber = definitions.lookup(f[0]);
        for (std::size_t n = 2; n <= 5; ++n) {
            setFrom(f, n, sg->source[sg_value::kMg + static_cast<int>(n) - 2], true);
        }
    }

    // E_, E2_ and E3_MG_TIJDEN_tabel[]: MG times first, first + 1, first + 2.
    void extraMgTimes(std::string_view line, int first) {
        Fields f = scan::splitFields(line, kSeparators);
        SignalGroup* sg = signalGroup(f);
        if (!sg)
            return;
        for (int n = 0; n < 3; ++n) {
            setFrom(f, static_cast<std::size_t>(n) + 2, sg->source[sg_value::mg(first + n)], true);
        }
    }

    void detectors(std::string_view line) {
        Fields f = scan::splitFields(line, kSeparators);
        if (f.empty() || !scan::contains(f[0], "SG"))
            return;
        Detector* d = detByName.find(f[0]);
        if (!d)
            return;
        if (d->arrayNumber == -1)
            d->arrayNumber = definitions.lookup(f[0]);
        setFrom(f, 5, d->source[det_value::kHTijd1], true);
        setFrom(f, 6, d->source[det_value::kHTijd2], true);
        setFrom(f, 4, d->source[det_value::kBztTijd], true);
    }

    void times(std::string_view line) {
        Fields f = scan::splitFields(line, kSeparators);
        Time* t = f.empty() ? nullptr : timeByName.find(f[0]);
        if (t)
            setFrom(f, 2, t->source, false);
    }

    void clocks(std::string_view line) {
        Fields f = scan::splitFields(line, kSeparators);
        Clock* k = f.empty() ? nullptr : clockByName.find(f[0]);
        if (!k)
            return;
        setFrom(f, 2, k->source[0], false);
        setFrom(f, 3, k->source[1], false);
    }

    void switches(std::string_view line) {
        Fields f = scan::splitFields(line, kSeparators);
        if (f.size() < 2)
            return;
        if (Switch* s = switchByName.find(f[0]))
            s->state = scan::contains(f[1], "AAN") ? 1 : 0;
    }

    void intParameters(std::string_view line) {
        Fields f = scan::splitFields(line, kSeparators);
        if (f.size() < 2)
            return;
        IntParameter* p = eggpByName.find(f[0]);
        std::optional<std::int32_t> value = scan::decimalInt(f[1]);
        if (p && value)
            p->value = *value;
    }

    // Pairs "name, value," one after the other; a piece ends at its second comma.
    void parameters(std::string_view line) {
        while (true) {
            std::size_t first = line.find(',');
            std::size_t second =
                first == std::string_view::npos ? first : line.find(',', first + 1);
            if (second == std::string_view::npos)
                return;
            Fields f = scan::splitFields(line.substr(0, second + 1), kSeparators);
            line.remove_prefix(second + 1);
            if (f.size() < 2)
                continue;
            if (Parameter* p = epByName.find(f[0]))
                p->value = scan::decimalDouble(f[1]);
        }
    }
};

struct TableSpec {
    std::string_view name;
    std::array<std::string_view, 5>
        excluded;  // header lines that also hold one of these do not count
    std::function<void(Reader&, std::string_view)> handle;
};

const std::array<TableSpec, 12>& tableSpecs() {
    static const std::array<TableSpec, 12> specs{{
        {"CONFLICT_tabel[]", {}, &Reader::conflict},
        {"SG_TIJDEN_tabel[]", {}, &Reader::sgTimes},
        {"MG_TIJDEN_tabel[]",
         {"E_MG_TIJDEN_tabel[]", "E2_MG_TIJDEN_tabel[]", "E3_MG_TIJDEN_tabel[]"},
         &Reader::mgTimes},
        {"E_MG_TIJDEN_tabel[]", {}, [](Reader& r, std::string_view l) { r.extraMgTimes(l, 4); }},
        {"E2_MG_TIJDEN_tabel[]", {}, [](Reader& r, std::string_view l) { r.extraMgTimes(l, 7); }},
        {"E3_MG_TIJDEN_tabel[]", {}, [](Reader& r, std::string_view l) { r.extraMgTimes(l, 10); }},
        {"SG_DETECTIE_tabel[]", {}, &Reader::detectors},
        {"TIJDEN_tabel[]",
         {"SG_TIJDEN_tabel[]", "MG_TIJDEN_tabel[]", "E_MG_TIJDEN_tabel[]", "E2_MG_TIJDEN_tabel[]",
          "E3_MG_TIJDEN_tabel[]"},
         &Reader::times},
        {"KLOKKEN_tabel[]", {}, &Reader::clocks},
        {"SCHAKELAAR_tabel", {}, &Reader::switches},
        {"EGGPARMS_tabel", {}, &Reader::intParameters},
        {"EPARMS_tabel", {}, &Reader::parameters},
    }};
    return specs;
}

bool isTableHeader(std::string_view line, const TableSpec& spec) {
    if (!scan::contains(line, spec.name))
        return false;
    for (std::string_view other : spec.excluded) {
        if (!other.empty() && scan::contains(line, other))
            return false;
    }
    return true;
}

void readTable(scan::Lines& lines, const TableSpec& spec, Reader& reader) {
    lines.rewind();
    std::optional<std::string_view> line;
    while ((line = lines.next()) && !isTableHeader(*line, spec)) {
    }
    if (!line || scan::contains(*line, "STOP"))
        return;
    while ((line = lines.next()) && !scan::contains(*line, "STOP")) {
        if (isDataLine(*line, lines.hadLineFeed()))
            spec.handle(reader, *line);
    }
}

}  // namespace

void readParameterTable(std::string_view bytes, const DefinitionTable& definitions,
                        ElementTables& elements) {
    elements.conflicts.count = 0;
    Reader reader{definitions, elements};
    scan::Lines lines(bytes);
    for (const TableSpec& spec : tableSpecs())
        readTable(lines, spec, reader);
}

void readParameterTableFile(std::string_view definitionHeaderPath,
                            const DefinitionTable& definitions, ElementTables& elements) {
    elements.conflicts.count = 0;
    std::string_view directory = directoryOf(definitionHeaderPath);
    std::optional<std::filesystem::path> path = common::findFileIgnoreCase(
        directory.empty() ? std::filesystem::path(".") : std::filesystem::path(directory),
        kParameterTableName);
    if (!path)
        return;
    std::optional<std::string> bytes = common::readFileBytes(*path);
    if (bytes)
        readParameterTable(*bytes, definitions, elements);
}

}  // namespace veltro
