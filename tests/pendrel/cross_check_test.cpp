// Every file that the generator writes for the sample intersection loads in
// the debugger's loader without a warning, and pendrel.txt describes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "pendrel/generator/generator.h"
#include "support/pendrel/recording_progress.h"
#include "support/pendrel/recording_prompts.h"
#include "support/temp_dir.h"
#include "veltro/definitions/definitions_loader.h"
#include "veltro/screens/screen_loader.h"
#include "veltro/screens/window_list_text.h"

namespace pendrel {
namespace {

namespace fs = std::filesystem;

class CountingMessages : public veltro::Messages {
  public:
    void message(int kind, std::string_view a, std::string_view b, std::string_view c) override {
        if (kind != veltro::message_kind::kInformation) {
            problems.push_back(m_context + ":" + std::to_string(m_line) + ": " + std::string(a) +
                               std::string(b) + std::string(c));
        }
    }
    void setContextPrefix(std::string_view name) override { m_context = std::string(name); }
    void setLinePrefix(int number) override { m_line = number < 0 ? m_line - number : number; }
    std::vector<std::string> problems;

  private:
    std::string m_context;
    int m_line = 0;
};

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
    CountingMessages definitionMessages;
    ASSERT_FALSE(veltro::loadMacroDefinitions(table, definitionMessages).fatal());
    ASSERT_FALSE(
        veltro::loadApplicationDefinitions(sample.string(), table, elements, definitionMessages)
            .fatal());

    std::string list = test_support::readFile(target / "pendrel.txt");
    int files = 0;
    for (const std::string& name : test_support::fileNames(target.path())) {
        if (name == "pendrel.txt") {
            continue;
        }
        ++files;
        CountingMessages messages;
        std::string path = (target / name).string();
        std::optional<veltro::DebugScreen> screen =
            veltro::loadDebugWindowFile(path, table, messages);
        ASSERT_TRUE(screen.has_value()) << name;
        for (const std::string& problem : messages.problems) {
            ADD_FAILURE() << problem;
        }
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
