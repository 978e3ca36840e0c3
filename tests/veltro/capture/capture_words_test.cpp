// The debugger's --record and --replay words, taken out of its command line.
#include "veltro/capture/capture_words.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

using veltro::capture::takeCaptureWords;
using Words = std::vector<std::string>;

TEST(CaptureWords, AreTakenOutOrNamedWhenWrong) {
    test_support::TempDir dir;
    const std::string existing = dir.write("oud.txt", "x").string();
    const struct {
        Words words;
        Words left;
        std::string record, replay, directory, error;
    } cases[] = {
        {{"-IP", "10.0.0.2", "--record", "s.txt", "DPCOM"},
         {"-IP", "10.0.0.2", "DPCOM"},
         "s.txt",
         "",
         "",
         ""},
        {{"--replay", "c.txt"}, {}, "", "c.txt", "", ""},
        {{"--replay", "c.txt", "proj"}, {}, "", "c.txt", "proj", ""},
        {{"COM2"}, {"COM2"}, "", "", "", ""},
        {{"--replay"},
         {"--replay"},
         "",
         "",
         "",
         "--replay: CAPTURE is missing (the recording to replay)"},
        {{"--replay", "c", "d", "-IP"},
         {},
         "",
         "c",
         "d",
         "--replay: '-IP' has no place here (--replay CAPTURE [DIR])"},
        {{"COM2", "--replay", "c"},
         {"COM2", "--replay", "c"},
         "",
         "",
         "",
         "--replay comes first: veltro --replay CAPTURE [DIR]"},
        {{"--record"},
         {"--record"},
         "",
         "",
         "",
         "--record: FILE is missing (the capture file to make)"},
        {{"--record", existing},
         {},
         existing,
         "",
         "",
         "--record: " + existing +
             " exists; a recording never replaces a file (choose another name)"},
    };
    for (const auto& c : cases) {
        Words words = c.words;
        const auto found = takeCaptureWords(words);
        EXPECT_EQ(found.error, c.error) << c.words.front();
        if (!c.error.empty())
            continue;
        EXPECT_EQ(words, c.left) << c.words.front();
        EXPECT_EQ(found.recordPath, c.record);
        EXPECT_EQ(found.replayPath, c.replay);
        EXPECT_EQ(found.replayDirectory, c.directory);
    }
}

}  // namespace
