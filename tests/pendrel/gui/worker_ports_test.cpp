#include "pendrel/gui/worker_ports.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <functional>
#include <tuple>

#include "pendrel/generator/generator.h"
#include "support/pendrel/recording_progress.h"
#include "support/pendrel/recording_prompts.h"
#include "support/temp_dir.h"

namespace pendrel::gui {
namespace {

namespace fs = std::filesystem;

bool onGuiThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// The window's prompts: records, and notes any call off the GUI thread.
class WindowPrompts : public test_support::RecordingPendrelPrompts {
  public:
    void warning(std::string_view text) override {
        check();
        RecordingPendrelPrompts::warning(text);
    }
    void information(std::string_view caption, std::string_view text) override {
        check();
        RecordingPendrelPrompts::information(caption, text);
    }
    bool askYesNo(std::string_view caption, std::string_view text) override {
        check();
        if (onYesNo) {
            onYesNo();
        }
        return RecordingPendrelPrompts::askYesNo(caption, text);
    }
    bool askPcOmgeving(std::string_view caption, std::string_view text) override {
        check();
        return RecordingPendrelPrompts::askPcOmgeving(caption, text);
    }
    std::optional<std::string> askText(std::string_view caption, std::string_view text,
                                       std::string_view prompt) override {
        check();
        return RecordingPendrelPrompts::askText(caption, text, prompt);
    }
    ExistingFile askExistingFile(std::string_view text) override {
        check();
        return RecordingPendrelPrompts::askExistingFile(text);
    }

    std::function<void()> onYesNo;
    bool offGuiThread = false;

  private:
    void check() { offGuiThread = offGuiThread || !onGuiThread(); }
};

class WindowProgress : public test_support::RecordingPendrelProgress {
  public:
    void add(std::string_view line) override {
        offGuiThread = offGuiThread || !onGuiThread();
        RecordingPendrelProgress::add(line);
    }
    bool offGuiThread = false;
};

class WorkerGeneration : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path sample = fs::path(EXAMPLES_DIR) / "kruispunt";
        for (const char* name : {"ZXAPDEF.H", "ZXAPTAB.C", "zxapcod.c", "pendrel.db"}) {
            fs::copy_file(sample / name, project / name);
        }
        settings.selected = testSelection();
    }

    // The generation into `target` on the worker, as the window runs it.
    GenerationResult generateOnWorker(const fs::path& target) {
        settings.targetDirectory = target;
        std::optional<GenerationResult> result;
        common::gui::WorkerRun run(receiver);
        WorkerPrompts prompts(run, windowPrompts);
        WorkerProgress progress(run, windowProgress);
        EXPECT_TRUE(run.start(
            [&] {
                Project data(project.path());
                return runGeneration(data, settings, prompts, progress);
            },
            [&](GenerationResult outcome) { result = outcome; }));
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 20000));
        return result.value_or(GenerationResult::NotStarted);
    }

    QObject receiver;
    test_support::TempDir project;
    test_support::TempDir target;
    GenerationSettings settings;
    WindowPrompts windowPrompts;
    WindowProgress windowProgress;
};

TEST_F(WorkerGeneration, AsksOnTheGuiThreadAndShowsTheSameLinesAsADirectRun) {
    windowPrompts.pcOmgevingAnswer = true;
    ASSERT_EQ(generateOnWorker(target.path()), GenerationResult::Completed);
    EXPECT_FALSE(windowPrompts.offGuiThread);
    EXPECT_FALSE(windowProgress.offGuiThread);
    EXPECT_EQ(windowPrompts.pcOmgevingQuestions.size(), 1u);
    EXPECT_EQ(windowPrompts.informations.size(), 1u);  // "... is gereed!"

    test_support::TempDir direct;
    settings.targetDirectory = direct.path();
    test_support::RecordingPendrelPrompts prompts;
    prompts.pcOmgevingAnswer = true;
    test_support::RecordingPendrelProgress progress;
    Project data(project.path());
    ASSERT_EQ(runGeneration(data, settings, prompts, progress), GenerationResult::Completed);
    EXPECT_EQ(windowProgress.titles, progress.titles);
    EXPECT_EQ(windowProgress.lines, progress.lines);
    EXPECT_EQ(windowProgress.closed, progress.closed);
    EXPECT_EQ(target.files(), direct.files());
    // The answer "Ja" reached the worker: the same files, byte for byte.
    for (const std::string& name : direct.files()) {
        EXPECT_EQ(target.read(name), direct.read(name)) << name;
    }

    // A second run meets its files: the window's answer goes back to the worker.
    windowPrompts.existingAnswers = {Prompts::ExistingFile::NextNumber};
    windowPrompts.otherExistingAnswer = Prompts::ExistingFile::Cancel;
    EXPECT_EQ(generateOnWorker(target.path()), GenerationResult::Stopped);
    // "Volgend nummer" moved on to the next name, which exists too.
    EXPECT_EQ(windowPrompts.existingQuestions,
              (std::vector<std::string>{
                  "debug_001.plo bestaat al. Overschrijven/Volgend nummer/Nieuwe naam?",
                  "debug_002.plo bestaat al. Overschrijven/Volgend nummer/Nieuwe naam?"}));
}

TEST(WorkerPrompts, AStoppedRunReadsAsCancelled) {
    QObject receiver;
    WindowPrompts window;
    window.yesNoAnswer = true;
    window.pcOmgevingAnswer = true;
    window.textAnswers = {std::string("tekst")};
    window.otherExistingAnswer = Prompts::ExistingFile::OverwriteAll;
    common::gui::WorkerRun run(receiver);
    // The window closes while its first box is open.
    window.onYesNo = [&] { run.abandonQuestionsAndWait(); };
    WorkerPrompts prompts(run, window);
    using Answers =
        std::tuple<bool, bool, bool, std::optional<std::string>, Prompts::ExistingFile>;
    std::optional<Answers> answers;
    ASSERT_TRUE(run.start(
        [&] {
            const bool first = prompts.askYesNo("PENDREL", "Eerste vraag?");
            prompts.warning("niet getoond");
            return Answers{first, prompts.askYesNo("PENDREL", "Tweede?"),
                           prompts.askPcOmgeving("#IF(N)DEF PC_OMGEVING", "?"),
                           prompts.askText("Naam", "Geef een naam", ""),
                           prompts.askExistingFile("bestaat al.")};
        },
        [&](Answers given) { answers = given; }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.has_value(); }, 10000));
    EXPECT_EQ(*answers,
              (Answers{false, false, false, std::nullopt, Prompts::ExistingFile::Cancel}));
    EXPECT_EQ(window.questions, std::vector<std::string>{"PENDREL: Eerste vraag?"});
    EXPECT_TRUE(window.warnings.empty());
}

}  // namespace
}  // namespace pendrel::gui

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
