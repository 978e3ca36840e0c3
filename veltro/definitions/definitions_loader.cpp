#include "veltro/definitions/definitions_loader.h"

#include <filesystem>
#include <optional>

#include "common/file_lookup.h"
#include "common/format.h"
#include "common/text_file.h"
#include "veltro/definitions/definition_header.h"
#include "veltro/definitions/macro_definitions.h"
#include "veltro/definitions/parameter_table.h"
#include "veltro/definitions/path_join.h"

namespace veltro {

namespace {

constexpr const char* kBoxCaption = "Debugger Foutmelding";
constexpr std::string_view kMacroBoxText = "Het macrodefinitie bestand is niet correct. \n";
constexpr std::string_view kMacroInfo = " : Inlezen van het macro definitie bestand.";
constexpr std::string_view kHeaderInfo = " : Inlezen van het Tiral definitie bestand.";
constexpr std::string_view kPathTooLong = ": Pad naar Tiral definitie bestand is te lang: ";
constexpr std::string_view kNotOpened = "Dit bestand kon niet worden geopend.";

DefinitionsOutcome fatal(std::string text, std::string path = {}) {
    DefinitionsOutcome outcome;
    outcome.status = DefinitionsOutcome::Status::Fatal;
    outcome.boxCaption = kBoxCaption;
    outcome.boxText = std::move(text);
    outcome.path = std::move(path);
    return outcome;
}

DefinitionsOutcome headerNotRead(const std::string& path) {
    return fatal(common::format("Het applicatie definitie bestand '%s' \nkon niet worden geopend.",
                                path.c_str()),
                 path);
}

std::optional<std::string> readHeaderBytes(std::string_view directory) {
    std::filesystem::path dir =
        directory.empty() ? std::filesystem::path(".") : std::filesystem::path(directory);
    std::optional<std::filesystem::path> file =
        common::findFileIgnoreCase(dir, kDefinitionHeaderName);
    if (!file)
        return std::nullopt;
    return common::readFileBytes(*file);
}

}  // namespace

DefinitionsOutcome loadMacroDefinitions(DefinitionTable& table, Messages& messages) {
    bool read = readMacroDefinitions(builtinMacroText(), table, messages);
    messages.message(message_kind::kInformation, kMacroFileName, kMacroInfo);
    if (!read)
        return fatal(std::string(kMacroBoxText));
    return {};
}

DefinitionsOutcome loadApplicationDefinitions(std::string_view directory, DefinitionTable& table,
                                              ElementTables& elements, Messages& messages) {
    std::optional<std::string> path = joinPath(directory, kDefinitionHeaderName);
    if (!path) {
        messages.message(message_kind::kError, kDefinitionHeaderName, kPathTooLong, directory);
        DefinitionsOutcome outcome;
        outcome.status = DefinitionsOutcome::Status::PathTooLong;
        return outcome;
    }
    messages.message(message_kind::kInformation, *path, kHeaderInfo);
    std::optional<std::string> bytes = readHeaderBytes(directory);
    if (!bytes) {
        // The message names the file like any message of its line reader.
        messages.setContextPrefix(*path);
        messages.message(message_kind::kError, kNotOpened);
        messages.setContextPrefix({});
        return headerNotRead(*path);
    }
    if (!readDefinitionPass1(*bytes, *path, table, messages))
        return headerNotRead(*path);
    readDefinitionSections(*bytes, elements);
    readParameterTableFile(*path, table, elements);
    DefinitionsOutcome outcome;
    outcome.path = *path;
    return outcome;
}

DefinitionsOutcome loadProjectDefinitions(std::string_view directory, DefinitionTable& table,
                                          ElementTables& elements, Messages& messages) {
    const DefinitionsOutcome macros = loadMacroDefinitions(table, messages);
    if (macros.fatal())
        return macros;
    return loadApplicationDefinitions(directory, table, elements, messages);
}

}  // namespace veltro
