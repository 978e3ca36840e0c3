#include "veltro/monitor/frame_names.h"

#include "veltro/definitions/definition_table.h"
#include "veltro/definitions/macro_definitions.h"
#include "veltro/definitions/macro_text.h"
#include "veltro/definitions/silent_messages.h"

namespace veltro::monitor {
namespace {

// The user-defined codes whose number is an element's array number.
ElementKind userDefinedRole(std::int32_t code) {
    switch (code) {
        case 417:  // KL
        case 450:  // inst_1e_KL
        case 451:  // inst_2e_KL
            return ElementKind::Clock;
        case 420:  // SCH
            return ElementKind::Switch;
        case 421:  // TIJD
            return ElementKind::Time;
        case 423:  // DFOUT
        case 424:  // DFOUT_BG
        case 425:  // DFOUT_OG
        case 426:  // D
        case 427:  // DFOUT_FG
        case 431:  // B_TIJD
        case 432:  // H_TIJD
        case 462:  // DVWD
        case 463:  // inst_B_TIJD
        case 464:  // inst_H_TIJD
        case 465:  // inst_H_TIJD1
        case 466:  // inst_H_TIJD2
            return ElementKind::Detector;
        default:
            return ElementKind::None;
    }
}

template <class Table>
void collect(const Table& table, std::unordered_map<std::int32_t, std::string>& names) {
    names.clear();
    for (const auto& element : table) {
        if (element.arrayNumber >= 0 && !element.name.empty())
            names.emplace(element.arrayNumber, element.name);
    }
}

}  // namespace

ElementRoles elementRoles(std::int32_t functionCode) {
    const std::int32_t base = functionCode & ~31;
    switch (base) {
        case 32:
            if (functionCode == 32)
                return {ElementKind::Parameter, ElementKind::None};
            if (functionCode == 33)
                return {ElementKind::IntParameter, ElementKind::None};
            if (functionCode == 34)
                return {ElementKind::Time, ElementKind::None};
            return {};
        case 64:
        case 96:
        case 192:
        case 224:
        case 256:
        case 288:
        case 320:
            return {ElementKind::SignalGroup, ElementKind::None};
        case 352:
        case 384:
            return {ElementKind::SignalGroup, ElementKind::SignalGroup};
        case 416:
        case 448:
            return {userDefinedRole(functionCode), ElementKind::None};
        default:
            return {};
    }
}

FrameNames::FrameNames() {
    DefinitionTable table;
    SilentMessages silent;
    readMacroDefinitions(builtinMacroText(), table, silent);
    // The first name of a code wins, as the table's look-up does for names.
    for (const DefinitionTable::Entry& entry : table.entries()) {
        if (entry.value < 0 || entry.value >= 512)
            continue;
        m_codes.emplace(entry.name, entry.value);
        if (m_macros[static_cast<std::size_t>(entry.value)].empty())
            m_macros[static_cast<std::size_t>(entry.value)] = entry.name;
    }
}

void FrameNames::setElements(const ElementTables& tables) {
    collect(tables.signalGroups, m_signalGroups);
    collect(tables.detectors, m_detectors);
    collect(tables.times, m_times);
    collect(tables.clocks, m_clocks);
    collect(tables.switches, m_switches);
    collect(tables.intParameters, m_intParameters);
    collect(tables.parameters, m_parameters);
}

const std::string& FrameNames::macroName(std::int32_t functionCode) const {
    static const std::string none;
    if (functionCode < 0 || functionCode >= 512)
        return none;
    return m_macros[static_cast<std::size_t>(functionCode)];
}

std::int32_t FrameNames::macroCode(const std::string& name) const {
    const auto it = m_codes.find(name);
    return it == m_codes.end() ? -1 : it->second;
}

const FrameNames::Names* FrameNames::names(ElementKind kind) const {
    switch (kind) {
        case ElementKind::SignalGroup:
            return &m_signalGroups;
        case ElementKind::Detector:
            return &m_detectors;
        case ElementKind::Time:
            return &m_times;
        case ElementKind::Clock:
            return &m_clocks;
        case ElementKind::Switch:
            return &m_switches;
        case ElementKind::IntParameter:
            return &m_intParameters;
        case ElementKind::Parameter:
            return &m_parameters;
        case ElementKind::None:
            break;
    }
    return nullptr;
}

std::string FrameNames::elementName(ElementKind kind, std::int32_t number) const {
    const Names* table = names(kind);
    if (table == nullptr)
        return {};
    const auto it = table->find(number);
    return it == table->end() ? std::string() : it->second;
}

std::string FrameNames::indexText(std::int32_t functionCode, bool second,
                                  std::int32_t number) const {
    const ElementRoles roles = elementRoles(functionCode);
    const std::string name = elementName(second ? roles.second : roles.first, number);
    std::string text = std::to_string(number);
    if (!name.empty())
        text += " " + name;
    return text;
}

}  // namespace veltro::monitor
