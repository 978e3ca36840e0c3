#include "tonvia/text_search.h"

#include "tonvia/line_reader.h"

namespace tonvia {

bool containsStructOf(std::string_view text, std::string_view tag) {
    constexpr std::string_view kStruct = "STRUCT ";
    for (auto at = text.find(kStruct); at != std::string_view::npos;
         at = text.find(kStruct, at + 1)) {
        std::size_t position = at + kStruct.size();
        while (position < text.size() && isBlank(text[position])) {
            ++position;
        }
        if (text.substr(position).starts_with(tag)) {
            return true;
        }
    }
    return false;
}

bool containsStopMark(std::string_view text) {
    for (auto at = text.find("STOP"); at != std::string_view::npos;
         at = text.find("STOP", at + 1)) {
        if (at == 0 || text[at - 1] == ',' || isBlank(text[at - 1])) {
            return true;
        }
    }
    return false;
}

}  // namespace tonvia
