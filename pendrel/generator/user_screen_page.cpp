#include "pendrel/generator/user_screen_page.h"

#include "common/format.h"

namespace pendrel {
namespace {

// A marker that is not a run of tildes would not load as a value field.
std::string_view markerOf(const ItemRecord& item) {
    if (item.marker.empty() || item.marker.find_first_not_of('~') != std::string::npos) {
        return "~";
    }
    return item.marker;
}

// The page's 0-based cell of a 1-based position. A damaged database may hold
// any int; a position below 1 is off the page.
int cell(int position) {
    return position > 0 ? position - 1 : -1;
}

}  // namespace

Page writeUserScreen(const ScreenRecord& screen) {
    Page page(1);
    // Labels and texts first and the markers last: a long label or a text
    // laid over a marker would otherwise wipe out the value field, and the
    // debugger would drop the item. A label stops before its own marker.
    for (const ItemRecord& item : screen.items) {
        std::string_view label = item.label;
        if (item.labelRow == item.markerRow && item.labelColumn < item.markerColumn) {
            // Wide arithmetic: a damaged database may hold any int.
            long long room = static_cast<long long>(item.markerColumn) - item.labelColumn;
            label = label.substr(0, static_cast<std::size_t>(room));
        }
        page.put(cell(item.labelColumn), cell(item.labelRow), label);
    }
    for (const TextRecord& text : screen.texts) {
        page.put(cell(text.column), cell(text.row), text.text);
    }
    for (const ItemRecord& item : screen.items) {
        if (item.rank < 0 || item.rank > 99) {
            continue;  // a rank number must fit in its two digits
        }
        std::string marker =
            common::format("%s%02d", std::string(markerOf(item)).c_str(), item.rank);
        page.place(cell(item.markerColumn), cell(item.markerRow), marker);
        page.define(0, common::format("%02d  %s  %s  %s", item.rank, item.macro.c_str(),
                                      item.element1.c_str(), item.element2.c_str()));
    }
    return page;
}

}  // namespace pendrel
