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
        {{"--watch", "p", "f", "--replay", "c", "-IP", "127.0.0.1"},
         "--watch: --replay takes the place of the link words ('-IP')"},
        {{"--watch", "p", "f", "--replay", "c", "--record", "d"},
         "--watch: --record and --replay exclude each other"},
        {{"--watch", "p", "f", "--replay", "c", "--replay-speed", "2"},
         "--watch: --replay-speed: '2' is not 1, 4, 16 or max"},
        {{"--watch", "p", "f", "--replay-speed", "4"},
         "--watch: --replay-speed goes with --replay CAPTURE"},
        {{"--watch", "p", "f", "--record"},
         "--watch: --record needs a value: CAPTURE, the file to record into"},
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
    EXPECT_EQ(plain.command->replaySpeed, 1);

    const ParsedWatchCommand replay =
        parseWatchCommand({"--watch", "p", "f", "--replay-speed", "max", "--replay", "c.txt"});
    ASSERT_TRUE(replay.command.has_value()) << replay.error;
    EXPECT_EQ(replay.command->replayPath, "c.txt");
    EXPECT_EQ(replay.command->replaySpeed, 0);
    const ParsedWatchCommand record =
        parseWatchCommand({"--watch", "p", "f", "--record", "r.txt", "-IP", "10.0.0.2"});
    ASSERT_TRUE(record.command.has_value()) << record.error;
    EXPECT_EQ(record.command->recordPath, "r.txt");
}

}  // namespace
}  // namespace veltro::watch
