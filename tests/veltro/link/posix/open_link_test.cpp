#include "support/veltro/open_link.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/veltro/clock.h"
#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/messages.h"
#include "support/veltro/prompts.h"
#include "support/veltro/settings.h"
#include "support/veltro/timers.h"
#include "veltro/link/open_controller_link.h"

namespace veltro::link {
namespace {

using namespace test_support;

// A port on 127.0.0.1 that listens, or (closed) one that nothing listens on.
class LocalPort {
  public:
    explicit LocalPort(bool listening) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t length = sizeof a;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &length);
        m_port = ntohs(a.sin_port);
        if (listening) {
            ::listen(m_fd, 2);
        } else {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~LocalPort() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int port() const { return m_port; }

  private:
    int m_fd = -1;
    int m_port = 0;
};

struct Opening {
    FakeDispatcher dispatcher;
    RecordingDumpDisplay display;
    FakeReplyTimer replyTimer;
    FakeClock clock;
    ScriptedPrompts prompts;
    RecordingIpErrors errors;
    RecordingMessages messages;
    MemorySettings settings;
    ControllerLink link{{dispatcher, display, replyTimer, clock}};

    LinkOpening open(const SessionOptions& words) {
        return openControllerLink(link, words, {prompts, errors, &settings, &messages});
    }
};

TEST(OpenControllerLink, AnIpLinkIsLabelledAttachedAndReconnectsUnlessTheWordsSayNot) {
    LocalPort listening(true);
    for (const bool reconnect : {true, false}) {
        Opening o;
        const LinkOpening opened = o.open(ipWords(listening.port(), reconnect));
        EXPECT_TRUE(opened.opened);
        EXPECT_FALSE(opened.ipError);
        EXPECT_TRUE(o.link.attached());
        EXPECT_EQ(o.link.reconnects(), reconnect);
        EXPECT_EQ(o.link.linkStatus().label, "127.0.0.1:" + std::to_string(listening.port()));
        EXPECT_EQ(o.link.state(), LinkState::Connected);
    }
}

// The system's error for the box, and beside it a line that says in Dutch
// which address and port could not be reached and what to check.
TEST(OpenControllerLink, AnUnreachableControllerIsTheSystemsErrorAndANamedLine) {
    int closedPort = 0;
    {
        LocalPort gone(false);
        closedPort = gone.port();
    }
    Opening o;
    const LinkOpening opened = o.open(ipWords(closedPort));
    EXPECT_FALSE(opened.opened);
    ASSERT_TRUE(opened.ipError);
    EXPECT_EQ(opened.ipError->code, 10061);
    EXPECT_EQ(opened.ipError->message.rfind("error calling connect():\n", 0), 0u);
    EXPECT_FALSE(o.link.attached());
    const std::string port = std::to_string(closedPort);
    EXPECT_EQ(o.messages.texts(),
              std::vector<std::string>{"De regelautomaat op 127.0.0.1 poort " + port +
                                       " is niet bereikbaar. Controleer of de regelautomaat "
                                       "(of ctrlsim) aan staat en op die poort luistert, en of "
                                       "het IP-adres (-IP) en de poort (-IPP) kloppen."});
    EXPECT_EQ(opened.advice, o.messages.texts().front()) << "for a box that ends the program";
}

TEST(OpenControllerLink, ASerialPortGoesThroughPoortenAndAMissingDeviceIsNamed) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ::grantpt(master);
    ::unlockpt(master);
    {
        Opening o;
        o.settings.writeString("Poorten", "COM3", ::ptsname(master));
        EXPECT_TRUE(o.open(serialWords(3, 19200)).opened);
        EXPECT_TRUE(o.link.attached());
        EXPECT_EQ(o.link.linkStatus().label, "COM3 19200");
        EXPECT_TRUE(o.prompts.snapshot().empty());
    }
    ::close(master);

    Opening o;
    o.settings.writeString("Poorten", "COM2", "/dev/no-such-adapter");
    EXPECT_FALSE(o.open(serialWords(2, 9600)).opened);
    EXPECT_FALSE(o.link.attached());
    EXPECT_EQ(o.prompts.shown(),
              std::vector<std::string>{"VELTRO.EXE|Fatale fout: de COM-poort kan niet geopend "
                                       "worden.\nControleer de COM-poortinstellingen.\n"
                                       "Apparaat: /dev/no-such-adapter"});
}

}  // namespace
}  // namespace veltro::link
