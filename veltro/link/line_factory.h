#pragma once

#include <memory>
#include <string>

#include "veltro/link/link_flags.h"
#include "veltro/ports/byte_consumer.h"
#include "veltro/ports/ip_error_handler.h"
#include "veltro/ports/line_adapters.h"
#include "veltro/ports/prompts.h"
#include "veltro/ports/settings_store.h"
#include "veltro/ports/ui_dispatcher.h"

// The adapters of the platform built for: each adapter library (posix/,
// win32/) implements these, and CMake links the one of the platform.
namespace veltro::link {

// What every adapter hands its bytes and its ends to.
struct LineContext {
    ByteConsumer& consumer;
    LinkFlags& flags;
    UiDispatcher& dispatcher;
    LineWatch* watch;
};

std::unique_ptr<SerialLine> makeSerialLine(const LineContext& context, Prompts& prompts);
std::unique_ptr<IpLine> makeIpLine(const LineContext& context, IpErrorHandler& errors);

// The platform's device of a port name ("COM3") that [Poorten] does not map.
std::string platformSerialDevice(const std::string& portName);

}  // namespace veltro::link
