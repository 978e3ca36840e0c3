// A dump fetched from ctrlsim through the real dump window, over TCP and over
// a pseudo-terminal named in veltro.ini, then converted by rendall.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "ctrlsim/ctrlsim_process.h"
#include "support/sample.h"
#include "support/temp_dir.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/open_link.h"
#include "support/veltro/prompts.h"
#include "support/veltro/settings.h"
#include "veltro/gui/dump_window.h"
#include "veltro/gui/qt_dispatcher.h"
#include "veltro/link/controller_link.h"
#include "veltro/link/machine_clock.h"
#include "veltro/session/profile_settings.h"

namespace veltro::gui {
namespace {

using test_support::kSample;
constexpr int kWait = 60000;  // ms: only a hang reaches it, not a slow or loaded build

int portOf(test_support::CtrlsimProcess& sim) {
    const std::string line = sim.readLine();
    EXPECT_EQ(line.rfind("port ", 0), 0u) << line;
    return line.size() > 5 ? std::atoi(line.c_str() + 5) : 0;
}

// The debugger's link with the dump window's ports, as the main window
// wires them; the test's thread is the user-interface thread.
class DumpEndToEnd : public ::testing::Test {
  protected:
    void click(DumpWindow& window, const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
    }

    // Verification, making and fetching the dump, closing: what a person
    // does in the window (first choosing a file, when a chooser is given).
    void fetchDump(SettingsStore& settings, DumpFileChooser chooser = {}) {
        const bool choose = static_cast<bool>(chooser);
        DumpWindow window({link.flags(), link.writer(), link.dumpReceiver(), ports, settings},
                          nullptr, std::move(chooser));
        window.show();
        if (choose)
            click(window, "dumpChooseFile");
        click(window, "dumpVerify");
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return window.echoText() == "CTRLSIM verbinding in orde "; }, kWait))
            << window.echoText().toStdString();
        EXPECT_FALSE(ports.replyTimerActive());  // the answer stopped it
        click(window, "dumpMake");
        click(window, "dumpFetch");
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.statusText() == "EINDE DUMP"; }, kWait))
            << window.statusText().toStdString();
        shownCount = window.countText().toLongLong();
        click(window, "dumpClose");
        EXPECT_FALSE(link.flags().dumpOpen);
    }

    // The file as rendall takes it: opened again from the start, line feeds
    // with their carriage returns, and converted without error.
    void expectConvertible(const std::string& name) {
        const std::string bytes = dir.read(name);
        EXPECT_EQ(bytes.rfind("CTRLSIM verbinding in orde  ALGEMEEN\r\n", 0), 0u);
        ASSERT_GE(bytes.size(), 15u);
        EXPECT_EQ(bytes.substr(bytes.size() - 15), "EINDE DUMP\r\n\xFF\r\n");
        const auto returns = std::count(bytes.begin(), bytes.end(), '\r');
        EXPECT_EQ(shownCount, static_cast<long long>(bytes.size()) - returns);
#ifdef RENDALL_BINARY
        std::filesystem::copy_file(kSample + "/ZXAPDEF.H", dir.path() / "ZXAPDEF.H",
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(dir.path() / "DUMP.OUT");
        // Answers: Enter for the intersection name, J for pc_omgeving.
        const std::string command = "cd '" + dir.path().string() + "' && printf '\\rJ' | '" +
                                    RENDALL_BINARY + "' '" + name +
                                    "' dump.out > rendall.log 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << dir.read("rendall.log");
        EXPECT_NE(dir.read("DUMP.OUT").find("EINDE DUMP"), std::string::npos);
#endif
    }

    // After the window closed, received bytes are frames again.
    void expectFramesAgain() {
        test_support::RecordingSink sink;
        link.setWindowSink(&sink);
        link.requests().send({320, 1, -1, 0, 0}, CommandMode::Read);  // inst_VG_TIJD
        EXPECT_TRUE(QTest::qWaitFor([&] { return !sink.records().empty(); }, kWait));
        link.setWindowSink(nullptr);
    }

    test_support::TempDir dir;
    QtDispatcher dispatcher;
    DumpWindowPorts ports;
    link::MachineClock clock;
    link::ControllerLink link{{dispatcher, ports, ports, clock}};
    long long shownCount = -1;
};

TEST_F(DumpEndToEnd, OverTcp) {
    test_support::CtrlsimProcess sim({"--port", "0"});
    test_support::RecordingIpErrors errors;
    ASSERT_FALSE(test_support::openLoopback(link, portOf(sim), errors).has_value());
    test_support::MemorySettings settings;
    settings.writeString("Hoofdvenster", "DPCOM file name", (dir.path() / "dpcom.dmp").string());
    fetchDump(settings);
    expectConvertible("dpcom.dmp");
    expectFramesAgain();

    // Opened again: the same file is emptied when the new dump comes.
    fetchDump(settings);
    expectConvertible("dpcom.dmp");
    EXPECT_TRUE(errors.errors().empty());
    EXPECT_EQ(sim.stop(), 0);
}

// The serial port COM1 is ctrlsim's pseudo-terminal by [Poorten] of
// veltro.ini; the file chosen in the window becomes that file's setting.
TEST_F(DumpEndToEnd, OverAPseudoTerminalNamedInTheSettings) {
    test_support::CtrlsimProcess sim({"--port", "0", "--pty"});
    portOf(sim);
    const std::string ptyLine = sim.readLine();
    ASSERT_EQ(ptyLine.rfind("pty ", 0), 0u) << ptyLine;
    dir.write("veltro.ini", "[Poorten]\nCOM1=" + ptyLine.substr(4) +
                                "\n\n[Hoofdvenster]\nDPCOM file name=" +
                                (dir.path() / "dpcom.dmp").string() + "\n");
    ProfileFileSettings settings(dir.path() / "veltro.ini");
    test_support::ScriptedPrompts prompts;
    test_support::RecordingIpErrors errors;
    ASSERT_TRUE(link::openControllerLink(link, test_support::serialWords(1, 9600),
                                         {prompts, errors, &settings, nullptr})
                    .opened);
    EXPECT_TRUE(prompts.snapshot().empty());

    const QString chosen = QString::fromStdString((dir.path() / "KRUISPUNT.DMP").string());
    fetchDump(settings, [&](QWidget*, const QString&) { return chosen; });
    expectConvertible("KRUISPUNT.DMP");
    // Chosen before the dump came, the setting's file was never touched.
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "dpcom.dmp"));
    EXPECT_EQ(settings.readString("Hoofdvenster", "DPCOM file name", ""), chosen.toStdString());
    EXPECT_EQ(settings.readString("Poorten", "COM1", ""), ptyLine.substr(4));
    expectFramesAgain();
    EXPECT_EQ(sim.stop(), 0);
}

}  // namespace
}  // namespace veltro::gui

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
