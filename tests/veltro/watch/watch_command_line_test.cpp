#include "veltro/watch/watch_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltro::watch {
namespace {

using Words = std::vector<std::string>;

TEST(WatchCommandLine, EachWrongArgumentIsNamed) {
    const struct {
        Words args;
        std::string error;
    } wrong[] = {
        {{"--watch"}, "--watch: DIR is missing (the project directory)"},
        {{"--watch", "p", "-IP", "127.0.0.1", "-IPP", "7000"},
         "--watch: FILE is missing (the debug window file to watch); '-IP' stands in its place"},
        {{"--watch", "p", "f", "--csv"},
         "--watch: --csv needs a value: OUT, the file for the values"},
        {{"--watch", "p", "f", "--duration", "soon"},
         "--watch: --duration: 'soon' is not a number of seconds above 0"},
        {{"--watch", "p", "f", "--overwrite"}, "--watch: --overwrite goes with --csv OUT"},
        {{"--watch", "p", "f", "--csv", "o", "--append", "--overwrite"},
         "--watch: --overwrite and --append exclude each other"},
        {{"--watch", "p", "f", "--verbose"}, "--watch: unknown option '--verbose'"},
        {{"--watch", "p", "f", "COM9"},
         "--watch: 'COM9': LOG : Geen geldig argument. / Argument[0]: COM9"},
    };
    for (const auto& c : wrong) {
        const ParsedWatchCommand parsed = parseWatchCommand(c.args);
        EXPECT_FALSE(parsed.command.has_value()) << c.error;
        EXPECT_EQ(parsed.error, c.error);
    }
}

TEST(WatchCommandLine, OptionsAndLinkWordsInAnyOrder) {
    const ParsedWatchCommand parsed =
        parseWatchCommand({"--watch", "p", "f", "-IP", "10.0.0.2", "--csv", "o.csv", "--append",
                           "-IPP", "7001", "--duration", "0.5", "-noreconnect"});
    ASSERT_TRUE(parsed.command.has_value()) << parsed.error;
    const WatchCommand& cmd = *parsed.command;
    EXPECT_EQ(cmd.directory, "p");
    EXPECT_EQ(cmd.file, "f");
    EXPECT_EQ(cmd.csvPath, "o.csv");
    EXPECT_EQ(cmd.csvRule, headless::ExistingFile::Append);
    EXPECT_EQ(cmd.duration, std::chrono::milliseconds(500));
    EXPECT_EQ(cmd.link.linkKind, LinkKind::Ip);
    EXPECT_EQ(cmd.link.ipPort, 7001);
    EXPECT_FALSE(cmd.link.reconnect);
    const ParsedWatchCommand plain = parseWatchCommand({"--watch", "p", "f", "--csv", "o.csv"});
    ASSERT_TRUE(plain.command.has_value());
    EXPECT_EQ(plain.command->csvRule, headless::ExistingFile::Refuse);
}

}  // namespace
}  // namespace veltro::watch
