#include "pendrel/generator/list_file.h"

#include <optional>

#include "common/file_lookup.h"
#include "common/format.h"
#include "common/text_file.h"
#include "pendrel/project/file_bytes.h"

namespace pendrel {
namespace {

constexpr std::size_t kMaxViewLine = 254;

}  // namespace

bool listFileExists(const std::filesystem::path& directory) {
    return common::findFileIgnoreCase(directory, kListFileName).has_value();
}

std::vector<std::string> listFileView(const std::filesystem::path& directory) {
    std::string name(kListFileName);
    std::optional<std::filesystem::path> path = common::findFileIgnoreCase(directory, name);
    if (!path) {
        return {common::format("File %s is niet aanwezig", name.c_str())};
    }
    std::optional<std::string> text = readFileContents(*path);
    if (!text) {
        return {common::format("File %s kan niet worden geopend", name.c_str())};
    }
    return listFileLines(*text);
}

std::vector<std::string> listFileLines(std::string_view text) {
    std::vector<std::string> view;
    for (const std::string& line : common::splitTextLines(std::string(text))) {
        if (line.empty()) {
            view.emplace_back();
        }
        for (std::size_t pos = 0; pos < line.size(); pos += kMaxViewLine) {
            view.push_back(line.substr(pos, kMaxViewLine));
        }
    }
    return view;
}

}  // namespace pendrel
