// Our profile-file code against Windows' own GetPrivateProfileString,
// GetPrivateProfileInt and WritePrivateProfileString on the same files. Built
// only for Windows; `make test-windows` runs it under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/profile_file.h"
#include "support/temp_dir.h"

namespace {

using test_support::TempDir;
namespace fs = std::filesystem;

struct Probe {
    std::string section;
    std::string key;
};

std::string windowsString(const fs::path& file, const Probe& probe, const std::string& fallback) {
    std::vector<char> buffer(4096);
    const DWORD length = ::GetPrivateProfileStringA(
        probe.section.c_str(), probe.key.c_str(), fallback.c_str(), buffer.data(),
        static_cast<DWORD>(buffer.size()), file.string().c_str());
    return std::string(buffer.data(), length);
}

int windowsInt(const fs::path& file, const Probe& probe, int fallback) {
    return static_cast<int>(::GetPrivateProfileIntA(probe.section.c_str(), probe.key.c_str(),
                                                    fallback, file.string().c_str()));
}

bool windowsWrite(const fs::path& file, const Probe& probe, const std::string& value) {
    return ::WritePrivateProfileStringA(probe.section.c_str(), probe.key.c_str(), value.c_str(),
                                        file.string().c_str()) != 0;
}

// Every file gets a name of its own: the system keeps recently read profile
// files in a cache.
class ProfileOracle : public ::testing::Test {
  protected:
    fs::path file(const std::string& text) {
        return m_dir.write("p" + std::to_string(m_count++) + ".ini", text);
    }

    TempDir m_dir;
    int m_count = 0;
};

struct ReadCase {
    const char* text;
    std::vector<Probe> probes;
};

TEST_F(ProfileOracle, ReadsAsWindowsReads) {
    const std::vector<ReadCase> cases = {
        {"[Hoofdvenster]\r\nX-positie=120\r\nFontnaam=Courier New\r\n",
         {{"hoofdvenster", "x-positie"}, {"HOOFDVENSTER", "FONTNAAM"}, {"Hoofdvenster", "Y"}}},
        {"[ A ]\n  Key  =  a value with blanks  \n\tTab\t=\tx\t\n", {{"A", "key"}, {"a", "tab"}}},
        {"[A]\nk=1\nk=2\n[B]\nk=3\n", {{"A", "k"}, {"B", "K"}, {"C", "k"}}},
        {"[A]\n;k=9\nk=1\n#x=2\n", {{"A", "k"}, {"A", "x"}}},
        {"[A]\nk=\nm=a=b\nn = \n", {{"A", "k"}, {"A", "m"}, {"A", "n"}}},
        {"k=1\n[A]\nm=2\n", {{"A", "k"}, {"A", "m"}}},
        {"[A]\nmy key = v w\n[B]\n", {{"A", "my key"}, {"B", "my key"}}},
        {"[A]\r\nlast=no line end", {{"A", "last"}}},
        {"", {{"A", "k"}}},
        {"[A]\n\n\nk=after blank lines\n\n[B]\nk=b\n", {{"A", "k"}, {"B", "k"}}},
        {"[A]\nq=\"quoted\"\nr='single'\ns=\"half\n", {{"A", "q"}, {"A", "r"}, {"A", "s"}}},
        {"[A]\nk=1\n[B]\n[a]\nm=2\nk=3\n", {{"A", "k"}, {"A", "m"}}},
        {"[A]\nbare\nk=1\n", {{"A", "bare"}, {"A", "k"}}},
        {"[A] trailing\nk=1\n[B\nk=2\n", {{"A", "k"}, {"B", "k"}}},
    };
    for (const ReadCase& c : cases) {
        const fs::path path = file(c.text);
        for (const Probe& probe : c.probes) {
            EXPECT_EQ(common::ProfileFile(path).readString(probe.section, probe.key, "dflt"),
                      windowsString(path, probe, "dflt"))
                << "[" << probe.section << "] " << probe.key << " in:\n"
                << c.text;
        }
    }
}

// Two differences are deliberate and left out: a number beyond the range of
// int is held at its limit where Windows wraps it ("99999999999" reads as
// 1215752191), and only decimal numbers are read where Windows also takes
// "0x", "0o" and "0b" prefixes.
TEST_F(ProfileOracle, ReadsNumbersAsWindowsReads) {
    const char* values[] = {"120", "12ab", "+7",         "-7",          "x1", "0",  "007",
                            " 42", "-0",   "2147483647", "-2147483648", "",   "1 2"};
    std::string text = "[N]\n";
    for (std::size_t i = 0; i < std::size(values); ++i) {
        text += "k" + std::to_string(i) + "=" + values[i] + "\n";
    }
    const fs::path path = file(text);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const Probe probe{"n", "K" + std::to_string(i)};
        EXPECT_EQ(common::ProfileFile(path).readInt(probe.section, probe.key, 99),
                  windowsInt(path, probe, 99))
            << values[i];
    }
    EXPECT_EQ(common::ProfileFile(path).readInt("N", "absent", 99),
              windowsInt(path, {"N", "absent"}, 99));
}

// The same writes through both: each resulting file then reads the same, by
// Windows' reader and by ours, and keeps the lines that were not written.
TEST_F(ProfileOracle, WritesAsWindowsWrites) {
    const std::vector<const char*> starts = {
        "",
        "; settings\n[Hoofdvenster]\nX-positie=120\n\n[Ander]\nK=1\n",
        "[hoofdvenster]\r\nx-positie = 5\r\n; note\r\n[Poorten]\r\nCOM1=/dev/ttyS0\r\n",
    };
    const std::vector<std::pair<Probe, std::string>> writes = {
        {{"Hoofdvenster", "X-positie"}, "300"}, {{"HOOFDVENSTER", "Fontnaam"}, "Courier New"},
        {{"Nieuw", "Sleutel"}, "waarde"},       {{"Ander", "k"}, "2"},
        {{"Hoofdvenster", "Leeg"}, ""},
    };
    std::vector<Probe> probes;
    for (const auto& [probe, value] : writes) {
        probes.push_back(probe);
    }
    probes.push_back({"Poorten", "COM1"});
    probes.push_back({"Ander", "missing"});

    for (const char* start : starts) {
        const fs::path ours = file(start);
        const fs::path theirs = file(start);
        if (std::string(start).empty()) {
            fs::remove(ours);  // both create the file on the first write
            fs::remove(theirs);
        }
        for (const auto& [probe, value] : writes) {
            ASSERT_TRUE(common::ProfileFile(ours).writeString(probe.section, probe.key, value));
            ASSERT_TRUE(windowsWrite(theirs, probe, value));
        }
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirs.string().c_str());
        const std::string oursText = test_support::readFile(ours);
        const std::string theirsText = test_support::readFile(theirs);
        for (const Probe& probe : probes) {
            const std::string expected = windowsString(theirs, probe, "dflt");
            EXPECT_EQ(windowsString(ours, probe, "dflt"), expected)
                << "[" << probe.section << "] " << probe.key << "\nours:\n"
                << oursText << "\nWindows:\n"
                << theirsText;
            EXPECT_EQ(common::ProfileFile(theirs).readString(probe.section, probe.key, "dflt"),
                      expected);
        }
        if (std::string(start).find("; note") != std::string::npos) {
            EXPECT_NE(oursText.find("; note"), std::string::npos) << oursText;
            EXPECT_NE(theirsText.find("; note"), std::string::npos) << theirsText;
        }
    }
}

}  // namespace
