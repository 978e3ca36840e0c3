#include "veltro/session/debugger_startup.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "support/veltro/message_lines.h"
#include "support/veltro/prompts.h"
#include "support/veltro/requests.h"

namespace veltro {
namespace {

// Records the order of the steps; fails the step named in `failing`.
class HostRecorder final : public StartupHost {
  public:
    bool registerWindowClasses() override { return step("classes"); }
    void installKeyboardHook() override { step("hook"); }
    bool createMainWindow(const SessionOptions& options) override {
        baudRate = options.baudRate;
        return step("main");
    }
    bool createMessageWindow() override { return step("messages"); }
    void showMainWindow() override { step("show"); }
    void destroyMainWindow() override { step("destroy"); }
    void showFirstDebugWindow() override { step("first"); }
    void postCommand(std::string_view item) override { step("post " + std::string(item)); }
    void runMessageLoop() override { step("loop"); }
    void shutDown() override { step("end"); }
    int creationFailureExitCode() const override { return failureExitCode; }

    std::string failing;
    int failureExitCode = 0;
    std::vector<std::string> steps;
    int baudRate = 0;

  private:
    bool step(const std::string& name) {
        steps.push_back(name);
        return name != failing;
    }
};

class Windows final : public ScreenCollector {
  public:
    int windowCount() const override { return count; }
    void addWindow(DebugScreen) override { ++count; }
    int count = 0;
};

TEST(DebuggerStartup, OrderOfStepsAndExitCodes) {
    struct Case {
        std::string failing;
        std::string directory;
        int exitCode;
        std::vector<std::string> steps;
        std::vector<std::string> boxes;
    };
    const std::string sample = EXAMPLES_DIR "/kruispunt";
    const test_support::TempDir temp;
    const std::string empty = temp.path().string() + "/no_such_directory";
    const std::vector<Case> cases = {
        {"",
         sample,
         1,
         {"classes", "hook", "main", "post Start DPCOM...", "messages", "show", "first", "loop",
          "end"},
         {}},
        {"classes", sample, 0, {"classes"}, {"De Tiral debugger kon niet worden opgestart."}},
        {"main", sample, 0, {"classes", "hook", "main", "end"}, {}},
        {"messages",
         sample,
         0,
         {"classes", "hook", "main", "post Start DPCOM...", "messages", "destroy", "end"},
         {}},
        {"",
         empty,
         0,
         {"classes", "hook", "main", "post Start DPCOM...", "messages", "show", "destroy", "end"},
         {"Het applicatie definitie bestand '" + empty +
          "/ZXAPDEF.H' \nkon niet worden "
          "geopend."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing + " " + c.directory);
        HostRecorder host;
        host.failing = c.failing;
        test_support::RecordingLog rec;
        DefinitionTable definitions;
        auto elements = std::make_unique<ElementTables>();
        Windows windows;
        EXPECT_EQ(runDebugger("dpcom 19200", c.directory, host, rec.prompts, rec.log, definitions,
                              *elements, windows),
                  c.exitCode);
        EXPECT_EQ(host.steps, c.steps);
        std::vector<std::string> boxes;
        for (const auto& box : rec.prompts.boxes) {
            boxes.push_back(box.text);
        }
        EXPECT_EQ(boxes, c.boxes);
        if (c.steps.size() > 2) {
            EXPECT_EQ(host.baudRate, 19200);
        }
    }
}

// A failed IP connection ends the program with exit code 1 instead of the 0
// of a failed start-up; the host says which it was.
TEST(DebuggerStartup, AFailedLinkEndsWithTheHostsExitCode) {
    HostRecorder host;
    host.failing = "main";
    host.failureExitCode = 1;
    test_support::RecordingLog rec;
    DefinitionTable definitions;
    auto elements = std::make_unique<ElementTables>();
    Windows windows;
    EXPECT_EQ(runDebugger("-IP 10.0.0.5", EXAMPLES_DIR "/kruispunt", host, rec.prompts, rec.log,
                          definitions, *elements, windows),
              1);
    EXPECT_EQ(host.steps, (std::vector<std::string>{"classes", "hook", "main", "end"}));
    EXPECT_EQ(windows.count, 0);
}

}  // namespace
}  // namespace veltro
