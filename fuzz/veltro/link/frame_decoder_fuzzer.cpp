// Feeds arbitrary bytes to the frame decoder, in chunks chosen by the input,
// and checks what every decoded frame must satisfy.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "veltro/link/frame_decoder.h"
#include "veltro/link/frame_encoder.h"

namespace {

void check(const veltro::link::DecodedFrame& f) {
    using veltro::CommandMode;
    const auto& r = f.record;
    if (r.functionCode < 0 || r.functionCode > 511)
        std::abort();
    if (r.reserved != 0)
        std::abort();
    if (f.mode != CommandMode::Write && r.value != 0)
        std::abort();
    if (f.bytes.empty() || f.bytes.size() > veltro::link::FrameDecoder::kMaxFrame)
        std::abort();
    // Whatever was decoded can be sent again and decodes to a frame of the same object.
    const auto again = veltro::link::encodeFrame(r, f.mode);
    if (again.size() == 0 || again.size() > veltro::link::EncodedFrame::kCapacity)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    veltro::link::FrameDecoder decoder(check);
    std::size_t i = 0;
    while (i < size) {
        const std::size_t chunk = 1 + (data[i] % 17);
        const std::size_t end = i + chunk < size ? i + chunk : size;
        decoder.feed(std::span(data + i, end - i));
        i = end;
    }
    return 0;
}
