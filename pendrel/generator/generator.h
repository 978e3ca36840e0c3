#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "pendrel/generator/file_naming.h"
#include "pendrel/ports/prompts.h"
#include "pendrel/project/project.h"

namespace pendrel {

inline constexpr std::size_t kCategoryCount = 28;

// The settings of the generation dialog.
struct GenerationSettings {
    std::filesystem::path targetDirectory;
    NamingScheme scheme = NamingScheme::Plo;
    std::string extension = "plo";
    std::string name = "debug";
    int startNumber = 1;
    bool writeListFile = true;
    std::string listFileName = "pendrel.txt";
    std::array<bool, kCategoryCount> selected{};  // in category order
};

// The pre-selections of the test ("Alles") and acceptance ("Afname") commands.
std::array<bool, kCategoryCount> testSelection();
std::array<bool, kCategoryCount> acceptanceSelection();

enum class GenerationResult {
    Completed,   // every file of the run written, then the list file
    Stopped,     // stopped before writing (a question cancelled, no free name)
    Failed,      // a file could not be written; the list file is as it was
    NotStarted,  // sources missing, target directory missing, or "No"
};

// The generation run: standard screens of the selected categories whose
// needs are met, then one file per user screen, and the list file. Every
// name is settled (with its questions) before the first file is written, so
// a run stopped at a question writes nothing; the list file is replaced
// whole, and only by a run that wrote every file. The closing box says which
// of these happened.
GenerationResult runGeneration(Project& project, const GenerationSettings& settings,
                               Prompts& prompts, Progress& progress);

}  // namespace pendrel
