// veltro --bewaar and --terugzetten, and --verschillen --csv, against the
// real ctrlsim over TCP; what ctrlsim holds at the end is its
// --dump-parameters file.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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
using Result = test_support::ProgramResult;
namespace fs = std::filesystem;

using test_support::kSample;
const std::vector<std::string> kGroups{"SG02", "SG03", "SG05", "SG08", "SG09", "SG11",
                                       "SG22", "SG24", "SG28", "SG31", "SG34", "SG38"};

// The rows of a backup-format file that answered, without its heading.
std::vector<std::string> answeredRows(const std::string& text) {
    std::vector<std::string> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        if (line.ends_with(";ja"))
            rows.push_back(line);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return rows;
}

bool holds(const std::vector<std::string>& rows, const std::string& row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

class ParameterBackup : public ::testing::Test {
  protected:
    // A ctrlsim that dumps what it holds to `dump` at its end; the link words.
    std::vector<std::string> start(std::vector<std::string> options, const std::string& dump) {
        options.insert(options.begin(), {"--port", "0", "--dump-parameters", dump});
        sim = std::make_unique<CtrlsimProcess>(options);
        const std::string line = sim->readLine();
        EXPECT_EQ(line.rfind("port ", 0), 0u) << line;
        return {"-IP", "127.0.0.1", "-IPP", line.substr(line.find(' ') + 1), "--speed", "1"};
    }
    // Ends ctrlsim; what it held.
    std::string held(const std::string& dump) {
        EXPECT_EQ(sim->stop(), 0);
        return readFile(dump);
    }
    Result veltro(std::vector<std::string> words, const std::vector<std::string>& link) {
        words.insert(words.end(), link.begin(), link.end());
        return test_support::runProgram(VELTRO_BINARY, words, dir.path());
    }
    std::string file(const std::string& name) const { return (dir.path() / name).string(); }

    TempDir dir;
    std::unique_ptr<CtrlsimProcess> sim;
};

TEST_F(ParameterBackup, ARestoredBackupLeavesAFreshControllerHoldingExactlyItsValues) {
    const std::string backup = file("bewaard.txt");
    auto link = start({"--set", "inst_VG_TIJD:SG02=77", "--set", "inst_1e_KL:KL_OCHTEND=745",
                       "--set", "inst_O_TIJD:SG05:SG02=21", "--set", "SCH:0=0"},
                      file("a.txt"));
    Result r = veltro({"--bewaar", kSample, "--file", backup}, link);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "249 parameters saved in " + backup + "\n");
    const std::string changed = held(file("a.txt"));
    const std::vector<std::string> saved = answeredRows(readFile(backup));
    EXPECT_EQ(saved.size(), 249u);
    for (const char* row :
         {"VG-tijden;inst_VG_TIJD;SG02;;77;7.7;ja", "Klokken;inst_1e_KL;KL_OCHTEND;;745;7.45;ja",
          "Ontruimingstijden;inst_O_TIJD;SG05;SG02;21;2.1;ja"})
        EXPECT_TRUE(holds(saved, row)) << row;

    // A fresh controller holds the source values until the backup goes in.
    link = start({}, file("c.txt"));
    r = veltro({"--terugzetten", kSample, backup}, link);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Het terugzetten van de parameters is gereed\n");
    EXPECT_EQ(r.err, "Terugzetten: 249 parameters\n");
    const std::string restored = held(file("c.txt"));
    for (const std::string& row : saved)
        EXPECT_TRUE(holds(answeredRows(restored), row)) << row;
    EXPECT_EQ(restored, changed);

    // ctrlsim starts from a backup as well.
    start({"--set-file", backup}, file("d.txt"));
    EXPECT_EQ(held(file("d.txt")), changed);
}

TEST_F(ParameterBackup, ASilentControllerOrAnExistingFileWritesNothing) {
    std::vector<std::string> silent;
    for (const std::string& group : kGroups)
        silent.insert(silent.end(), {"--ignore", "inst_VG_TIJD:" + group});
    auto link = start(silent, file("a.txt"));
    const std::string backup = file("bewaard.txt");
    Result r = veltro({"--bewaar", kSample, "VG-tijden", "--file", backup}, link);
    EXPECT_EQ(r.code, 3) << r.err;
    EXPECT_NE(r.err.find("veltro: the controller answered none of the 12 parameters; no backup "
                         "was written"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(backup));

    // One silent parameter: the backup is written and says so.
    link = start({"--ignore", "inst_VG_TIJD:SG03"}, file("b.txt"));
    r = veltro({"--bewaar", kSample, "VG-tijden", "--file", backup}, link);
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_NE(readFile(backup).find("VG-tijden;inst_VG_TIJD;SG03;;;;nee\n"), std::string::npos);
    EXPECT_NE(r.err.find("1 of 12 parameters not answered"), std::string::npos) << r.err;

    const std::string before = readFile(backup);
    r = veltro({"--bewaar", kSample, "GL-tijden", "--file", backup}, link);
    EXPECT_EQ(r.code, 2) << r.err;
    EXPECT_NE(r.err.find(backup + ": exists; give --overwrite to replace it"), std::string::npos);
    EXPECT_EQ(readFile(backup), before);
    r = veltro({"--bewaar", kSample, "GL-tijden", "--file", backup, "--overwrite"}, link);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(answeredRows(readFile(backup)).size(), 12u);
}

TEST_F(ParameterBackup, ARestoreTellsDifferencesAndRefusesABackupOfAnotherProject) {
    const std::string backup = file("bewaard.txt");
    std::ofstream(backup) << "veltro parameterbackup 1\nproject;elders;\n"
                             "categorie;parameter;element;naar;ruw;waarde;antwoord\n"
                             "VG-tijden;inst_VG_TIJD;SG02;;77;7.7;ja\n"
                             "GL-tijden;inst_GL_TIJD;SG02;;31;3.1;ja\n"
                             "Tijden;inst_TIJD;T_NERGENS;;5;0.5;ja\n";
    auto link = start({"--reject", "inst_GL_TIJD:SG02"}, file("a.txt"));
    Result r = veltro({"--terugzetten", kSample, backup}, link);
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("Tijden: inst_TIJD of T_NERGENS"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("does not match the project; nothing was written"), std::string::npos);

    std::ofstream(backup) << "veltro parameterbackup 1\nproject;elders;\n"
                             "categorie;parameter;element;naar;ruw;waarde;antwoord\n"
                             "VG-tijden;inst_VG_TIJD;SG02;;77;7.7;ja\n"
                             "GL-tijden;inst_GL_TIJD;SG02;;31;3.1;ja\n";
    r = veltro({"--terugzetten", kSample, backup}, link);
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.out,
              "Fout bij verifiëren GL-tijden van SG02 / Waarde is  3.10, in regeling 3\n"
              "Het terugzetten van de parameters is niet gelukt\n");
    EXPECT_NE(r.err.find("made for the project 'elders', not 'kruispunt'"), std::string::npos);
    const std::vector<std::string> rows = answeredRows(held(file("a.txt")));
    EXPECT_TRUE(holds(rows, "VG-tijden;inst_VG_TIJD;SG02;;77;7.7;ja"));
    EXPECT_FALSE(holds(rows, "GL-tijden;inst_GL_TIJD;SG02;;31;3.1;ja"));
}

TEST_F(ParameterBackup, TheDifferenceCheckWritesEveryComparedValueExactly) {
    auto link =
        start({"--set", "inst_VG_TIJD:SG02=77", "--ignore", "inst_VG_TIJD:SG03"}, file("a.txt"));
    const std::string csv = file("verschillen.csv");
    Result r = veltro({"--verschillen", kSample, "VG-tijden", "--csv", csv}, link);
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.out,
              "Verschil bij VG-tijden van SG02 / Waarde in broncode is  6.00, in regeling "
              "7\n");
    const std::string text = readFile(csv);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "categorie;parameter;element;naar;bron;ruw;waarde;verschil;antwoord");
    EXPECT_NE(text.find("\nVG-tijden;inst_VG_TIJD;SG02;;6;77;7.7;ja;ja\n"), std::string::npos);
    EXPECT_NE(text.find("\nVG-tijden;inst_VG_TIJD;SG03;;"), std::string::npos);
    EXPECT_NE(text.find(";;;nee;nee\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 13);

    r = veltro({"--verschillen", kSample, "VG-tijden", "--csv", csv}, link);
    EXPECT_EQ(r.code, 2) << r.err;
    EXPECT_EQ(readFile(csv), text);
    r = veltro({"--verschillen", kSample, "GL-tijden", "--csv", csv, "--overwrite"}, link);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(readFile(csv).find("\nGL-tijden;"), std::string::npos);
}

// An acceptance run killed midway (SIGKILL: nothing of it runs on) leaves
// its originals in the journal; a second run takes them over although the
// controller now holds test values, and --terugzetten of the journal puts
// the originals back and retires it.
TEST_F(ParameterBackup, TheOriginalsOfAKilledAcceptanceRunComeBack) {
    const fs::path project = dir.path() / "kruispunt";
    fs::copy(kSample, project, fs::copy_options::recursive);
    const std::string journal = (project / "afname_originelen.txt").string();
    start({}, file("fresh.txt"));
    const std::string originals = held(file("fresh.txt"));

    auto link = start({}, file("a.txt"));
    std::vector<std::string> args{
        VELTRO_BINARY, "--afname", project.string(), "VG-tijden", "Tijden", "--start", "100"};
    args.insert(args.end(), link.begin(), link.end());
    args.back() = "20";  // --speed 20: slow enough to be killed in the middle
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    ASSERT_EQ(::posix_spawn(&pid, VELTRO_BINARY, nullptr, nullptr, argv.data(), environ), 0);
    // Killed once the journal holds three originals (or at its end).
    for (int i = 0; i < 2000 && answeredRows(readFile(journal)).size() < 3; ++i)
        ::usleep(10000);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::vector<std::string> kept = answeredRows(readFile(journal));
    ASSERT_GE(kept.size(), 3u);
    for (const std::string& row : kept)
        EXPECT_TRUE(holds(answeredRows(originals), row)) << row;

    Result r =
        veltro({"--afname", project.string(), "VG-tijden", "Tijden", "--start", "200"}, link);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("an earlier acceptance run left its originals in " + journal),
              std::string::npos)
        << r.err;
    EXPECT_EQ(answeredRows(readFile(journal)).size(), 25u);
    for (const std::string& row : answeredRows(readFile(journal)))
        EXPECT_TRUE(holds(answeredRows(originals), row)) << row;

    r = veltro({"--terugzetten", project.string(), journal}, link);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_FALSE(fs::exists(journal));
    EXPECT_EQ(held(file("a.txt")).substr(originals.find('\n')),
              originals.substr(originals.find('\n')));
}

}  // namespace
