#include "veltro/link/ip_error.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

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

TEST(IpError, PosixErrorsMapToWindowsSocketsNumbers) {
    const std::pair<int, int> cases[] = {
        {ECONNREFUSED, 10061}, {ECONNRESET, 10054}, {ETIMEDOUT, 10060}, {ENETUNREACH, 10051},
        {EMFILE, 10024},       {ENOTCONN, 10057},   {EPIPE, 10058},     {EADDRNOTAVAIL, 10049},
    };
    for (auto [posix, code] : cases)
        EXPECT_EQ(wsaErrorFromErrno(posix), code) << posix;
    EXPECT_STREQ(wsaErrorName(10061), "WSAECONNREFUSED");
    EXPECT_EQ(wsaErrorFromErrno(ENOENT), ENOENT);  // unmapped: kept, text "unknown problems!"
}

TEST(IpError, ReportHasThreeLines) {
    const IpError e = makeIpError(SocketCall::Connect, 10061, "error calling connect():\n");
    EXPECT_EQ(e.message,
              "error calling connect():\nThe attempt to connect was forcefully rejected.");
    std::ostringstream out;
    e.report(out);
    EXPECT_EQ(out.str(), "Error detect: \n\t\t==> error code: 10061\n\t\t==> error message: " +
                             e.message + "\n");

    struct Box : Prompts {
        void messageBox(std::string_view caption, std::string_view text,
                        PromptIcon icon) override {
            shown = std::string(caption) + "|" + std::string(text);
            stop = icon == PromptIcon::Error;
        }
        bool askYesNo(std::string_view, std::string_view, PromptIcon) override { return false; }
        std::optional<std::string> askText(std::string_view, std::string_view,
                                           std::string_view) override {
            return std::nullopt;
        }
        std::string shown;
        bool stop = false;
    } box;
    std::ostringstream err;
    showIpError(e, err, box);
    EXPECT_EQ(err.str(), out.str());
    EXPECT_EQ(box.shown, "VELTRO - IP communicatie probleem - einde programma|" + e.message);
    EXPECT_TRUE(box.stop);
}

}  // namespace
}  // namespace veltro::link
