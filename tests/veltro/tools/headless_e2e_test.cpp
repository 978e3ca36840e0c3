// veltro --verschillen and --aanpassen against the real ctrlsim: their
// output, result files and exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ctrlsim/ctrlsim_process.h"
#include "support/sample.h"
#include "support/temp_dir.h"
#include "support/veltro/program_run.h"

namespace {

using test_support::CtrlsimProcess;
using test_support::readFile;
using test_support::TempDir;

using test_support::kSample;

using Result = test_support::ProgramResult;

Result veltro(const TempDir& dir, const std::vector<std::string>& args) {
    return test_support::runProgram(VELTRO_BINARY, args, dir.path());
}

class HeadlessTools : public ::testing::Test {
  protected:
    // ctrlsim with `options`; the link words of the debugger for it.
    std::vector<std::string> start(std::vector<std::string> options) {
        options.insert(options.begin(), {"--port", "0"});
        sim = std::make_unique<CtrlsimProcess>(options);
        const std::string line = sim->readLine();
        EXPECT_EQ(line.rfind("port ", 0), 0u) << line;
        return {"-IP", "127.0.0.1", "-IPP", line.substr(line.find(' ') + 1), "--speed", "2"};
    }
    Result run(const std::string& command, std::vector<std::string> words,
               const std::vector<std::string>& link) {
        words.insert(words.begin(), {command, kSample});
        words.insert(words.end(), link.begin(), link.end());
        return veltro(dir, words);
    }
    TempDir dir;
    std::unique_ptr<CtrlsimProcess> sim;
};

TEST_F(HeadlessTools, DifferenceCheckPrintsEachDifferenceOrNone) {
    auto link = start({});
    Result r = run("--verschillen", {}, link);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Er zijn geen verschillen gevonden!\n");
    // One progress line per category, in category order.
    EXPECT_EQ(r.err.find("Ontruimingstijden: "), 0u) << r.err;
    EXPECT_NE(r.err.find("\nEPARM: 12 parameters\n"), std::string::npos) << r.err;

    link = start({"--set", "inst_VG_TIJD:SG02=77", "--set", "inst_1e_KL:KL_OCHTEND=745", "--set",
                  "inst_O_TIJD:SG05:SG02=20"});
    r = run("--verschillen", {"Klokken", "VG-tijden", "Ontruimingstijden"}, link);
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.out,
              "Verschil bij ontruimingstijden van SG05 naar SG02 / Waarde in broncode is  2.50, "
              "in regeling 2\n"
              "Verschil bij VG-tijden van SG02 / Waarde in broncode is  6.00, in regeling 7\n"
              "Verschil bij klokken tijdstip 1 van KL_OCHTEND / Waarde in broncode is  7.00, in "
              "regeling 7\n");
    EXPECT_EQ(r.err,
              "Ontruimingstijden: 56 parameters\nVG-tijden: 12 parameters\n"
              "Klokken: 10 parameters\n");

    const std::string file = (dir.path() / "verschillen.txt").string();
    r = run("--verschillen", {"VG-tijden", "--file", file}, link);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readFile(file),
              "Verschil bij VG-tijden van SG02\nWaarde in broncode is  6.00, in regeling 7\n");

    // A result file that cannot be written stops the check before it asks.
    const std::string nowhere = (dir.path() / "nergens" / "verschillen.txt").string();
    r = run("--verschillen", {"VG-tijden", "--file", nowhere}, link);
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.out, "Het bestand " + nowhere +
                         " kan niet geschreven worden. / Er is niets gecontroleerd.\n");
}

TEST_F(HeadlessTools, AdjustmentWritesVerifiesAndReportsARejectedWrite) {
    auto link = start({"--set", "inst_VG_TIJD:SG02=77", "--set", "inst_GL_TIJD:SG03=1"});
    const std::string listing = (dir.path() / "aangepast.txt").string();
    Result r = run("--aanpassen", {"VG-tijden", "GL-tijden", "--file", listing}, link);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "De aanpassing van parameters is gereed\n");
    const std::string text = readFile(listing);
    EXPECT_EQ(text.find("Parameter  SG     Instelling\nVG-tijd    SG02       60\n"), 0u) << text;
    EXPECT_NE(text.find("GL-tijd    SG03       30\n"), std::string::npos);
    // The controller now holds ZXAPTAB.C's values.
    r = run("--verschillen", {"VG-tijden", "GL-tijden"}, link);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "Er zijn geen verschillen gevonden!\n");

    link = start({"--set", "inst_VG_TIJD:SG02=77", "--reject", "inst_VG_TIJD:SG02"});
    r = run("--aanpassen", {"VG-tijden"}, link);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out,
              "Fout bij verifiëren VG-tijden van SG02 / Waarde is  6.00, in regeling 7\n"
              "De aanpassing van parameters is niet gelukt\n");
    // Without verification the same run reports success.
    r = run("--aanpassen", {"VG-tijden", "--no-verify"}, link);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "De aanpassing van parameters is gereed\n");
}

TEST_F(HeadlessTools, AParameterThatNeverAnswersIsNotCompared) {
    auto link = start({"--set", "inst_VG_TIJD:SG02=77", "--ignore", "inst_VG_TIJD:SG02"});
    Result r = run("--verschillen", {"VG-tijden"}, link);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "Er zijn geen verschillen gevonden!\n");
    EXPECT_NE(r.err.find("veltro: 1 of 12 parameters not answered by the controller\n"),
              std::string::npos)
        << r.err;
    // A controller that answers nothing is a failed link, not a clean check.
    std::vector<std::string> silent;
    for (const char* group : {"SG02", "SG03", "SG05", "SG08", "SG09", "SG11", "SG22", "SG24",
                              "SG28", "SG31", "SG34", "SG38"}) {
        silent.insert(silent.end(), {"--ignore", std::string("inst_GL_TIJD:") + group});
    }
    link = start(silent);
    r = run("--verschillen", {"GL-tijden"}, link);
    EXPECT_EQ(r.code, 3) << r.err;
    EXPECT_NE(r.err.find("12 of 12 parameters not answered"), std::string::npos) << r.err;
}

TEST_F(HeadlessTools, OverAPseudoTerminalNamedInVeltroIni) {
    sim = std::make_unique<CtrlsimProcess>(
        std::vector<std::string>{"--port", "0", "--pty", "--set", "inst_EPARM:EP_KOPLUSFACT=123"});
    sim->readLine();
    const std::string pty = sim->readLine();
    ASSERT_EQ(pty.rfind("pty ", 0), 0u) << pty;
    const auto project = dir.path() / "kruispunt";
    std::filesystem::copy(kSample, project, std::filesystem::copy_options::recursive);
    std::ofstream(project / "veltro.ini") << "[Poorten]\nCOM2=" << pty.substr(4) << "\n";
    const Result r =
        veltro(dir, {"--verschillen", project.string(), "EPARM", "COM2", "19200", "--speed", "2"});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.out,
              "Verschil bij EPARM EP_KOPLUSFACT / Waarde in broncode is  1.50, in regeling 12\n");
}

TEST_F(HeadlessTools, WrongCommandLinesAndFailedStartsHaveTheirExitCodes) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{"--verschillen"},
                                                  {"--verschillen", kSample, "--speed", "x"},
                                                  {"--verschillen", kSample, "--bogus"},
                                                  {"--aanpassen", kSample, "COM7"},
                                                  {"--verschillen", kSample, "--no-verify"},
                                                  {"--aanpassen", kSample, "AFNAME"},
                                                  {"--verschillen", kSample, "--file"}}) {
        const Result r = veltro(dir, words);
        EXPECT_EQ(r.code, 2) << words.back() << r.err;
        EXPECT_NE(r.err.find("usage"), std::string::npos);
    }
    // Each bad argument is named.
    for (const auto& [words, named] :
         std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--verschillen", "-IP", "127.0.0.1"}, "veltro: --verschillen: DIR is missing"},
             {{"--verschillen", kSample, "VG-tijd"}, "veltro: --verschillen: 'VG-tijd': "},
             {{"--aanpassen", kSample, "--speed", "0"}, "veltro: --aanpassen: --speed: '0'"},
             {{"--aanpassen", kSample, "--file"}, "veltro: --aanpassen: --file needs a value"}}) {
        const Result r = veltro(dir, words);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err.rfind(named, 0), 0u) << r.err;
    }
    // Nobody listens: the socket error is reported and the run never starts.
    Result r = veltro(dir, {"--verschillen", kSample, "-IP", "127.0.0.1", "-IPP", "1"});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("10061"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    r = veltro(dir, {"--aanpassen", (dir.path() / "nowhere").string(), "-IP", "127.0.0.1"});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("ZXAPDEF.H"), std::string::npos) << r.err;
}

}  // namespace
