// Every program against one table of bad command lines: each row is one
// program with one bad input, the exit status and a piece of the message it
// must give, and what it may write. Nothing else in the scratch directory may
// be written, emptied or removed, and no run may crash or leave a sanitizer
// report.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "ctrlsim/ctrlsim_process.h"
#include "support/temp_dir.h"
#include "support/veltro/program_run.h"

namespace {

namespace fs = std::filesystem;
using test_support::TempDir;

using Words = std::vector<std::string>;

enum class Screen { Offscreen, None };  // None: no display and no offscreen platform

struct Row {
    std::string program;
    std::vector<std::string> args{};  // with the placeholders of `expand`
    int code = 0;
    std::string message{};              // a piece of standard output or error
    std::vector<std::string> writes{};  // paths below the scratch directory it may write
    std::string keys{};                 // standard input
    Screen screen = Screen::Offscreen;
    bool needsPermissions = false;  // a directory it may not read or write (not as root)
};

std::string programPath(const std::string& name) {
    const std::map<std::string, std::string> programs = {
        {"veltro", VELTRO_EXE}, {"pendrel", PENDREL_EXE},    {"rendall", RENDALL_EXE},
        {"tonvia", TONVIA_EXE}, {"ctrlsim", CTRLSIM_BINARY}, {"tonviaw", TONVIAW_EXE},
    };
    return programs.at(name);
}

// A file's contents by its path below the scratch directory.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry :
         fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied)) {
        const std::string name = fs::relative(entry.path(), root).string();
        files[name] = entry.is_regular_file() ? test_support::readFile(entry.path()) : "<dir>";
    }
    return files;
}

bool mayWrite(const Row& row, const std::string& name) {
    for (const std::string& prefix : row.writes) {
        if (name.starts_with(prefix))
            return true;
    }
    return false;
}

// One row's scratch directory: the sample's files as "kp", again under a name
// with blanks and letters beyond ASCII, an ordinary file, a read-only and an
// unreadable directory; and a directory apart for the program's output.
class Scratch {
  public:
    Scratch() {
        for (const char* copy : {"kp", "met spatie é"}) {
            fs::create_directory(m_dir / copy);
            for (const auto& entry : fs::directory_iterator(EXAMPLES_DIR "/kruispunt")) {
                if (entry.is_regular_file())
                    fs::copy_file(entry.path(), m_dir / copy / entry.path().filename());
            }
        }
        m_dir.write("gewoon", "");
        fs::create_directory(m_dir / "alleen-lezen");
        fs::create_directory(m_dir / "geen-toegang");
        fs::permissions(m_dir / "alleen-lezen", fs::perms(0555));
        fs::permissions(m_dir / "geen-toegang", fs::perms(0));
    }
    ~Scratch() {
        fs::permissions(m_dir / "alleen-lezen", fs::perms(0755));
        fs::permissions(m_dir / "geen-toegang", fs::perms(0755));
    }

    const fs::path& root() const { return m_dir.path(); }

    std::string expand(std::string word, const std::string& port) const {
        const std::string root = m_dir.path().string();
        const std::map<std::string, std::string> words = {
            {"{long}", std::string(10000, 'x')},
            {"{name260}", root + "/" + std::string(260, 'n')},
            {"{port}", port},
            {"{}", root},
        };
        for (const auto& [placeholder, value] : words) {
            for (std::size_t at = word.find(placeholder); at != std::string::npos;
                 at = word.find(placeholder, at + value.size()))
                word.replace(at, placeholder.size(), value);
        }
        return word;
    }

    test_support::ProgramResult run(const Row& row, const std::string& port) const {
        std::vector<std::string> args;
        for (const std::string& arg : row.args)
            args.push_back(expand(arg, port));
        m_out.write("keys.in", row.keys);
        const std::string environment =
            row.screen == Screen::None ? "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "
                                       : "env QT_QPA_PLATFORM=offscreen ";
        // Started in the scratch directory, so that a default that means "here"
        // is held to the same rule; the output goes elsewhere.
        const std::string prefix = "cd " + test_support::shellQuoted(root().string()) + " && " +
                                   environment + "timeout 60";
        return test_support::runProgram(programPath(row.program), args, m_out.path(), prefix,
                                        (m_out / "keys.in").string());
    }

  private:
    TempDir m_dir;
    TempDir m_out;
};

std::string describe(const Row& row) {
    std::string text = row.program;
    for (const std::string& arg : row.args)
        text += " '" + arg.substr(0, 40) + "'";
    return text;
}

class BadCommandLine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_ctrlsim = new test_support::CtrlsimProcess({"--port", "0"});
        const std::string line = s_ctrlsim->readLine();
        s_port = line.starts_with("port ") ? line.substr(5) : "1";
    }
    static void TearDownTestSuite() {
        delete s_ctrlsim;
        s_ctrlsim = nullptr;
    }

    static void check(const Row& row) {
        const std::string what = describe(row);
        if (programPath(row.program).empty()) {
            std::printf("skipped, not built: %s\n", what.c_str());
            return;
        }
        if (row.needsPermissions && ::geteuid() == 0) {
            std::printf("skipped as root: %s\n", what.c_str());
            return;
        }
        const Scratch scratch;
        const auto before = snapshot(scratch.root());
        const test_support::ProgramResult result = scratch.run(row, s_port);
        const std::string said = result.out + result.err;
        EXPECT_EQ(result.code, row.code) << what << "\n" << said.substr(0, 2000);
        EXPECT_NE(said.find(row.message), std::string::npos)
            << what << ": no \"" << row.message << "\" in\n"
            << said.substr(0, 2000);
        for (const char* report : {"Sanitizer", "runtime error:"}) {
            EXPECT_EQ(said.find(report), std::string::npos) << what << "\n" << said;
        }
        checkWrites(row, before, snapshot(scratch.root()));
    }

    using Files = std::map<std::string, std::string>;
    static void checkWrites(const Row& row, const Files& before, const Files& after) {
        const std::string what = describe(row);
        for (const auto& [name, contents] : before) {
            if (mayWrite(row, name))
                continue;
            EXPECT_TRUE(after.contains(name)) << what << ": removed " << name;
            if (after.contains(name)) {
                EXPECT_EQ(after.at(name), contents) << what << ": changed " << name;
            }
        }
        for (const auto& entry : after) {
            EXPECT_TRUE(before.contains(entry.first) || mayWrite(row, entry.first))
                << what << ": wrote " << entry.first;
        }
        if (!row.writes.empty()) {
            EXPECT_TRUE(after.contains(row.writes.front())) << what << ": did not write";
        }
    }

    // Four rows at a time, each in a scratch directory of its own: most of a
    // row is a program starting up or waiting for the controller.
    static void checkAll(const std::vector<Row>& rows) {
        std::atomic<std::size_t> next{0};
        auto work = [&] {
            for (std::size_t i = next++; i < rows.size(); i = next++)
                check(rows[i]);
        };
        std::vector<std::thread> others;
        for (int n = 1; n < 4; ++n)
            others.emplace_back(work);
        work();
        for (std::thread& other : others)
            other.join();
    }

  private:
    static inline test_support::CtrlsimProcess* s_ctrlsim = nullptr;
    static inline std::string s_port;
};

const std::vector<std::string> kLink = {"-IP", "127.0.0.1", "-IPP", "{port}"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(BadCommandLine, VeltroCheck) {
    const std::string cannotOpen = "kon niet worden geopend";
    checkAll({
        {"veltro", Words{"--check", ""}, 2, "--check: DIR is empty"},
        // Too long for the start-up to join: it goes on without definitions.
        {"veltro", Words{"--check", "{long}"}, 0, "Pad naar Tiral definitie bestand is te lang"},
        {"veltro", Words{"--check", "--strict", "{long}"}, 1, "te lang"},
        {"veltro", Words{"--check", "{name260}"}, 1, cannotOpen},
        {"veltro", Words{"--check", "{}/bestaat-niet"}, 1, cannotOpen},
        {"veltro", Words{"--check", "{}/gewoon"}, 1, cannotOpen},
        {"veltro", Words{"--check", "{}/geen-toegang"}, 1, cannotOpen, {}, "", {}, true},
        {"veltro", Words{"--check", "{}/met spatie é"}, 0, "met spatie é/ZXAPDEF.H"},
    });
}

TEST_F(BadCommandLine, VeltroWatch) {
    const std::string cannotOpen = "kon niet worden geopend";
    const std::string window = "kruis_001.dbg";
    const std::vector<std::string> briefly = {"--duration", "0.5"};
    // Made with the first value: the run ends with it, long before the end.
    const std::vector<std::string> untilAValue = {"--duration", "60"};
    const std::string ports = "Alleen poortnummers 1 t/m 65535";
    checkAll({
        {"veltro", Words{"--watch", "", window}, 2, "DIR is missing"},
        {"veltro", Words{"--watch", "{long}", window}, 3, "te lang"},
        {"veltro", Words{"--watch", "{name260}", window}, 3, cannotOpen},
        {"veltro", Words{"--watch", "{}/bestaat-niet", window}, 3, cannotOpen},
        {"veltro", Words{"--watch", "{}/gewoon", window}, 3, cannotOpen},
        {"veltro", Words{"--watch", "kp", ""}, 2, "FILE is missing"},
        {"veltro", Words{"--watch", "kp", "{long}"}, 3, "not a debug window file"},
        {"veltro", Words{"--watch", "kp", "{name260}"}, 3, "not a debug window file"},
        {"veltro", Words{"--watch", "kp", window, "--csv", ""} + kLink, 2, "--csv needs a value"},
        {"veltro", Words{"--watch", "kp", window, "--csv", "{long}"} + kLink + untilAValue, 3,
         ": cannot be written"},
        {"veltro",
         Words{"--watch", "kp", window, "--csv", "{}/bestaat-niet/w.csv"} + kLink + briefly, 3,
         "its directory does not exist"},
        {"veltro", Words{"--watch", "kp", window, "--csv", "{}/gewoon/w.csv"} + kLink + briefly, 3,
         "its directory is a file"},
        {"veltro",
         Words{"--watch", "kp", window, "--csv", "{}/alleen-lezen/w.csv"} + kLink + untilAValue,
         3,
         "alleen-lezen/w.csv: cannot be written",
         {},
         "",
         {},
         true},
        {"veltro", Words{"--watch", "kp", window, "-IP", "127.0.0.1", ""}, 2,
         "'' is no link word"},
        {"veltro", Words{"--watch", "kp", window, "-IPP", "0"}, 2, ports},
        {"veltro", Words{"--watch", "kp", window, "-IPP", "65536"}, 2, ports},
        {"veltro", Words{"--watch", "kp", window, "-IPP", "zeven"}, 2, ports},
        {"veltro", Words{"--watch", "kp", window, "--duration", "{long}"}, 2, "--duration"},
        {"veltro",
         Words{"--watch", "{}/met spatie é", window, "--csv", "{}/met spatie é/w é.csv"} + kLink +
             Words{"--duration", "3"},
         0,
         "",
         {"met spatie é/w é.csv"}},
    });
}

TEST_F(BadCommandLine, VeltroTools) {
    const std::string cannotOpen = "kon niet worden geopend";
    const std::string notWritten = "kan niet geschreven worden";
    const std::vector<std::string> vg = {"VG-tijden"};
    const std::string ports = "Alleen poortnummers 1 t/m 65535";
    checkAll({
        {"veltro", Words{"--verschillen", ""} + vg + kLink, 2, "DIR is missing"},
        {"veltro", Words{"--verschillen", "{long}"} + vg + kLink, 3, "te lang"},
        {"veltro", Words{"--verschillen", "{name260}"} + vg + kLink, 3, cannotOpen},
        {"veltro", Words{"--verschillen", "{}/bestaat-niet"} + vg + kLink, 3, cannotOpen},
        {"veltro", Words{"--verschillen", "{}/gewoon"} + vg + kLink, 3, cannotOpen},
        {"veltro", Words{"--verschillen", "kp", ""} + kLink, 2, "'' is no link word"},
        {"veltro", Words{"--verschillen", "kp", "--file", ""} + vg + kLink, 2,
         "--file needs a value"},
        {"veltro", Words{"--verschillen", "kp", "--file", "{long}"} + vg + kLink, 3, notWritten},
        {"veltro", Words{"--verschillen", "kp", "--file", "{}/bestaat-niet/v.txt"} + vg + kLink, 3,
         notWritten},
        {"veltro", Words{"--verschillen", "kp", "--file", "{}/gewoon/v.txt"} + vg + kLink, 3,
         notWritten},
        {"veltro",
         Words{"--verschillen", "kp", "--file", "{}/alleen-lezen/v.txt"} + vg + kLink,
         3,
         notWritten,
         {},
         "",
         {},
         true},
        {"veltro", Words{"--verschillen", "kp", "-IPP", "0"}, 2, ports},
        {"veltro", Words{"--aanpassen", "kp", "-IPP", "65536"}, 2, ports},
        {"veltro", Words{"--aanpassen", "kp", "-IPP", "zeven"}, 2, ports},
        {"veltro", Words{"--aanpassen", ""} + vg + kLink, 2, "DIR is missing"},
        {"veltro", Words{"--aanpassen", "{}/bestaat-niet"} + vg + kLink, 3, cannotOpen},
        {"veltro",
         Words{"--verschillen", "{}/met spatie é", "--file", "{}/met spatie é/v é.txt", "--speed",
               "10"} +
             vg + kLink,
         0,
         "Er zijn geen verschillen gevonden!",
         {"met spatie é/v é.txt"}},
    });
}

TEST_F(BadCommandLine, WindowsWithoutADisplaySaySoWhateverTheWords) {
    const std::string veltro = "veltro: geen beeldscherm bereikbaar";
    checkAll({
        {"veltro", {""}, 2, veltro, {}, "", Screen::None},
        {"veltro", {"{long}"}, 2, veltro, {}, "", Screen::None},
        {"veltro", {"-IPP", "0"}, 2, veltro, {}, "", Screen::None},
        {"veltro", {"-IPP", "65536"}, 2, veltro, {}, "", Screen::None},
        {"pendrel", {""}, 2, "pendrel: onbekende optie", {}, "", Screen::None},
        {"pendrel", {}, 2, "geen beeldscherm", {}, "", Screen::None},
    });
}

TEST_F(BadCommandLine, PendrelGenerate) {
    const std::string missing = "Gekozen directory bestaat niet!";
    checkAll({
        {"pendrel", Words{"--generate", ""}, 2, "geen projectdirectory"},
        {"pendrel", Words{"--generate", "{long}"}, 1, missing},
        {"pendrel", Words{"--generate", "{name260}"}, 1, missing},
        {"pendrel", Words{"--generate", "{}/bestaat-niet"}, 1, missing},
        {"pendrel", Words{"--generate", "{}/gewoon"}, 1, missing},
        {"pendrel", Words{"--generate", "kp", "--target", ""}, 2,
         "--target verwacht een directory"},
        {"pendrel", Words{"--generate", "kp", "--target", "{long}"}, 1, missing},
        {"pendrel", Words{"--generate", "kp", "--target", "{name260}"}, 1, missing},
        {"pendrel", Words{"--generate", "kp", "--target", "{}/bestaat-niet"}, 1, missing},
        {"pendrel", Words{"--generate", "kp", "--target", "{}/gewoon"}, 1, missing},
        {"pendrel",
         Words{"--generate", "kp", "--target", "{}/alleen-lezen"},
         1,
         "kan niet gemaakt worden",
         {},
         "",
         {},
         true},
        {"pendrel", Words{"--generate", "kp", "--start", "{long}"}, 2, "--start verwacht"},
        {"pendrel",
         Words{"--generate", "{}/met spatie é", "--name", "spati", "--target", "{}/met spatie é"},
         0,
         "Het genereren van de debugschermen is gereed!",
         {"met spatie é/pendrel.txt", "met spatie é/spati_"}},
    });
}

TEST_F(BadCommandLine, Rendall) {
    const std::string absent = "niet in werkdirectory";
    const std::string notWritten = "Fout bij schrijven naar file";
    const std::string keys = "Dorpsweg\rJ";
    checkAll({
        {"rendall", {""}, 12, absent},
        {"rendall", {"{long}"}, 12, "Fout opgetreden"},
        {"rendall", {"{name260}"}, 12, "Fout opgetreden"},
        {"rendall", {"{}/bestaat-niet/d.dmp"}, 12, absent},
        {"rendall", {"{}/gewoon/d.dmp"}, 12, absent},
        // The empty name is the directory, which exists: asked, the end of
        // input answers (Ctrl-C, error 2).
        {"rendall", {"kp/dpcom.dmp", ""}, 2, "Programma voortijdig afgebroken"},
        {"rendall", {"kp/dpcom.dmp", "{long}"}, 18, notWritten, {}, keys},
        {"rendall", {"kp/dpcom.dmp", "{name260}"}, 18, notWritten, {}, keys},
        {"rendall", {"kp/dpcom.dmp", "{}/bestaat-niet/uit.lst"}, 18, notWritten, {}, keys},
        {"rendall", {"kp/dpcom.dmp", "{}/gewoon/uit.lst"}, 18, notWritten, {}, keys},
        {"rendall", {"kp/dpcom.dmp", "alleen-lezen/uit.lst"}, 18, notWritten, {}, keys, {}, true},
        {"rendall",
         {"{}/met spatie é/dpcom.dmp", "{}/met spatie é/uit é.lst"},
         0,
         "Programma goed doorlopen",
         {"met spatie é/UIT é.LST"},
         keys},
    });
}

TEST_F(BadCommandLine, Tonvia) {
    const std::string absent = "ZXAPDEF.H niet gevonden";
    const std::string tooLong = "naam van directory is langer dan 64 tekens";
    checkAll({
        // Blank is the current directory, here the scratch directory: no sources.
        {"tonvia", {""}, 1, absent},
        {"tonvia", {"{long}"}, 1, tooLong},
        {"tonvia", {"{name260}"}, 1, tooLong},
        {"tonvia", {"{}/bestaat-niet"}, 1, absent},
        {"tonvia", {"{}/gewoon"}, 1, "Fout bij controleren bestaan C-sourcefiles"},
        {"tonvia", {"kp", "{long}"}, 0, "TONVIA succesvol voltooid", {"kp/CONFIL"}},
        {"tonvia",
         {"{}/met spatie é", "102"},
         0,
         "TONVIA succesvol voltooid",
         {"met spatie é/CONFIL"}},
        {"tonvia", Words{"--show", ""}, 1, "kan niet worden gelezen"},
        {"tonvia", Words{"--show", "{long}"}, 1, "tonvia: xxx"},
        {"tonvia", Words{"--show", "{}/bestaat-niet/CONFIL"}, 1, "kan niet worden gelezen"},
        {"tonvia", Words{"--show", "{}/gewoon"}, 1, "0 records gevonden"},
        {"tonvia", Words{"--show", "{}/gewoon/CONFIL"}, 1, "kan niet worden gelezen"},
        {"tonviaw", {""}, 2, "geen beeldscherm", {}, "", Screen::None},
    });
}

TEST_F(BadCommandLine, Ctrlsim) {
    const std::string cannotOpen = "kon niet worden geopend";
    // Standard input is empty, so a ctrlsim that starts ends at once (0).
    checkAll({
        {"ctrlsim", {""}, 2, "unknown option ''"},
        {"ctrlsim", Words{"--dir", "", "--port", "0"}, 2, "--dir needs a directory"},
        {"ctrlsim", Words{"--dir", "{long}", "--port", "0"}, 1, "te lang"},
        {"ctrlsim", Words{"--dir", "{name260}", "--port", "0"}, 1, cannotOpen},
        {"ctrlsim", Words{"--dir", "{}/bestaat-niet", "--port", "0"}, 1, cannotOpen},
        {"ctrlsim", Words{"--dir", "{}/gewoon", "--port", "0"}, 1, cannotOpen},
        {"ctrlsim", Words{"--dir", "{}/met spatie é", "--port", "0"}, 0, "ctrlsim stopped"},
        {"ctrlsim", Words{"--port", "0"}, 0, "port "},  // 0: a free port
        {"ctrlsim", Words{"--port", "65536"}, 2, "invalid port '65536'"},
        {"ctrlsim", Words{"--port", "zeven"}, 2, "invalid port 'zeven'"},
        {"ctrlsim", Words{"--port", ""}, 2, "invalid port ''"},
        {"ctrlsim", Words{"--port", "{long}"}, 2, "invalid port 'xxx"},
    });
}

}  // namespace
