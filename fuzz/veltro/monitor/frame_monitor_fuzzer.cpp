// Feeds arbitrary received bytes, in reads chosen by the input, through the
// monitor's frame feed, and describes and filters every entry as the window
// would: no byte may be lost or invented, and no entry may be out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "veltro/monitor/frame_feed.h"
#include "veltro/monitor/frame_text.h"
#include "veltro/monitor/frame_view.h"
#include "veltro/monitor/logged_item.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltro::monitor;
    static const FrameNames names;
    static FrameIntake intake(8192);  // emptied by every run
    std::int64_t now = 0;
    FrameFeed feed(intake, [&now] { return ++now; });
    std::size_t at = 0;
    std::size_t fed = 0;
    while (at < size) {
        // The first byte of each chunk gives its length (1 to 64).
        const std::size_t length = std::min<std::size_t>(1 + data[at] % 64, size - at - 1);
        ++at;
        feed.bytesIn({data + at, length});
        fed += length;
        at += length;
    }
    FrameFilter filter;
    filter.codes = {69, 288};
    std::size_t seen = 0;
    FrameEntry entry;
    while (intake.pop(entry)) {
        if (entry.length == 0 || entry.length > FrameEntry::kMaxBytes)
            std::abort();
        seen += entry.length;
        const FrameColumns columns = describeFrame(entry, names, 0);
        if (columns.bytes.size() != entry.length * 3u - 1)
            std::abort();
        filter.matches(entry);
        reportedValue(entry);
    }
    // Every byte is in an entry, except those of a frame still unfinished.
    if (seen > fed || fed - seen > FrameEntry::kMaxBytes)
        std::abort();
    return 0;
}
