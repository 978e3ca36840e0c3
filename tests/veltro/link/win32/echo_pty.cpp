// The peer of the Windows serial link's tests under Wine, built for the host:
// a pseudo-terminal whose far end sends back every byte it receives. It
// prints the terminal's path and echoes until it is ended.
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

int main() {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::perror("echo_pty");
        return 1;
    }
    const char* path = ::ptsname(master);
    // Held open so that the echo goes on while the tested program opens and
    // closes its end; a raw line, so that every byte passes unchanged.
    const int held = path != nullptr ? ::open(path, O_RDWR | O_NOCTTY) : -1;
    termios raw{};
    if (held < 0 || ::tcgetattr(held, &raw) != 0) {
        std::perror("echo_pty");
        return 1;
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(held, TCSANOW, &raw);
    std::printf("%s\n", path);
    std::fflush(stdout);

    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t n = ::read(master, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return 0;
        for (ssize_t at = 0; at < n;) {
            const ssize_t w = ::write(master, buffer.data() + at, static_cast<size_t>(n - at));
            if (w < 0 && errno != EINTR)
                return 0;
            at += w > 0 ? w : 0;
        }
    }
}
