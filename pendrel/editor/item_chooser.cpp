#include "pendrel/editor/item_chooser.h"

#include <algorithm>

#include "pendrel/project/screen_database.h"

namespace pendrel {
namespace {

constexpr int kFirstCursorColumn = 28;
constexpr int kLastRow = 22;
constexpr int kLastColumn = 80;

void keepInCanvas(ItemChooser::Cursor& cursor) {
    if (cursor.row > kLastRow) {
        cursor.row = 2;
        cursor.column += 40;
    }
    if (cursor.column > kLastColumn) {
        cursor.column = kFirstCursorColumn;
    }
}

// A stored position, held to one past the canvas edge: beyond that the
// cursor wraps the same way, and a damaged database cannot overflow it.
int onCanvas(int position, int last) {
    return std::min(position, last + 1);
}

void addUnique(std::vector<std::string>& list, const std::string& name) {
    if (std::find(list.begin(), list.end(), name) == list.end()) {
        list.push_back(name);
    }
}

BlockMark markOf(BlockRecordType type) {
    return type == BlockRecordType::Alt    ? BlockMark::Alt
           : type == BlockRecordType::Prim ? BlockMark::Prim
                                           : BlockMark::None;
}

}  // namespace

std::string entryName(std::string_view shown) {
    std::size_t start = shown.find_first_not_of(" >");
    return start == std::string_view::npos ? std::string() : std::string(shown.substr(start));
}

ItemChooser::ItemChooser(ScreenRecord& screen, const ProjectData& data)
    : m_screen(screen), m_data(data) {
    for (std::string_view group : groupList(data.noBlocks)) {
        m_groups.emplace_back(group);
    }
    for (const ItemRecord& item : screen.items) {
        if (item.rank >= 1 && item.rank <= kMaxRank) {
            m_rankInUse[static_cast<std::size_t>(item.rank)] = true;
        }
        m_cursor.column = std::max(m_cursor.column, onCanvas(item.markerColumn, kLastColumn));
        m_cursor.row = 1 + std::max(m_cursor.row - 1, onCanvas(item.markerRow, kLastRow));
        keepInCanvas(m_cursor);
    }
    for (const TextRecord& text : screen.texts) {
        m_cursor.column = std::max(m_cursor.column, onCanvas(text.column, kLastColumn));
        m_cursor.row = 1 + std::max(m_cursor.row - 1, onCanvas(text.row, kLastRow));
        keepInCanvas(m_cursor);
    }
}

std::optional<ElementKind> ItemChooser::chosenKind() const {
    if (!m_group || !m_macro) {
        return std::nullopt;
    }
    std::optional<CatalogueHit> hit = findEntry(m_groups[*m_group], m_macros[*m_macro]);
    return hit ? std::optional(hit->entry->kind) : std::nullopt;
}

std::string_view ItemChooser::thirdHeading() const {
    std::optional<ElementKind> kind = chosenKind();
    return kind ? kindColumns(*kind).thirdHeading : std::string_view("Signaalgroepen");
}

std::string_view ItemChooser::fourthHeading() const {
    std::optional<ElementKind> kind = chosenKind();
    return kind ? kindColumns(*kind).fourthHeading : std::string_view();
}

void ItemChooser::chooseGroup(std::optional<std::size_t> index) {
    m_group = index && *index < m_groups.size() ? index : std::nullopt;
    m_macros.clear();
    if (m_group) {
        for (std::string_view macro : macroList(m_groups[*m_group], m_data.noBlocks)) {
            m_macros.emplace_back(macro);
        }
    }
    chooseMacro(std::nullopt);
}

void ItemChooser::chooseMacro(std::optional<std::size_t> index) {
    m_macro = index && *index < m_macros.size() ? index : std::nullopt;
    m_element1.reset();
    m_element2.reset();
    refillThird();
    refillFourth();
}

void ItemChooser::chooseThird(std::optional<std::size_t> index) {
    m_element1 = index && *index < m_third.size() ? index : std::nullopt;
    m_element2.reset();
    refillFourth();
}

void ItemChooser::chooseFourth(std::optional<std::size_t> index) {
    m_element2 = index && *index < m_fourth.size() ? index : std::nullopt;
}

std::vector<std::string> ItemChooser::thirdNames() const {
    std::optional<ElementKind> kind = chosenKind();
    if (!kind) {
        return {};
    }
    std::vector<std::string> names;
    switch (*kind) {
        case ElementKind::None:
            break;
        case ElementKind::SignalGroup:
        case ElementKind::ConflictPair:
            names = m_data.signalGroups;
            break;
        case ElementKind::BlockedSignalGroup: {
            BlockMark mark = markOf(blockRecordType(m_macros[*m_macro]));
            for (const Block& block : m_data.blocks) {
                for (const BlockEntry& entry : block.entries) {
                    if (mark != BlockMark::None && entry.mark == mark) {
                        addUnique(names, entry.signalGroup);
                    }
                }
            }
            break;
        }
        case ElementKind::Block:
            for (const Block& block : m_data.blocks) {
                names.push_back(block.name);
            }
            break;
        case ElementKind::Time:
            names = m_data.times;
            break;
        case ElementKind::Clock:
            names = m_data.clocks;
            break;
        case ElementKind::Detector:
        case ElementKind::SpeedDetector:
            for (const Detector& detector : m_data.detectors) {
                names.push_back(detector.name);
            }
            break;
        case ElementKind::PairNumber:
            for (const PairEntry& pair : m_data.pairs) {
                addUnique(names, pair.signalGroup);
            }
            break;
        case ElementKind::Switch:
            names = m_data.switches;
            break;
        case ElementKind::ExtraParameter:
            names = m_data.extraParameters;
            break;
        case ElementKind::AuxiliaryFunction:
            names = m_data.auxiliaryFunctions;
            break;
        case ElementKind::Counter:
            names = m_data.counters;
            break;
        case ElementKind::Programme:
            names = m_data.programmes;
            break;
        case ElementKind::ExtraIntegerParameter:
            names = m_data.extraIntegerParameters;
            break;
        case ElementKind::OtherInput:
            names = m_data.otherInputs;
            break;
        case ElementKind::OtherOutput:
            names = m_data.otherOutputs;
            break;
    }
    return names;
}

std::vector<std::string> ItemChooser::fourthNames(const std::string& element1) const {
    std::optional<ElementKind> kind = chosenKind();
    std::vector<std::string> names;
    if (kind == ElementKind::BlockedSignalGroup) {
        BlockMark mark = markOf(blockRecordType(m_macros[*m_macro]));
        for (const Block& block : m_data.blocks) {
            for (const BlockEntry& entry : block.entries) {
                if (entry.signalGroup == element1 && entry.mark == mark) {
                    addUnique(names, block.name);
                }
            }
        }
    } else if (kind == ElementKind::ConflictPair) {
        for (const Conflict& conflict : m_data.conflicts) {
            if (conflict.signalGroup == element1) {
                addUnique(names, conflict.conflicting);
            }
        }
    } else if (kind == ElementKind::PairNumber) {
        for (const PairEntry& pair : m_data.pairs) {
            if (pair.signalGroup == element1) {
                addUnique(names, pair.pairNumber);
            }
        }
    }
    return names;
}

bool ItemChooser::onScreen(const std::string& element1, const std::string* element2) const {
    const std::string& macro = m_macros[*m_macro];
    return std::any_of(m_screen.items.begin(), m_screen.items.end(), [&](const ItemRecord& i) {
        return i.macro == macro && i.element1 == element1 &&
               (element2 == nullptr || i.element2 == *element2);
    });
}

void ItemChooser::refillThird() {
    m_third.clear();
    for (const std::string& name : thirdNames()) {
        m_third.push_back((onScreen(name, nullptr) ? ">" : " ") + name);
    }
}

void ItemChooser::refillFourth() {
    m_fourth.clear();
    if (!m_element1) {
        return;
    }
    std::string element1 = entryName(m_third[*m_element1]);
    for (const std::string& name : fourthNames(element1)) {
        m_fourth.push_back((onScreen(element1, &name) ? ">" : " ") + name);
    }
}

std::optional<int> ItemChooser::lowestFreeRank() const {
    for (int rank = 1; rank <= kMaxRank; ++rank) {
        if (!m_rankInUse[static_cast<std::size_t>(rank)]) {
            return rank;
        }
    }
    return std::nullopt;
}

void ItemChooser::advanceCursor() {
    ++m_cursor.row;
    keepInCanvas(m_cursor);
}

bool ItemChooser::add(Prompts& prompts) {
    std::optional<ElementKind> kind = chosenKind();
    if (!kind) {
        return false;  // without a macro nothing happens
    }
    int required = kindColumns(*kind).requiredColumns;
    if (required == 4 && (!m_element1 || !m_element2)) {
        prompts.warning(
            "Fout: niet voldoende gegevens beschikbaar.\n\nIn alle vier de kolommen dient een "
            "selectie\nte zijn gemaakt.");
        return false;
    }
    if (required == 3 && !m_element1) {
        prompts.warning(
            "Fout: niet voldoende gegevens beschikbaar.\n\nIn de eerste drie kolommen dient een "
            "selectie\nte zijn gemaakt.");
        return false;
    }
    std::optional<int> rank = lowestFreeRank();
    if (!rank) {
        prompts.warning("Fout: geen vrij rangnummer te bepalen.");
        return false;
    }
    const CatalogueEntry& entry = *findEntry(m_groups[*m_group], m_macros[*m_macro])->entry;
    ItemRecord item;
    item.rank = *rank;
    item.markerColumn = m_cursor.column;
    item.markerRow = m_cursor.row;
    item.marker = std::string(entry.marker);
    item.macro = std::string(entry.macro).substr(0, kMaxMacroLength);
    item.label = item.macro;
    if (m_element1) {
        item.element1 = entryName(m_third[*m_element1]).substr(0, kMaxElement1Length);
        item.label.append(1, '_').append(item.element1);
    } else if (item.macro == "WSRH") {
        item.element1.assign(1, '0');
    }
    if (m_element2) {
        item.element2 = entryName(m_fourth[*m_element2]).substr(0, kMaxElement2Length);
        item.label.append(1, '_').append(item.element2);
    }
    item.label = item.label.substr(0, kMaxLabelLength);
    item.labelColumn = item.markerColumn - kInitialLabelDistance;
    item.labelRow = item.markerRow;
    item.labelDistance = kInitialLabelDistance;
    bool present = std::any_of(m_screen.items.begin(), m_screen.items.end(),
                               [&](const ItemRecord& i) { return i.label == item.label; });
    if (present) {
        prompts.warning("Fout: geselecteerd item al aanwezig in scherm.");
        return false;  // the rank number stays free
    }
    m_rankInUse[static_cast<std::size_t>(*rank)] = true;
    advanceCursor();
    m_screen.items.push_back(std::move(item));
    std::optional<std::size_t> element1 = m_element1;
    std::optional<std::size_t> element2 = m_element2;
    refillThird();
    m_element1 = element1;
    refillFourth();
    m_element2 = element2;
    return true;
}

bool ItemChooser::addText(const std::string& text, Prompts& prompts) {
    if (text.empty()) {
        return false;
    }
    if (std::optional<std::string> problem = unstorableText(text, kMaxTextLength)) {
        prompts.warning(*problem);
        return false;
    }
    m_screen.texts.push_back(TextRecord{text, m_cursor.column - kInitialLabelDistance,
                                        m_cursor.row, static_cast<int>(text.size())});
    advanceCursor();
    return true;
}

}  // namespace pendrel
