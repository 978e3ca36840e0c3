#include "veltro/link/ip_error.h"

#include <initializer_list>
#include <utility>

namespace veltro::link {

using namespace wsa;

namespace {

struct Entry {
    int code;
    const char* text;
};

// Descriptions after the Windows Sockets reference, per call.
constexpr Entry kSocketTexts[] = {
    {WSANOTINITIALISED, "A successful WSAStartup must occur before using this function."},
    {WSAENETDOWN, "The network subsystem or the associated service provider has failed."},
    {WSAEAFNOSUPPORT, "The specified address family is not supported."},
    {WSAEINPROGRESS,
     "A blocking Windows Sockets 1.1 call is in progress, or the service\n"
     "provider is still processing a callback function."},
    {WSAEMFILE, "No more socket descriptors are available."},
    {WSAENOBUFS, "No buffer space is available. The socket cannot be created."},
    {WSAEPROTONOSUPPORT, "The specified protocol is not supported."},
    {WSAEPROTOTYPE, "The specified protocol is the wrong type for this socket."},
    {WSAESOCKTNOSUPPORT, "The specified socket type is not supported in this address family."},
};

constexpr Entry kConnectTexts[] = {
    {WSANOTINITIALISED, "A successful WSAStartup must occur before using this function."},
    {WSAENETDOWN, "The network subsystem has failed."},
    {WSAEADDRINUSE, "The specified address is already in use."},
    {WSAEINTR, "The (blocking) call was canceled through WSACancelBlockingCall."},
    {WSAEINPROGRESS,
     "A blocking Windows Sockets 1.1 call is in progress, or the service\n"
     "provider is still processing a callback function."},
    {WSAEALREADY, "A nonblocking connect call is in progress on the specified socket."},
    {WSAEADDRNOTAVAIL, "The specified address is not available from the local machine."},
    {WSAEAFNOSUPPORT, "Addresses in the specified family cannot be used with this socket."},
    {WSAECONNREFUSED, "The attempt to connect was forcefully rejected."},
    {WSAEFAULT,
     "The name or the namelen parameter is not a valid part of the user\n"
     "address space, the namelen parameter is too small, or the name\n"
     "parameter contains incorrect address format for the associated\n"
     "address family."},
    {WSAEINVAL,
     "The parameter s is a listening socket, or the destination address\n"
     "specified is not consistent with that of the constrained group\n"
     "the socket belongs to."},
    {WSAEISCONN, "The socket is already connected (connection-oriented sockets only)."},
    {WSAENETUNREACH, "The network cannot be reached from this host at this time."},
    {WSAENOBUFS, "No buffer space is available. The socket cannot be connected."},
    {WSAENOTSOCK, "The descriptor is not a socket."},
    {WSAETIMEDOUT, "Attempt to connect timed out without establishing a connection."},
    {WSAEWOULDBLOCK,
     "The socket is marked as nonblocking and the connection cannot be\n"
     "completed immediately."},
    {WSAEACCES,
     "Attempt to connect datagram socket to broadcast address failed\n"
     "because setsockopt option SO_BROADCAST is not enabled."},
};

constexpr Entry kSendTexts[] = {
    {WSANOTINITIALISED, "A successful WSAStartup must occur before using this function."},
    {WSAENETDOWN, "The network subsystem has failed."},
    {WSAEACCES,
     "The requested address is a broadcast address, but the appropriate\n"
     "flag was not set."},
    {WSAEINTR,
     "A blocking Windows Sockets 1.1 call was canceled through\n"
     "WSACancelBlockingCall."},
    {WSAEINPROGRESS,
     "A blocking Windows Sockets 1.1 call is in progress, or the service\n"
     "provider is still processing a callback function."},
    {WSAEFAULT,
     "The buf parameter is not completely contained in a valid part of\n"
     "the user address space."},
    {WSAENETRESET,
     "The connection has been broken due to the keep-alive activity\n"
     "detecting a failure while the operation was in progress."},
    {WSAENOBUFS, "No buffer space is available."},
    {WSAENOTCONN, "The socket is not connected."},
    {WSAENOTSOCK, "The descriptor is not a socket."},
    {WSAEOPNOTSUPP,
     "MSG_OOB was specified, but the socket is not stream-style, or the\n"
     "socket is unidirectional and supports only receive operations."},
    {WSAESHUTDOWN,
     "The socket has been shut down; it is not possible to send on a\n"
     "socket after shutdown has been invoked."},
    {WSAEWOULDBLOCK,
     "The socket is marked as nonblocking and the requested operation\n"
     "would block."},
    {WSAEMSGSIZE,
     "The socket is message oriented, and the message is larger than the\n"
     "maximum supported by the underlying transport."},
    {WSAEHOSTUNREACH, "The remote host cannot be reached from this host at this time."},
    {WSAEINVAL,
     "The socket has not been bound with bind, or an unknown flag was\n"
     "specified."},
    {WSAECONNABORTED,
     "The virtual circuit was terminated due to a time-out or other\n"
     "failure. The application should close the socket as it is no\n"
     "longer usable."},
    {WSAECONNRESET,
     "The virtual circuit was reset by the remote side executing a hard\n"
     "or abortive close."},
    {WSAETIMEDOUT,
     "The connection has been dropped, because of a network failure or\n"
     "because the system on the other end went down without notice."},
};

constexpr Entry kReceiveTexts[] = {
    {WSANOTINITIALISED, "A successful WSAStartup must occur before using this function."},
    {WSAENETDOWN, "The network subsystem has failed."},
    {WSAEFAULT,
     "The buf parameter is not completely contained in a valid part of\n"
     "the user address space."},
    {WSAENOTCONN, "The socket is not connected."},
    {WSAEINTR, "The (blocking) call was canceled through WSACancelBlockingCall."},
    {WSAEINPROGRESS,
     "A blocking Windows Sockets 1.1 call is in progress, or the service\n"
     "provider is still processing a callback function."},
    {WSAENETRESET,
     "The connection has been broken due to the keep-alive activity\n"
     "detecting a failure while the operation was in progress."},
    {WSAENOTSOCK, "The descriptor is not a socket."},
    {WSAEOPNOTSUPP,
     "MSG_OOB was specified, but the socket is not stream-style, or the\n"
     "socket is unidirectional and supports only send operations."},
    {WSAESHUTDOWN,
     "The socket has been shut down; it is not possible to receive on a\n"
     "socket after shutdown has been invoked."},
    {WSAEWOULDBLOCK,
     "The socket is marked as nonblocking and the receive operation\n"
     "would block."},
    {WSAEMSGSIZE,
     "The message was too large to fit into the specified buffer and\n"
     "was truncated."},
    {WSAEINVAL,
     "The socket has not been bound with bind, or an unknown flag was\n"
     "specified."},
    {WSAECONNABORTED,
     "The virtual circuit was terminated due to a time-out or other\n"
     "failure. The application should close the socket as it is no\n"
     "longer usable."},
    {WSAETIMEDOUT,
     "The connection has been dropped because of a network failure or\n"
     "because the peer system failed to respond."},
};

struct Name {
    int code;
    const char* name;
};

constexpr Name kNames[] = {
    {WSAEINTR, "WSAEINTR"},
    {WSAEACCES, "WSAEACCES"},
    {WSAEFAULT, "WSAEFAULT"},
    {WSAEINVAL, "WSAEINVAL"},
    {WSAEMFILE, "WSAEMFILE"},
    {WSAEWOULDBLOCK, "WSAEWOULDBLOCK"},
    {WSAEINPROGRESS, "WSAEINPROGRESS"},
    {WSAEALREADY, "WSAEALREADY"},
    {WSAENOTSOCK, "WSAENOTSOCK"},
    {WSAEMSGSIZE, "WSAEMSGSIZE"},
    {WSAEPROTOTYPE, "WSAEPROTOTYPE"},
    {WSAEPROTONOSUPPORT, "WSAEPROTONOSUPPORT"},
    {WSAESOCKTNOSUPPORT, "WSAESOCKTNOSUPPORT"},
    {WSAEOPNOTSUPP, "WSAEOPNOTSUPP"},
    {WSAEAFNOSUPPORT, "WSAEAFNOSUPPORT"},
    {WSAEADDRINUSE, "WSAEADDRINUSE"},
    {WSAEADDRNOTAVAIL, "WSAEADDRNOTAVAIL"},
    {WSAENETDOWN, "WSAENETDOWN"},
    {WSAENETUNREACH, "WSAENETUNREACH"},
    {WSAENETRESET, "WSAENETRESET"},
    {WSAECONNABORTED, "WSAECONNABORTED"},
    {WSAECONNRESET, "WSAECONNRESET"},
    {WSAENOBUFS, "WSAENOBUFS"},
    {WSAEISCONN, "WSAEISCONN"},
    {WSAENOTCONN, "WSAENOTCONN"},
    {WSAESHUTDOWN, "WSAESHUTDOWN"},
    {WSAETIMEDOUT, "WSAETIMEDOUT"},
    {WSAECONNREFUSED, "WSAECONNREFUSED"},
    {WSAEHOSTUNREACH, "WSAEHOSTUNREACH"},
    {WSANOTINITIALISED, "WSANOTINITIALISED"},
};

template <std::size_t N>
const char* lookUp(const Entry (&table)[N], int code) {
    for (const Entry& e : table) {
        if (e.code == code)
            return e.text;
    }
    return nullptr;
}

}  // namespace

const char* wsaErrorName(int code) {
    for (const Name& n : kNames) {
        if (n.code == code)
            return n.name;
    }
    return "";
}

std::string socketErrorText(SocketCall call, int code) {
    const char* text = nullptr;
    switch (call) {
        case SocketCall::Socket:
            text = lookUp(kSocketTexts, code);
            break;
        case SocketCall::Connect:
            text = lookUp(kConnectTexts, code);
            break;
        case SocketCall::Send:
            text = lookUp(kSendTexts, code);
            break;
        case SocketCall::Receive:
            text = lookUp(kReceiveTexts, code);
            break;
    }
    return text ? text : "unknown problems!";
}

void showIpError(const IpError& error, std::ostream& errors, Prompts& prompts) {
    error.report(errors);
    errors.flush();
    prompts.messageBox(IpError::kCaption, error.message, PromptIcon::Error);
}

IpError makeIpError(SocketCall call, int code, const char* prefix) {
    return IpError{code, std::string(prefix) + socketErrorText(call, code)};
}

}  // namespace veltro::link
