#include "common/file_lookup.h"

#include <algorithm>
#include <system_error>

#include "common/ignore_case.h"
#include "common/platform_files.h"
#include "common/wildcard.h"

namespace fs = std::filesystem;

namespace common {
namespace {

std::vector<std::string> entryNames(const fs::path& directory) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::optional<fs::path> findFileIgnoreCase(const fs::path& directory, std::string_view name) {
    if (name.empty())
        return std::nullopt;
    // The entry under its stored spelling, so that a file written back keeps
    // its name also where the file system ignores case itself.
    const fs::path exact = directory / fs::path(std::string(name));
    if (auto stored = storedFileName(exact))
        return exact.parent_path() / *stored;
    for (const std::string& entry : entryNames(directory)) {
        if (equalsIgnoreCase(entry, name))
            return directory / entry;
    }
    return std::nullopt;
}

std::optional<fs::path> resolvePathIgnoreCase(const fs::path& path) {
    if (path.empty())
        return std::nullopt;
    if (auto stored = storedFileName(path))
        return path.parent_path() / *stored;
    fs::path current = path.root_path();
    for (const fs::path& part : path.relative_path()) {
        const std::string name = part.string();
        if (name.empty() || name == "." || name == "..") {
            current /= part;
            continue;
        }
        auto found = findFileIgnoreCase(current, name);
        if (!found)
            return std::nullopt;
        current = *found;
    }
    return current;
}

std::vector<std::string> listMatchingFiles(const fs::path& directory, std::string_view pattern) {
    std::vector<std::string> matches;
    for (const std::string& name : entryNames(directory)) {
        std::error_code ec;
        if (!fs::is_regular_file(directory / name, ec))
            continue;
        if (wildcardMatch(pattern, name))
            matches.push_back(name);
    }
    return matches;
}

}  // namespace common
