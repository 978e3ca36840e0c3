#include "pendrel/editor/screen_editor.h"

#include <algorithm>
#include <climits>

#include "common/format.h"

namespace pendrel {
namespace {

constexpr int kTitleColumn = 3;
constexpr int kTitleRow = 1;

std::string itemText(const ItemRecord& item) {
    std::string text = item.label;
    // Wide arithmetic and a canvas-wide cap: a damaged database may hold any int.
    long long distance = static_cast<long long>(item.markerColumn) - item.labelColumn;
    std::size_t pad = static_cast<std::size_t>(std::clamp(distance, 0LL, 80LL));
    if (text.size() < pad) {
        text.resize(pad, ' ');
    }
    return text + item.marker + common::format("%02d", item.rank);
}

// Wide enough for the positions of a damaged database.
struct Extent {
    int row;
    long long first;
    long long last;
    const std::string* name;
};

// `position` moved by to - from, without overflow for damaged records.
int shifted(int position, int to, int from) {
    long long moved = static_cast<long long>(position) + to - from;
    return static_cast<int>(std::clamp<long long>(moved, INT_MIN, INT_MAX));
}

bool overlaps(const Extent& a, const Extent& b) {
    return a.row == b.row && a.first <= b.last && b.first <= a.last;
}

}  // namespace

ScreenEditor::ScreenEditor(ScreenRecord& screen) : m_screen(screen) {
    int length = static_cast<int>(screen.title.size());
    if (screen.texts.empty()) {
        screen.texts.push_back(TextRecord{screen.title, kTitleColumn, kTitleRow, length});
    } else {
        screen.texts[0].text = screen.title;
        screen.texts[0].width = length;
    }
    rebuild();
}

void ScreenEditor::rebuild() {
    m_controls.clear();
    m_selected.reset();
    for (std::size_t i = 0; i < m_screen.items.size(); ++i) {
        const ItemRecord& item = m_screen.items[i];
        m_controls.push_back({false, i, itemText(item), item.labelColumn, item.labelRow, false});
    }
    for (std::size_t i = 0; i < m_screen.texts.size(); ++i) {
        const TextRecord& text = m_screen.texts[i];
        std::string shown = text.text;
        shown.resize(static_cast<std::size_t>(std::clamp(text.width, 0, kColumns)), ' ');
        m_controls.push_back({true, i, shown, text.column, text.row, false});
    }
}

void ScreenEditor::select(std::size_t index) {
    if (index < m_controls.size()) {
        m_selected = index;
    }
}

std::optional<std::size_t> ScreenEditor::controlAt(int column, int row) const {
    for (std::size_t i = m_controls.size(); i-- > 0;) {
        const Control& control = m_controls[i];
        if (!control.deleted && control.row == row && column >= control.column &&
            column < control.column + control.width()) {
            return i;
        }
    }
    return std::nullopt;
}

void ScreenEditor::move(std::size_t index, int column, int row) {
    if (index >= m_controls.size()) {
        return;
    }
    Control& control = m_controls[index];
    int lastColumn = std::max(1, kColumns - control.width() + 1);
    control.column = std::clamp(column, 1, lastColumn);
    control.row = std::clamp(row, 1, kRows);
}

void ScreenEditor::deleteSelected(Prompts& prompts) {
    if (m_controls.empty()) {
        return;
    }
    std::size_t index = m_selected.value_or(0);
    Control& control = m_controls[index];
    if (control.isText && control.record == 0) {
        prompts.warning("De titel van het scherm mag niet worden verwijderd.");
        return;
    }
    if (control.deleted) {
        return;
    }
    control.deleted = true;
    m_selected.reset();
}

void ScreenEditor::takeOver() {
    std::vector<std::size_t> deletedItems;
    std::vector<std::size_t> deletedTexts;
    for (const Control& control : m_controls) {
        if (control.deleted) {
            (control.isText ? deletedTexts : deletedItems).push_back(control.record);
            continue;
        }
        if (control.isText) {
            TextRecord& text = m_screen.texts[control.record];
            text.column = control.column;
            text.row = control.row;
            continue;
        }
        ItemRecord& item = m_screen.items[control.record];
        item.markerColumn = shifted(item.markerColumn, control.column, item.labelColumn);
        item.markerRow = shifted(item.markerRow, control.row, item.labelRow);
        item.labelColumn = control.column;
        item.labelRow = control.row;
    }
    // Last first, so that the indexes still to come stay valid.
    std::sort(deletedItems.rbegin(), deletedItems.rend());
    for (std::size_t index : deletedItems) {
        m_screen.items.erase(m_screen.items.begin() + static_cast<std::ptrdiff_t>(index));
    }
    std::sort(deletedTexts.rbegin(), deletedTexts.rend());
    for (std::size_t index : deletedTexts) {
        m_screen.texts.erase(m_screen.texts.begin() + static_cast<std::ptrdiff_t>(index));
    }
    rebuild();
}

std::string ScreenEditor::findOverlap(const ScreenRecord& screen) {
    std::vector<Extent> items;
    for (const ItemRecord& item : screen.items) {
        long long last = static_cast<long long>(item.markerColumn) +
                         static_cast<long long>(item.marker.size()) + 1;
        items.push_back({item.labelRow, item.labelColumn, last, &item.label});
    }
    std::vector<Extent> texts;
    for (const TextRecord& text : screen.texts) {
        texts.push_back({text.row, text.column,
                         static_cast<long long>(text.column) + text.width - 1, &text.text});
    }
    auto message = [](const Extent& a, const Extent& b) {
        return "Overlap van de volgende items geconstateerd:\n" + *a.name + "\nen\n" + *b.name;
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (std::size_t j = 0; j < items.size(); ++j) {
            if (i != j && overlaps(items[i], items[j])) {
                return message(items[i], items[j]);
            }
        }
        for (const Extent& text : texts) {
            if (overlaps(items[i], text)) {
                return message(items[i], text);
            }
        }
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = 0; j < texts.size(); ++j) {
            if (i != j && overlaps(texts[i], texts[j])) {
                return message(texts[i], texts[j]);
            }
        }
    }
    return {};
}

bool ScreenEditor::ok(Prompts& prompts) {
    takeOver();
    std::string overlap = findOverlap(m_screen);
    if (!overlap.empty()) {
        prompts.warning(overlap);
        return false;
    }
    return true;
}

}  // namespace pendrel
