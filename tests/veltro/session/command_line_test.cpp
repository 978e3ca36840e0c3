#include "veltro/session/command_line.h"

#include <gtest/gtest.h>

#include "support/veltro/message_lines.h"
#include "support/veltro/prompts.h"
#include "support/veltro/requests.h"

namespace veltro {
namespace {

const std::string kBadPort =
    "LOG : Geen geldig seriële-poort argument. \nAlleen poortnummers 1,2,3 en 4 zijn "
    "toegestaan.\nCOM1 zal gebruikt worden.";
const std::string kBadBaud =
    "LOG : Geen geldig baudrate argument.\n9600 baud zal gebruikt worden.";

std::string badIpPort(const std::string& word) {
    return "LOG : Geen geldig IP-poort argument: " + word +
           "\nAlleen poortnummers 1 t/m 65535 zijn toegestaan.\n7000 zal gebruikt worden.";
}
std::string badAddress(const std::string& word) {
    return "LOG : Geen geldig IP-adres argument: " + word +
           "\nEen IP-adres zoals 192.168.1.1 wordt verwacht; een naam wordt niet opgezocht.";
}

TEST(CommandLine, WordsToOptionsAndMessages) {
    struct Case {
        const char* text;
        LinkKind link;
        int port;
        int baud;
        std::string address;
        int ipPort;
        std::vector<std::string> boxes;
    };
    const std::string defaultIp = "192.168.1.1";
    const std::vector<Case> cases = {
        {"", LinkKind::Serial, 1, 9600, defaultIp, 7000, {}},
        {"com2 19200", LinkKind::Serial, 2, 19200, defaultIp, 7000, {}},
        {"-C 3 -B 38400", LinkKind::Serial, 3, 38400, defaultIp, 7000, {}},
        {"-c 7", LinkKind::Serial, 1, 9600, defaultIp, 7000, {kBadPort}},
        {"-C -2", LinkKind::Serial, 1, 9600, defaultIp, 7000, {kBadPort}},
        {"-B 1000", LinkKind::Serial, 1, 9600, defaultIp, 7000, {kBadBaud}},
        {"-IP 10.0.0.5 -IPP 7001", LinkKind::Ip, 1, 9600, "10.0.0.5", 7001, {}},
        {"-IP 10.0.0.5 12345", LinkKind::Ip, 1, 12345, "10.0.0.5", 7000, {}},
        {"-IPP 7001", LinkKind::Serial, 1, 9600, defaultIp, 7001, {}},
        {"0",
         LinkKind::Serial,
         1,
         9600,
         defaultIp,
         7000,
         {"LOG : Geen geldig argument.\nArgument[0]: 0"}},
        {"com3  x  ",
         LinkKind::Serial,
         3,
         9600,
         defaultIp,
         7000,
         {"LOG : Geen geldig argument.\nArgument[1]: X"}},
        {"-IP 1234567890.1234567890",
         LinkKind::Ip,
         1,
         9600,
         "1234567890.12345678",
         7000,
         {badAddress("1234567890.12345678")}},
        // The IP port's range, and an address the link can connect to.
        {"-IP 10.0.0.5 -IPP 99999", LinkKind::Ip, 1, 9600, "10.0.0.5", 7000, {badIpPort("99999")}},
        {"-IPP 0", LinkKind::Serial, 1, 9600, defaultIp, 7000, {badIpPort("0")}},
        {"-IP 10.0.0.5 -IPP zeven", LinkKind::Ip, 1, 9600, "10.0.0.5", 7000, {badIpPort("ZEVEN")}},
        {"-IP 127.0.0.1 -IPP 65535", LinkKind::Ip, 1, 9600, "127.0.0.1", 65535, {}},
        {"-IP localhost", LinkKind::Ip, 1, 9600, "LOCALHOST", 7000, {badAddress("LOCALHOST")}},
        {"-IP 10.0.0.256", LinkKind::Ip, 1, 9600, "10.0.0.256", 7000, {badAddress("10.0.0.256")}},
        {"-IP 10.0.0", LinkKind::Ip, 1, 9600, "10.0.0", 7000, {badAddress("10.0.0")}},
        {"-IP 10.0.0.5.", LinkKind::Ip, 1, 9600, "10.0.0.5.", 7000, {badAddress("10.0.0.5.")}},
        {"-B", LinkKind::Serial, 1, 9600, defaultIp, 7000, {kBadBaud}},  // no value word
        {"COM5",
         LinkKind::Serial,
         1,
         9600,
         defaultIp,
         7000,
         {"LOG : Geen geldig argument.\nArgument[0]: COM5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        test_support::ScriptedPrompts prompts;
        const SessionOptions o = parseCommandLine(c.text, prompts);
        EXPECT_EQ(o.linkKind, c.link);
        EXPECT_EQ(o.serialPort, c.port);
        EXPECT_EQ(o.baudRate, c.baud);
        EXPECT_EQ(o.ipAddress, c.address);
        EXPECT_EQ(o.ipPort, c.ipPort);
        std::vector<std::string> texts;
        for (const auto& box : prompts.boxes) {
            EXPECT_EQ(box.caption, "VELTRO");
            texts.push_back(box.text);
        }
        EXPECT_EQ(texts, c.boxes);
    }
}

TEST(CommandLine, StartFlagsAndTheOneThatCounts) {
    test_support::ScriptedPrompts prompts;
    SessionOptions o = parseCommandLine("AFNAME dpcom", prompts);
    EXPECT_TRUE(o.startAfname);
    EXPECT_TRUE(o.startDpcom);
    EXPECT_EQ(startCommand(o), "Start DPCOM...");
    o = parseCommandLine("-v -p", prompts);
    EXPECT_EQ(startCommand(o), "Start Automatische Parameteraanpassing...");
    o = parseCommandLine("verschillen", prompts);
    EXPECT_EQ(startCommand(o), "Start Verschillen met ZXAPTAB.C vinden...");
    EXPECT_EQ(startCommand(SessionOptions{}), "");
    EXPECT_TRUE(prompts.boxes.empty());
}

// Reconnecting is on unless asked off, in any case, beside the other words;
// it takes no value, so the next word is a word of its own.
TEST(CommandLine, NoReconnectKeepsALostLinkLost) {
    test_support::ScriptedPrompts prompts;
    EXPECT_TRUE(parseCommandLine("", prompts).reconnect);
    SessionOptions o = parseCommandLine("-IP 10.0.0.5 -noReconnect -IPP 7001", prompts);
    EXPECT_FALSE(o.reconnect);
    EXPECT_EQ(o.ipAddress, "10.0.0.5");
    EXPECT_EQ(o.ipPort, 7001);
    o = parseCommandLine("-NORECONNECT 19200 com2", prompts);
    EXPECT_FALSE(o.reconnect);
    EXPECT_EQ(o.baudRate, 19200);
    EXPECT_EQ(o.serialPort, 2);
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_TRUE(parseCommandLine("-NORECONNECTED", prompts).reconnect);
    EXPECT_EQ(prompts.boxes.size(), 1U);  // not the keyword: an invalid argument
}

}  // namespace
}  // namespace veltro
