#include "veltro/screens/window_list_text.h"

#include <algorithm>
#include <optional>

#include "common/file_lookup.h"
#include "common/text_file.h"
#include "veltro/definitions/path_join.h"

namespace veltro {
namespace {

constexpr std::size_t kMaxLine = 255;
constexpr std::string_view kListFileName = "pendrel.txt";

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool containsIgnoreCase(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

}  // namespace

std::string windowListText(std::string_view pendrelText, const std::string& title) {
    const std::string_view name = fileNameOf(title);
    std::size_t pos = 0;
    while (!name.empty() && pos < pendrelText.size()) {
        std::size_t end = pendrelText.find('\n', pos);
        end = end == std::string_view::npos ? pendrelText.size() : end + 1;
        // A longer line is read in pieces, each a line of its own.
        end = std::min(end, pos + kMaxLine);
        std::string_view line = pendrelText.substr(pos, end - pos);
        pos = end;
        if (!line.empty() && line.back() == '\n') {
            line.remove_suffix(1);
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (containsIgnoreCase(line, name)) {
            return std::string(line);
        }
    }
    return title;
}

std::vector<std::string> windowListTexts(const std::string& debugDirectory,
                                         const std::vector<std::string>& titles) {
    std::optional<std::string> text;
    if (auto path = common::findFileIgnoreCase(debugDirectory.empty() ? "." : debugDirectory,
                                               kListFileName)) {
        text = common::readFileBytes(*path);
    }
    std::vector<std::string> result;
    result.reserve(titles.size());
    for (const std::string& title : titles) {
        result.push_back(text ? windowListText(*text, title) : title);
    }
    return result;
}

}  // namespace veltro
