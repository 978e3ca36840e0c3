#pragma once

#include <string>
#include <string_view>

#include "veltro/ports/link_status.h"

namespace veltro::link {

// The status line's texts.
inline constexpr std::string_view kStateConnected = "verbonden";
inline constexpr std::string_view kStateLost = "geen verbinding";
inline constexpr std::string_view kStateReconnecting = "opnieuw verbinden…";

std::string_view stateText(LinkState state);

// "127.0.0.1:7000 – verbonden – in 120 frames, 1,2 kB – uit 40 frames, 300 B –
// laatste frame 0,4 s geleden": numbers in the Dutch way (decimal comma).
std::string statusLineText(const LinkStatus& status);

// "COM1 9600" and "127.0.0.1:7000": how the status line names the line.
std::string serialLinkLabel(int portNumber, int baudRate);
std::string ipLinkLabel(std::string_view address, int port);

}  // namespace veltro::link
