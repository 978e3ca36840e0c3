#include "pendrel/project/source_reader.h"

#include <array>
#include <optional>
#include <vector>

#include "common/file_lookup.h"
#include "common/format.h"
#include "pendrel/project/file_bytes.h"
#include "pendrel/project/header_reader.h"
#include "pendrel/project/preprocess.h"
#include "pendrel/project/table_reader.h"
#include "pendrel/project/temporary_file.h"

namespace pendrel {
namespace {

struct Source {
    std::string_view name;
    std::string_view temporaryPrefix;
    std::filesystem::path path;
    std::string text;
};

std::string str(std::string_view text) {
    return std::string(text);
}

// Step 2: one line per missing source, all in one box.
bool checkSources(const std::filesystem::path& dir, std::array<Source, 3>& sources,
                  Prompts& prompts) {
    // The directory as the current directory would read: absolute.
    std::error_code error;
    std::string shown = std::filesystem::absolute(dir, error).lexically_normal().string();
    if (shown.size() > 1 && shown.back() == '/') {
        shown.pop_back();
    }
    std::string missing;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        std::optional<std::filesystem::path> found =
            common::findFileIgnoreCase(dir, sources[i].name);
        if (found) {
            sources[i].path = *found;
            continue;
        }
        missing += common::format("De file %s is niet in de directory %s aanwezig.",
                                  str(sources[i].name).c_str(), shown.c_str());
        if (i < 2) {
            missing += '\n';
        }
    }
    if (!missing.empty()) {
        prompts.warning(missing);
        return false;
    }
    return true;
}

// Step 5: each source goes through a temporary file of the system's
// temporary directory, so that the preprocessed text is what is read back
// and a project directory that cannot be written can still be read.
bool preprocessThroughTemporaryFiles(std::array<Source, 3>& sources, bool pcOmgeving,
                                     Prompts& prompts) {
    std::error_code error;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(error);
    std::vector<TemporaryFile> temporaries;
    for (Source& source : sources) {
        std::optional<TemporaryFile> temporary =
            error ? std::nullopt
                  : TemporaryFile::create(dir, source.temporaryPrefix,
                                          preprocessSource(source.text, pcOmgeving));
        if (!temporary) {
            const std::string name = str(source.temporaryPrefix) + "XXXXXX";
            prompts.warning(
                error ? common::format("%s kan niet gemaakt worden: er is geen directory voor "
                                       "tijdelijke files.",
                                       name.c_str())
                      : common::format("%s kan niet gemaakt worden.",
                                       (dir / name).string().c_str()));
            return false;
        }
        std::optional<std::string> text = readFileContents(temporary->path());
        if (!text) {
            prompts.warning(common::format("File %s kan niet worden geopend",
                                           temporary->path().string().c_str()));
            return false;
        }
        source.text = std::move(*text);
        temporaries.push_back(std::move(*temporary));
    }
    return true;  // the temporary files go with `temporaries`
}

}  // namespace

bool readSources(const std::filesystem::path& projectDir, Prompts& prompts, Progress& progress,
                 ProjectData& data) {
    data = ProjectData{};
    std::array<Source, 3> sources = {{
        {kParameterTableName, "g6", {}, {}},
        {kDefinitionHeaderName, "g5", {}, {}},
        {kCodeSourceName, "g4", {}, {}},
    }};
    if (!checkSources(projectDir, sources, prompts)) {
        return false;
    }
    for (Source& source : sources) {
        std::optional<std::string> text = readFileContents(source.path);
        if (!text) {
            prompts.warning(common::format("File %s kan niet worden geopend",
                                           source.path.filename().string().c_str()));
            return false;
        }
        source.text = std::move(*text);
    }
    progress.open("Status inlezen sourcefiles");
    progress.add("lezen ...");

    bool pcOmgeving = false;
    for (const Source& source : sources) {
        if (mentionsPcOmgeving(source.text)) {
            pcOmgeving = prompts.askPcOmgeving(
                "#IF(N)DEF PC_OMGEVING",
                "#if(n)def pc_omgeving gevonden. Als gedefinieerd beschouwen?");
            break;
        }
    }
    if (!preprocessThroughTemporaryFiles(sources, pcOmgeving, prompts)) {
        progress.close();
        return false;
    }

    const Source& table = sources[0];
    const Source& header = sources[1];
    std::string headerName = header.path.filename().string();
    data.noBlocks = headerHasNoBlocks(header.text);

    progress.add("lezen hulpfuncties en tellers");
    readHeaderLists(header.text, data);

    progress.add("lezen signaalgroepnamen");
    std::string failure = readSignalGroupNames(header.text, headerName, data);
    if (!failure.empty()) {
        prompts.warning(failure);
    }

    readTables(table.text, table.path.filename().string(), prompts, progress, data);
    progress.close();
    return true;
}

}  // namespace pendrel
