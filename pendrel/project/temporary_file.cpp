#include "pendrel/project/temporary_file.h"

#include <cstdio>
#include <random>
#include <string>

#include "common/platform_files.h"

namespace pendrel {

std::optional<TemporaryFile> TemporaryFile::create(const std::filesystem::path& directory,
                                                   std::string_view prefix,
                                                   std::string_view contents) {
    static constexpr std::string_view kChars =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, kChars.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(prefix);
        for (int i = 0; i < 6; ++i) {
            name += kChars[pick(random)];
        }
        std::filesystem::path path = directory / name;
        // Never take over a file that exists already.
        std::FILE* file = common::createNewFile(path);
        if (file == nullptr) {
            if (std::filesystem::exists(path)) {
                continue;
            }
            return std::nullopt;
        }
        TemporaryFile temporary(path);
        // A shared temporary directory: the sources are for the user's eyes only.
        std::error_code ignored;
        std::filesystem::permissions(
            path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
            ignored);
        bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
        bool closed = std::fclose(file) == 0;
        if (!written || !closed) {
            return std::nullopt;  // the destructor removes the partial file
        }
        return std::optional<TemporaryFile>(std::move(temporary));
    }
    return std::nullopt;
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept : m_path(std::move(other.m_path)) {
    other.m_path.clear();
}

TemporaryFile::~TemporaryFile() {
    if (!m_path.empty()) {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
}

}  // namespace pendrel
