#include "veltro/link/ip_error.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/veltro/prompts.h"

namespace veltro::link {
namespace {

TEST(IpError, TextsPerCallWithUnknownOtherwise) {
    struct Case {
        SocketCall call;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {SocketCall::Connect, wsa::WSAECONNREFUSED,
         "The attempt to connect was forcefully rejected."},
        {SocketCall::Connect, wsa::WSAETIMEDOUT,
         "Attempt to connect timed out without establishing a connection."},
        {SocketCall::Connect, wsa::WSAENETUNREACH,
         "The network cannot be reached from this host at this time."},
        {SocketCall::Socket, wsa::WSAEMFILE, "No more socket descriptors are available."},
        {SocketCall::Receive, wsa::WSAENOTCONN, "The socket is not connected."},
        // Listed for send, not for receive (a reset there is the -99 count).
        {SocketCall::Receive, wsa::WSAECONNRESET, "unknown problems!"},
        {SocketCall::Socket, wsa::WSAECONNREFUSED, "unknown problems!"},
        {SocketCall::Send, 12345, "unknown problems!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(socketErrorText(c.call, c.code), c.text) << c.code;
    EXPECT_NE(socketErrorText(SocketCall::Send, wsa::WSAECONNRESET), "unknown problems!");
}

TEST(IpError, ReportHasThreeLines) {
    const IpError e = makeIpError(SocketCall::Connect, 10061, "error calling connect():\n");
    EXPECT_EQ(e.message,
              "error calling connect():\nThe attempt to connect was forcefully rejected.");
    std::ostringstream out;
    e.report(out);
    EXPECT_EQ(out.str(), "Error detect: \n\t\t==> error code: 10061\n\t\t==> error message: " +
                             e.message + "\n");

    test_support::ScriptedPrompts box;
    std::ostringstream err;
    showIpError(e, err, box);
    EXPECT_EQ(err.str(), out.str());
    EXPECT_EQ(
        box.snapshot(),
        (std::vector<test_support::Box>{{"VELTRO - IP communicatie probleem - einde programma",
                                         e.message, PromptIcon::Error}}));
    EXPECT_STREQ(wsaErrorName(10061), "WSAECONNREFUSED");
    EXPECT_STREQ(wsaErrorName(12345), "");
}

}  // namespace
}  // namespace veltro::link
