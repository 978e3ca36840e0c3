#pragma once

#include <ostream>
#include <string>

#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/prompts.h"

namespace veltro::link {

// Windows Sockets error numbers, which the IP link keeps as its error codes.
namespace wsa {
inline constexpr int WSAEINTR = 10004;
inline constexpr int WSAEACCES = 10013;
inline constexpr int WSAEFAULT = 10014;
inline constexpr int WSAEINVAL = 10022;
inline constexpr int WSAEMFILE = 10024;
inline constexpr int WSAEWOULDBLOCK = 10035;
inline constexpr int WSAEINPROGRESS = 10036;
inline constexpr int WSAEALREADY = 10037;
inline constexpr int WSAENOTSOCK = 10038;
inline constexpr int WSAEMSGSIZE = 10040;
inline constexpr int WSAEPROTOTYPE = 10041;
inline constexpr int WSAEPROTONOSUPPORT = 10043;
inline constexpr int WSAESOCKTNOSUPPORT = 10044;
inline constexpr int WSAEOPNOTSUPP = 10045;
inline constexpr int WSAEAFNOSUPPORT = 10047;
inline constexpr int WSAEADDRINUSE = 10048;
inline constexpr int WSAEADDRNOTAVAIL = 10049;
inline constexpr int WSAENETDOWN = 10050;
inline constexpr int WSAENETUNREACH = 10051;
inline constexpr int WSAENETRESET = 10052;
inline constexpr int WSAECONNABORTED = 10053;
inline constexpr int WSAECONNRESET = 10054;
inline constexpr int WSAENOBUFS = 10055;
inline constexpr int WSAEISCONN = 10056;
inline constexpr int WSAENOTCONN = 10057;
inline constexpr int WSAESHUTDOWN = 10058;
inline constexpr int WSAETIMEDOUT = 10060;
inline constexpr int WSAECONNREFUSED = 10061;
inline constexpr int WSAEHOSTUNREACH = 10065;
inline constexpr int WSANOTINITIALISED = 10093;
}  // namespace wsa

enum class SocketCall { Socket, Connect, Send, Receive };

// The WSA name of a code ("WSAECONNREFUSED"), or empty when unknown.
const char* wsaErrorName(int code);

// The text of `code` for `call`: the call's own description, or
// "unknown problems!" for a code that the call does not list.
std::string socketErrorText(SocketCall call, int code);

// The error of a failing `call`: its message is `prefix` followed by the text.
IpError makeIpError(SocketCall call, int code, const char* prefix);

// Everything of the handling but the end itself: the report on `errors`, then
// the message box with the stop icon. The caller ends the program with exit code 1.
void showIpError(const IpError& error, std::ostream& errors, Prompts& prompts);

}  // namespace veltro::link
