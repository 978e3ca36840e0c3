#include "veltro/headless/command_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltro::headless {
namespace {

TEST(CommandWords, AMissingArgumentOrValueNamesItself) {
    CommandWords none({"--watch"});
    EXPECT_EQ(none.argument("DIR", "the project directory"), std::nullopt);
    EXPECT_EQ(none.error(), "--watch: DIR is missing (the project directory)");

    // A link word where FILE belongs is not taken for the file.
    CommandWords shifted({"--watch", "dir", "-IP", "127.0.0.1"});
    EXPECT_EQ(shifted.argument("DIR", "the project directory"), "dir");
    EXPECT_EQ(shifted.argument("FILE", "the debug window file"), std::nullopt);
    EXPECT_EQ(shifted.error(),
              "--watch: FILE is missing (the debug window file); '-IP' stands in its place");

    CommandWords values({"--watch", "--csv", "--overwrite", "--duration", "-1"});
    values.next();
    EXPECT_EQ(values.valueOf("--csv", "OUT"), std::nullopt);
    values.next();
    values.next();
    EXPECT_EQ(values.valueOf("--duration", "S"), "-1");  // a number may look like an option
    EXPECT_TRUE(values.atEnd());
    EXPECT_EQ(values.error(), "--watch: --csv needs a value: OUT");
    values.fail("a second problem");
    EXPECT_EQ(values.error(), "--watch: --csv needs a value: OUT");

    // An empty word (a shell variable that was not set) is no directory, file
    // or value: taken, it would mean the current directory or no file at all.
    CommandWords emptyDir({"--verschillen", "", "VG-tijden"});
    EXPECT_EQ(emptyDir.argument("DIR", "the project directory"), std::nullopt);
    EXPECT_EQ(emptyDir.error(),
              "--verschillen: DIR is missing (the project directory); '' stands in its place");
    CommandWords emptyValue({"--watch", "--csv", ""});
    emptyValue.next();
    EXPECT_EQ(emptyValue.valueOf("--csv", "OUT"), std::nullopt);
    EXPECT_EQ(emptyValue.error(), "--watch: --csv needs a value: OUT");
}

TEST(LinkWords, AreTheDebuggersAndEachBadOneIsNamed) {
    const struct {
        std::vector<std::string> words;
        std::string error;
    } bad[] = {
        {{"127.0.0.1", "-IPP", "7000"},
         "'127.0.0.1': LOG : Geen geldig baudrate argument. / "
         "9600 baud zal gebruikt worden."},
        {{"-IP", "127.0.0.1", "-IPP"}, "'-IPP' needs a value"},
        {{"-ip", "--speed"}, "'-ip' needs a value"},
        {{"COM2", "com9"}, "'com9': LOG : Geen geldig argument. / Argument[0]: COM9"},
        {{"-C", "7"},
         "'-C 7': LOG : Geen geldig seriële-poort argument. / Alleen poortnummers "
         "1,2,3 en 4 zijn toegestaan. / COM1 zal gebruikt worden."},
        {{"-B", "1234"},
         "'-B 1234': LOG : Geen geldig baudrate argument. / 9600 baud zal "
         "gebruikt worden."},
        {{"afname"}, "'afname' opens a dialog of the debugger; it has no place here"},
        {{"COM1 COM2"}, "'COM1 COM2' is no link word"},
        {{"-IP", "127.0.0.1", ""}, "'' is no link word"},
    };
    for (const auto& c : bad) {
        const LinkWords parsed = parseLinkWords(c.words);
        EXPECT_FALSE(parsed.options.has_value()) << c.error;
        EXPECT_EQ(parsed.error, c.error);
    }

    LinkWords ip = parseLinkWords({"-ip", "10.0.0.2", "-IPP", "7001", "-noreconnect"});
    ASSERT_TRUE(ip.options.has_value()) << ip.error;
    EXPECT_EQ(ip.options->linkKind, LinkKind::Ip);
    EXPECT_EQ(ip.options->ipAddress, "10.0.0.2");
    EXPECT_EQ(ip.options->ipPort, 7001);
    EXPECT_FALSE(ip.options->reconnect);
    LinkWords serial = parseLinkWords({"com2", "19200"});
    ASSERT_TRUE(serial.options.has_value()) << serial.error;
    EXPECT_EQ(serial.options->serialPort, 2);
    EXPECT_EQ(serial.options->baudRate, 19200);
    EXPECT_TRUE(parseLinkWords({}).options.has_value());
}

}  // namespace
}  // namespace veltro::headless
