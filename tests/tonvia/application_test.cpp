#include "tonvia/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "confil_bytes.h"
#include "support/platform.h"
#include "support/temp_dir.h"
#include "support/tonvia/recording_sink.h"
#include "tonvia/command_line.h"
#include "tonvia/generation_date.h"

namespace tonvia {
namespace {

using test::framed;
using test::ints;
using test::padded;
using test_support::RecordingTonviaSink;
using test_support::TempDir;
using Lines = std::vector<std::string>;

const char* const kDate = "2026-12-07";
const std::string kIdentification = padded("TONVIA     1.0        2026-12-07");

struct Sources {
    int controller = 7;
    std::string definitionName = "ZXAPDEF.H";
    std::string tableName = "ZXAPTAB.C";
    bool lowerCaseText = false;
};

// Signal groups 2, 5, 11 and 31; detectors 2_1 DK, 5_2 DS, 11_12 DV, 31_1 DP, 31_2 DA,
// and a commented-out table before the real one.
void writeSources(const TempDir& directory, const Sources& sources) {
    std::string definitions =
        "/* declaratie arraynummers voor blokken */\n"
        "#define BK1 0\n"
        "#define NUMBK 1\r\n"
        "/* declaratie arraynummers voor signaalgroepen */\n"
        "#define SG02 0\n"
        "#define SG05 1 /* fietsers */\n"
        "\t#define SG11 2\n"
        "// #define SG12 3\n"
        "#define SG31 3\n"
        "#define NUMSG 4\n"
        "#define SG40 4\n";
    std::string tables =
        "/* struct SG_DETECTIE SG_DETECTIE_tabel[] = {\n"
        "   SG99_1 DX\n"
        "   STOP */\n"
        "struct REGELINGSTRUCT regeling = {\n"
        "   \"Dorpsstraat\",\n"
        "   " +
        std::to_string(sources.controller) +
        ",   /* regelaarnummer */\n"
        "   250,\n"
        "};\n"
        "const struct \t SG_DETECTIE SG_DETECTIE_tabel[] = {\n"
        "/* naam     type */\n"
        "   SG02_1,   DK,  NG,  10,\n"
        "   SG05_2,   DS,  20,  NG,\n"
        "\tSG11_12,  DV,\n"
        "   TIJD_X,   DA,\n"
        "   SG31_1    DP\n"
        "   SG31_2, DA, NOSTOP,\n"
        "   STOP\n"
        "};\n"
        "struct SG_DETECTIE extra[] = { SG77_1 DX, STOP };\n";
    if (sources.lowerCaseText) {
        for (std::string* text : {&definitions, &tables}) {
            for (char& c : *text) {
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
        }
    }
    directory.write(sources.definitionName, definitions);
    directory.write(sources.tableName, tables);
}

std::string expectedConfil(const std::string& number, std::int32_t controller,
                           const std::string& type) {
    std::string bytes =
        framed(padded("Tonvia generated Confil controller " + number + " - type ZAV " + type)) +
        framed(kIdentification) + ints({4, 5});
    for (const std::int32_t group : {2, 5, 11, 31}) {
        bytes += ints({controller, group, 1});
    }
    bytes += ints({controller, 2, 1, 5}) + ints({controller, 5, 2, 1}) +
             ints({controller, 11, 12, 2}) + ints({controller, 31, 1, 3}) +
             ints({controller, 31, 2, 4});
    return bytes;
}

int runIn(const TempDir& directory, const std::string& type, Lines& lines) {
    RecordingTonviaSink sink;
    const int status = runApplication(directory.path().string(), type, kDate, sink);
    lines = sink.lines;
    return status;
}

TEST(Application, WritesByteExactConfilForControllerNumbersAndTypes) {
    struct Case {
        int controller;
        std::string type;
        std::string number;
        std::int32_t written;
        std::string typeName;
    };
    const Case cases[] = {
        {7, "101", "007", 7, "C"},    {123, "102", "123", 123, "CRS"}, {0, "103", "001", 1, "TDI"},
        {45, "", "045", 45, "C"},     {999, "104", "999", 999, "C"},   {8, "abc", "008", 8, "C"},
        {9, " 102", "009", 9, "CRS"},
    };
    for (const Case& c : cases) {
        TempDir directory;
        writeSources(directory, Sources{.controller = c.controller});
        Lines lines;
        EXPECT_EQ(runIn(directory, c.type, lines), 0) << c.controller;
        EXPECT_EQ(lines, Lines{"TONVIA succesvol voltooid"});
        EXPECT_EQ(directory.read("CONFIL"), expectedConfil(c.number, c.written, c.typeName))
            << c.controller << " type '" << c.type << "'";
    }
}

// The sample intersection, copied so that the run writes its CONFIL elsewhere.
TEST(Application, WritesTheSampleIntersectionsConfil) {
    const std::filesystem::path sample = std::filesystem::path(EXAMPLES_DIR) / "kruispunt";
    if (!std::filesystem::exists(sample / "ZXAPTAB.C")) {
        GTEST_SKIP() << "no sample intersection in " << sample;
    }
    TempDir directory;
    for (const char* name : {"ZXAPDEF.H", "ZXAPTAB.C"}) {
        std::filesystem::copy_file(sample / name, directory.path() / name);
    }
    const std::int32_t controller = 214;
    const std::vector<std::int32_t> groups = {2, 3, 5, 8, 9, 11, 22, 24, 28, 31, 34, 38};
    enum : std::int32_t { DS = 1, DV = 2, DP = 3, DA = 4, DK = 5 };
    const std::vector<std::vector<std::int32_t>> detectors = {
        {2, 1, DS},  {2, 2, DP},  {2, 3, DV},  {3, 1, DS},  {3, 2, DV},  {5, 1, DS},  {5, 2, DP},
        {5, 3, DV},  {8, 1, DS},  {8, 2, DP},  {8, 3, DV},  {9, 1, DS},  {9, 2, DV},  {11, 1, DS},
        {11, 2, DP}, {11, 3, DV}, {22, 1, DA}, {22, 2, DV}, {22, 3, DK}, {24, 1, DA}, {24, 2, DV},
        {24, 3, DK}, {28, 1, DA}, {28, 2, DV}, {28, 3, DV}, {28, 4, DK}, {31, 1, DK}, {31, 2, DK},
        {34, 1, DK}, {34, 2, DK}, {38, 1, DK}, {38, 2, DK},
    };
    std::string expected =
        framed(padded("Tonvia generated Confil controller 214 - type ZAV CRS")) +
        framed(kIdentification) +
        ints({static_cast<std::int32_t>(groups.size()),
              static_cast<std::int32_t>(detectors.size())});
    for (const std::int32_t group : groups) {
        expected += ints({controller, group, 1});
    }
    for (const auto& detector : detectors) {
        expected += ints({controller, detector[0], detector[1], detector[2]});
    }
    Lines lines;
    EXPECT_EQ(runIn(directory, "102", lines), 0);
    EXPECT_EQ(lines, Lines{"TONVIA succesvol voltooid"});
    EXPECT_EQ(directory.read("CONFIL"), expected);
}

TEST(Application, ReadsLowerCaseFileNamesAndText) {
    TempDir directory;
    writeSources(directory, Sources{.controller = 123,
                                    .definitionName = "zxapdef.h",
                                    .tableName = "ZxapTab.c",
                                    .lowerCaseText = true});
    directory.write("confil", "old");
    Lines lines;
    EXPECT_EQ(runIn(directory, "102", lines), 0);
    // The existing file is replaced under its own name, not joined by a second one.
    EXPECT_EQ(directory.read("confil"), expectedConfil("123", 123, "CRS"));
    const auto names = test_support::fileNames(directory.path());
    EXPECT_EQ(std::count(names.begin(), names.end(), "CONFIL"), 0);
}

TEST(Application, StopsLeaveAnExistingConfilAsItWas) {
    const std::string old = "previous CONFIL";
    TempDir directory;
    writeSources(directory, Sources{});
    directory.write("CONFIL", old);
    directory.write("ZXAPTAB.C",
                    "struct REGELINGSTRUCT r = {\n 1234567890,\n};\n"
                    "struct SG_DETECTIE t[] = {\nSTOP\n");
    Lines lines;
    EXPECT_EQ(runIn(directory, "", lines), 1);
    EXPECT_EQ(lines.back(), "CONFIL niet gegenereerd vanwege fout in invoerfile(s).");
    EXPECT_EQ(directory.read("CONFIL"), old);

    directory.write("ZXAPTAB.C",
                    "struct REGELINGSTRUCT r = {\n 7,\n};\n"
                    "struct SG_DETECTIE t[] = {\n SG02_1 DX\nSTOP\n");
    EXPECT_EQ(runIn(directory, "", lines), 1);
    EXPECT_EQ(directory.read("CONFIL"), old);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(directory.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 3u) << "no temporary file is left behind";
}

TEST(Application, ChecksTheDirectory) {
    TempDir directory;
    writeSources(directory, Sources{});
    const std::string base = directory.path().string();
    ASSERT_LT(base.size(), 60u);
    // Extra separators keep the path valid while making it exactly 64 or 65 long.
    const std::string exact = base + std::string(63 - base.size(), '/') + ".";
    RecordingTonviaSink sink;
    EXPECT_EQ(runApplication(exact + "   \t", "", kDate, sink), 0);
    EXPECT_EQ(sink.lines, Lines{"TONVIA succesvol voltooid"});

    sink.lines.clear();
    EXPECT_EQ(runApplication("/" + exact, "", kDate, sink), 1);
    EXPECT_EQ(sink.lines, Lines{"Fout: naam van directory is langer dan 64 tekens"});

    // A file named as the directory cannot be searched; a missing one has no sources.
    sink.lines.clear();
    EXPECT_EQ(runApplication(base + "/ZXAPDEF.H", "", kDate, sink), 1);
    EXPECT_EQ(sink.lines, Lines{"Fout bij controleren bestaan C-sourcefiles"});
    sink.lines.clear();
    EXPECT_EQ(runApplication(base + "/nergens", "", kDate, sink), 1);
    EXPECT_EQ(sink.lines, Lines{"Fout: sourcefile ZXAPDEF.H niet gevonden"});

    // A directory where the source should be cannot be opened.
    TempDir other;
    writeSources(other, Sources{});
    std::filesystem::remove(other.path() / "ZXAPDEF.H");
    std::filesystem::create_directory(other.path() / "ZXAPDEF.H");
    sink.lines.clear();
    EXPECT_EQ(runApplication(other.path().string(), "", kDate, sink), 1);
    EXPECT_EQ(sink.lines, Lines{"Fout bij openen sourcefile ZXAPDEF.H om in te lezen"});
}

TEST(CommandLine, TakesDirectoryTypeAndOptions) {
    struct Case {
        Lines arguments;
        Command command;
        std::string directory;
        std::string type;
        std::string show;
    };
    const Case cases[] = {
        {{}, Command::Run, "", "", ""},
        {{"dir"}, Command::Run, "dir", "", ""},
        {{"dir", "102"}, Command::Run, "dir", "102", ""},
        {{"dir", "-5"}, Command::Run, "dir", "-5", ""},
        {{"--", "-dir"}, Command::Run, "-dir", "", ""},
        {{"dir", "102", "x"}, Command::UsageError, "", "", ""},
        {{"-x"}, Command::UsageError, "", "", ""},
        {{"--show"}, Command::UsageError, "", "", ""},
        {{"--show", "CONFIL"}, Command::Show, "", "", "CONFIL"},
        {{"--show", "CONFIL", "more"}, Command::UsageError, "", "", "CONFIL"},
        {{"--help", "x", "y", "z"}, Command::Help, "", "", ""},
        {{"-h"}, Command::Help, "", "", ""},
        {{"--version"}, Command::Version, "", "", ""},
    };
    for (const Case& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        const std::string label = c.arguments.empty() ? "(none)" : c.arguments[0];
        EXPECT_EQ(line.command, c.command) << label;
        EXPECT_EQ(line.command == Command::UsageError, !line.error.empty()) << label;
        if (c.command == Command::Run) {
            EXPECT_EQ(line.directoryArgument, c.directory) << label;
            EXPECT_EQ(line.typeArgument, c.type) << label;
        }
        if (c.command == Command::Show) {
            EXPECT_EQ(line.showFile, c.show);
        }
    }
}

TEST(CommandLine, ControllerTypeActsAs101UnlessItReads102Or103) {
    const std::pair<const char*, int> cases[] = {
        {"", 101},
        {"101", 101},
        {"102", 102},
        {"103", 103},
        {"+103", 103},
        {"0102", 102},
        {"102abc", 102},
        {"104", 101},
        {"-102", 101},
        {"abc", 101},
        {"99999999999999999999102", 101},
    };
    for (const auto& [argument, type] : cases) {
        EXPECT_EQ(controllerType(argument), type) << argument;
    }
    std::string error;
    EXPECT_EQ(sourceDirectory("", error), ".");
    EXPECT_EQ(sourceDirectory(" \t ", error), ".");
    EXPECT_EQ(sourceDirectory(" a b  ", error), " a b");
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(sourceDirectory(std::string(65, 'd'), error), "");
    EXPECT_FALSE(error.empty());
    // The longest name is taken, and the earlier refusal is not left behind.
    EXPECT_EQ(sourceDirectory(std::string(64, 'd') + " ", error), std::string(64, 'd'));
    EXPECT_TRUE(error.empty());
}

// SOURCE_DATE_EPOCH counts from its first instant, 0, and a day ends at its
// last second; what is not a count of seconds leaves the clock's date.
TEST(GenerationDate, SourceDateEpochAtTheEdgesOfADay) {
    const char* before = std::getenv("SOURCE_DATE_EPOCH");
    const std::string saved = before != nullptr ? before : "";
    const std::pair<const char*, const char*> cases[] = {
        {"0", "1970-01-01"},         {"86399", "1970-01-01"},     {"86400", "1970-01-02"},
        {"951868799", "2000-02-29"}, {"951868800", "2000-03-01"},
    };
    for (const auto& [seconds, date] : cases) {
        test_support::setEnvironment("SOURCE_DATE_EPOCH", seconds);
        EXPECT_EQ(generationDate(), date) << seconds;
    }
    for (const char* notSeconds : {"-1", "86400x"}) {
        test_support::setEnvironment("SOURCE_DATE_EPOCH", notSeconds);
        const std::string date = generationDate();
        EXPECT_NE(date, "1969-12-31") << notSeconds;
        EXPECT_NE(date, "1970-01-02") << notSeconds;
    }
    test_support::setEnvironment("SOURCE_DATE_EPOCH", saved);
}

// The console program itself: its exit status and its standard output.
TEST(ConsoleProgram, PrintsMessagesAndExitsWithTheOutcome) {
    if (!test_support::kPosixShell) {
        GTEST_SKIP() << "runs the program through a POSIX shell";
    }
    const std::string program = std::string(TEST_BINARY_DIR) + "/tonvia/tonvia";
    TempDir directory;
    writeSources(directory, Sources{.controller = 123});
    const std::string out = (directory.path() / "out.txt").string();
    const auto run = [&](const std::string& arguments) {
        const std::string command = "SOURCE_DATE_EPOCH=1796601600 '" + program + "' " + arguments +
                                    " > '" + out + "' 2>&1";
        const int status = std::system(command.c_str());
        return test_support::exitCodeOf(status);
    };
    const std::string dir = "'" + directory.path().string() + "'";
    EXPECT_EQ(run(dir + " 103"), 0);
    EXPECT_EQ(directory.read("out.txt"), "TONVIA succesvol voltooid\n");
    EXPECT_EQ(directory.read("CONFIL"), expectedConfil("123", 123, "TDI"));

    EXPECT_EQ(run("--show " + dir + "/CONFIL"), 0);
    const std::string listing = directory.read("out.txt");
    EXPECT_NE(listing.find("Record 1 (130 bytes): \"Tonvia generated Confil controller 123 - "
                           "type ZAV TDI\"\n"),
              std::string::npos)
        << listing;
    EXPECT_NE(listing.find("Record 12 (16 bytes): detector: regelaar 123, signaalgroep 31, "
                           "volgnummer 2, type 4 (DA)\n"),
              std::string::npos)
        << listing;

    EXPECT_EQ(run(dir + "/nergens"), 1);
    EXPECT_EQ(directory.read("out.txt"), "Fout: sourcefile ZXAPDEF.H niet gevonden\n");
    EXPECT_EQ(run("--bogus"), 2);
}

}  // namespace
}  // namespace tonvia
