// Every file that the generator writes for the sample intersection loads in
// the debugger's loader without a warning, and pendrel.txt describes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "pendrel/generator/generator.h"
#include "support/pendrel/recording_progress.h"
#include "support/pendrel/recording_prompts.h"
#include "support/temp_dir.h"
#include "support/veltro/messages.h"
#include "veltro/definitions/definitions_loader.h"
#include "veltro/screens/screen_loader.h"
#include "veltro/screens/window_list_text.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

// Every message of the debugger's readers that is more than information.
std::vector<test_support::MessageLine> problems(const test_support::RecordingMessages& messages) {
    std::vector<test_support::MessageLine> found;
    for (const test_support::MessageLine& line : messages.lines()) {
        if (line.kind != veltro::message_kind::kInformation) {
            found.push_back(line);
        }
    }
    return found;
}

TEST(CrossCheck, EveryGeneratedFileLoadsInTheDebuggerWithoutWarning) {
    fs::path sample = fs::path(EXAMPLES_DIR) / "kruispunt";
    test_support::TempDir projectDir;
    // The database last, so that the header is not newer than it.
    for (const char* name : {"ZXAPDEF.H", "ZXAPTAB.C", "zxapcod.c", "pendrel.db"}) {
        fs::copy_file(sample / name, projectDir / name);
    }
    test_support::TempDir target;
    test_support::RecordingPendrelPrompts prompts;
    test_support::RecordingPendrelProgress progress;
    Project project(projectDir.path());
    GenerationSettings settings;
    settings.targetDirectory = target.path();
    settings.selected = testSelection();
    ASSERT_EQ(runGeneration(project, settings, prompts, progress), GenerationResult::Completed);
    EXPECT_TRUE(prompts.warnings.empty()) << prompts.warnings.front();
    ASSERT_FALSE(project.screens().empty()) << "the sample holds user screens";

    veltro::DefinitionTable table;
    veltro::ElementTables elements;
    test_support::RecordingMessages definitionMessages;
    ASSERT_FALSE(veltro::loadMacroDefinitions(table, definitionMessages).fatal());
    ASSERT_FALSE(
        veltro::loadApplicationDefinitions(sample.string(), table, elements, definitionMessages)
            .fatal());
    EXPECT_EQ(problems(definitionMessages), std::vector<test_support::MessageLine>{});

    std::string list = test_support::readFile(target / "pendrel.txt");
    int files = 0;
    for (const std::string& name : test_support::fileNames(target.path())) {
        if (name == "pendrel.txt") {
            continue;
        }
        ++files;
        test_support::RecordingMessages messages;
        std::string path = (target / name).string();
        std::optional<veltro::DebugScreen> screen =
            veltro::loadDebugWindowFile(path, table, messages);
        ASSERT_TRUE(screen.has_value()) << name;
        EXPECT_EQ(problems(messages), std::vector<test_support::MessageLine>{}) << name;
        EXPECT_FALSE(screen->items().empty()) << name;
        std::string text = veltro::windowListText(list, path);
        EXPECT_TRUE(text.starts_with(name + "  debugfile")) << text;
    }
    int listed = static_cast<int>(std::count_if(
        progress.lines.begin(), progress.lines.end(),
        [](const std::string& line) { return line.find("  debugfile") != std::string::npos; }));
    EXPECT_EQ(files, listed);
    // Only the pc_omgeving question of the sample's header was asked.
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_EQ(prompts.pcOmgevingQuestions.size(), 1u);
}

}  // namespace
}  // namespace pendrel
