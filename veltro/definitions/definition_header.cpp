#include "veltro/definitions/definition_header.h"

#include <array>
#include <optional>

#include "veltro/definitions/line_reader.h"
#include "veltro/definitions/text_scan.h"

namespace veltro {

bool readDefinitionPass1(std::string_view bytes, std::string_view fileName, DefinitionTable& table,
                         Messages& messages) {
    LineReader reader(bytes, fileName, messages);
    while (std::optional<std::string_view> line = reader.next()) {
        std::optional<scan::DefineLine> define = scan::parseDefineLine(*line);
        if (!define)
            continue;
        std::optional<std::int32_t> value = scan::definitionValue(define->value);
        if (!value) {
            messages.message(message_kind::kSystem, "De definitie waarde '", define->value,
                             "' is ongeldig.");
            return false;
        }
        if (!table.add(define->name, *value)) {
            messages.message(message_kind::kSystem, "Kan de definitie '", define->name,
                             "' niet meer toevoegen aan de definitie tabel");
            return false;
        }
    }
    return true;
}

namespace {

enum class Kind { Sg, D, T, Kl, Eggp, Ep, Sch, None };

struct SectionKind {
    Kind kind;
    std::array<std::string_view, 2> headers;  // the second may be empty
};

// The fixed order of the section pass.
constexpr std::array<SectionKind, 7> kSections{{
    {Kind::Sg, {"declaratie arraynummers voor signaalgroepen", {}}},
    {Kind::D, {"declaratie arraynummers voor detectoren", {}}},
    {Kind::T, {"declaratie arraynummers voor tijden", {}}},
    {Kind::Kl, {"declaratie arraynummers voor klokken", {}}},
    {Kind::Eggp,
     {"declaratie arraynummers voor extra geheel getal parameter",
      "declaratie arraynummers voor eggparms"}},
    {Kind::Ep,
     {"declaratie arraynummers voor extra parameters", "declaratie arraynummers voor eparms"}},
    {Kind::Sch, {"declaratie arraynummers voor schakelaars", {}}},
}};

struct CountName {
    std::string_view text;
    Kind kind;  // None: ends a section without being stored
};

// Tested in this order; "NUMT " keeps its blank so that NUMTL does not match it.
constexpr std::array<CountName, 10> kCountNames{{
    {"NUMBK", Kind::None},
    {"NUMSG", Kind::Sg},
    {"NUMD", Kind::D},
    {"NUMSCH", Kind::Sch},
    {"NUMHF", Kind::None},
    {"NUMEP", Kind::Ep},
    {"NUMEGGP", Kind::Eggp},
    {"NUMT ", Kind::T},
    {"NUMKL", Kind::Kl},
    {"NUMTL", Kind::None},
}};

std::string elementName(std::string_view name) {
    return std::string(name.substr(0, std::min(name.size(), kElementNameMax)));
}

// Calls f with the table of `kind`.
template <class F>
void withTable(ElementTables& e, Kind kind, F&& f) {
    switch (kind) {
        case Kind::Sg:
            f(e.signalGroups);
            break;
        case Kind::D:
            f(e.detectors);
            break;
        case Kind::T:
            f(e.times);
            break;
        case Kind::Kl:
            f(e.clocks);
            break;
        case Kind::Eggp:
            f(e.intParameters);
            break;
        case Kind::Ep:
            f(e.parameters);
            break;
        case Kind::Sch:
            f(e.switches);
            break;
        case Kind::None:
            break;
    }
}

void setCount(ElementTables& e, Kind kind, int count) {
    withTable(e, kind, [count](auto& table) { table.count = count; });
}

// Conditional lines: the reader takes the branch of a PC environment
// without AUTOMAAT. One flag, no nesting.
bool conditional(std::string_view line, bool& active) {
    using scan::contains;
    if (contains(line, "#ifdef pc_omgeving") || contains(line, "#ifndef AUTOMAAT")) {
        active = true;
    } else if (contains(line, "#ifndef pc_omgeving") || contains(line, "#ifdef AUTOMAAT")) {
        active = false;
    } else if (contains(line, "#else")) {
        active = !active;
    } else if (contains(line, "#endif")) {
        active = true;
    } else {
        return false;
    }
    return true;
}

std::optional<Kind> countNameIn(std::string_view line) {
    for (const CountName& count : kCountNames) {
        if (scan::contains(line, count.text))
            return count.kind;
    }
    return std::nullopt;
}

// Reads one section, from the line after its header up to and including its
// count line (or the end of the text).
template <class Table>
void readSection(scan::Lines& lines, Table& table, ElementTables& elements) {
    int index = 0;
    bool active = true;
    while (std::optional<std::string_view> line = lines.next()) {
        if (conditional(*line, active))
            continue;
        if (!active || !scan::contains(*line, "#define"))
            continue;
        if (std::optional<Kind> counted = countNameIn(*line)) {
            // The value written on the count line is not used: the lines are counted.
            setCount(elements, *counted, index);
            return;
        }
        if (index >= Table::kCapacity)
            continue;
        std::vector<std::string_view> fields = scan::blankFields(*line);
        auto& element = table[index++];
        element.name = fields.size() > 1 ? elementName(fields[1]) : std::string();
        std::optional<std::int32_t> value =
            fields.size() > 2 ? scan::decimalInt(fields[2]) : std::nullopt;
        element.arrayNumber = value.value_or(-1);
    }
}

void resetSignalGroupsAndDetectors(ElementTables& e) {
    for (SignalGroup& sg : e.signalGroups.slots) {
        sg.name.clear();
        sg.number = -1;
        sg.arrayNumber = -1;
        sg.source.fill(-1.0);
    }
    for (Detector& d : e.detectors.slots) {
        d.name.clear();
        d.arrayNumber = -1;
        d.source.fill(-1.0);
    }
}

bool isHeader(std::string_view line, const SectionKind& section) {
    for (std::string_view header : section.headers) {
        if (!header.empty() && scan::contains(line, header))
            return true;
    }
    return false;
}

}  // namespace

void readDefinitionSections(std::string_view bytes, ElementTables& elements) {
    resetSignalGroupsAndDetectors(elements);
    scan::Lines lines(bytes);
    for (const SectionKind& section : kSections) {
        lines.rewind();
        while (std::optional<std::string_view> line = lines.next()) {
            if (!isHeader(*line, section))
                continue;
            // A header that occurs twice is read twice, from index 0 again.
            withTable(elements, section.kind,
                      [&](auto& table) { readSection(lines, table, elements); });
        }
    }
}

}  // namespace veltro
