#include "common/file_error.h"

#include <gtest/gtest.h>

#include "support/platform.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using test_support::TempDir;

TEST(FileError, TheUsualCausesInAWord) {
    struct Case {
        std::errc code;
        const char* text;
    };
    const Case cases[] = {
        {std::errc::permission_denied, "geen schrijfrechten"},
        {std::errc::read_only_file_system, "alleen-lezen bestandssysteem"},
        {std::errc::no_space_on_device, "schijf vol"},
        {std::errc::not_a_directory, "een deel van het pad is geen map"},
        {std::errc::no_such_file_or_directory, "map bestaat niet"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(common::fileErrorText(std::make_error_code(c.code)), c.text);
    // Anything else in the system's words, never an empty text.
    const std::error_code other = std::make_error_code(std::errc::device_or_resource_busy);
    EXPECT_EQ(common::fileErrorText(other), other.message());
    EXPECT_FALSE(common::fileErrorText({}).empty());
}

// The probe answers without changing what it probes: an existing file keeps
// every byte, and no scratch file stays behind.
TEST(FileError, ProbingChangesNothing) {
    TempDir dir;
    const fs::path existing = dir.write("dpcom.dmp", std::string("gisteren\r\n\xFF\n", 12));
    EXPECT_FALSE(common::probeWritable(existing));
    EXPECT_EQ(dir.read("dpcom.dmp"), std::string("gisteren\r\n\xFF\n", 12));

    EXPECT_FALSE(common::probeWritable(dir.path() / "nieuw.dmp"));
    EXPECT_EQ(test_support::fileNames(dir.path()), std::vector<std::string>{"dpcom.dmp"});

    // A file standing where a directory should be.
    EXPECT_EQ(common::probeWritable(existing / "x.dmp"), test_support::pathBelowAFile());
    EXPECT_EQ(common::probeWritable(dir.path() / "geen" / "x.dmp"),
              std::errc::no_such_file_or_directory);
    EXPECT_EQ(test_support::fileNames(dir.path()), std::vector<std::string>{"dpcom.dmp"});
}

}  // namespace
