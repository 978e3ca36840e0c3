// The whole debugger against ctrlsim: the start words AFNAME, PARAMETERS and
// VERSCHILLEN open their tool dialogs from the main window, and a difference
// check run there reads the controller through the real link.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "ctrlsim/ctrlsim_process.h"
#include "support/sample.h"
#include "support/temp_dir.h"
#include "support/veltro/prompts.h"
#include "veltro/gui/debugger_app.h"
#include "veltro/gui/tools/tool_dialog.h"

namespace veltro::gui {
namespace {

using test_support::kSample;
constexpr int kWait = 20000;  // ms; sanitizer builds are slow

ToolDialog* openToolDialog() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = dynamic_cast<ToolDialog*>(w); d && d->isVisible())
            return d;
    }
    return nullptr;
}

// Runs the debugger with `words` in a copy of the sample; `drive` gets the
// tool dialog once it is open, from inside its modal loop.
void withToolDialog(const std::string& words, const std::function<void(ToolDialog&)>& drive,
                    test_support::ScriptedPrompts& prompts) {
    test_support::CtrlsimProcess sim(
        {"--dir", kSample, "--port", "0", "--set", "inst_VG_TIJD:SG05=45"});
    const std::string port = sim.readLine().substr(5);
    const test_support::TempDir dir;
    const std::filesystem::path start = dir.path() / "kruispunt";
    std::filesystem::copy(kSample, start, std::filesystem::copy_options::recursive);
    bool done = false;
    std::function<void()> poll = [&] {
        ToolDialog* d = openToolDialog();
        if (d == nullptr) {
            QTimer::singleShot(20, poll);
            return;
        }
        drive(*d);
        d->reject();
        done = true;
    };
    DebuggerEnvironment environment;
    environment.commandLine = "-IP 127.0.0.1 -IPP " + port + " " + words;
    environment.startDirectory = start.string();
    environment.configDirectory = dir.path() / "config";
    environment.prompts = &prompts;
    environment.loop = [&](DebuggerApp&) {
        QTimer::singleShot(20, poll);
        static_cast<void>(QTest::qWaitFor([&] { return done; }, kWait));
    };
    DebuggerApp app(std::move(environment));
    app.run();
    EXPECT_TRUE(done) << words;
}

TEST(ToolStart, StartWordsOpenTheirDialogs) {
    test_support::ScriptedPrompts prompts;
    for (const auto& [word, title] :
         {std::pair{"AFNAME", "Automatische Afname"},
          std::pair{"PARAMETERS", "Automatische aanpassing parameters"},
          std::pair{"-V", "Verschillen met ZXAPTAB.C zien"}}) {
        QString seen;
        withToolDialog(
            word, [&](ToolDialog& d) { seen = d.windowTitle(); }, prompts);
        EXPECT_EQ(seen, QString(title));
    }
}

TEST(ToolStart, DifferenceCheckFromTheMainWindowReadsTheController) {
    test_support::ScriptedPrompts prompts;
    withToolDialog(
        "VERSCHILLEN",
        [&](ToolDialog& d) {
            for (tools::Category c : tools::kAllCategories) {
                if (QCheckBox* box = d.categoryBox(c))
                    box->setChecked(c == tools::Category::VgTijden);
            }
            d.saveBox()->setChecked(false);
            d.speedButton(0)->click();
            d.startRun();
            EXPECT_TRUE(QTest::qWaitFor([&] { return !d.running(); }, kWait));
        },
        prompts);
    EXPECT_EQ(prompts.shown(),
              std::vector<std::string>{"Verschillen met ZXAPTAB.C zien|Verschil bij VG-tijden van "
                                       "SG05\nWaarde in broncode is  6.00, in regeling 4"});
}

}  // namespace
}  // namespace veltro::gui
