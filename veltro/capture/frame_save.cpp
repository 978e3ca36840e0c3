#include "veltro/capture/frame_save.h"

#include <sstream>
#include <system_error>

#include "common/atomic_file.h"
#include "veltro/capture/capture_writer.h"

namespace veltro::capture {

std::optional<std::string> saveFramesAsCapture(const std::string& path,
                                               const monitor::FrameView& view,
                                               const monitor::FrameHistory& history,
                                               const CaptureHeader& header) {
    std::ostringstream text;
    {
        CaptureWriter writer(
            header,
            [&] {
                return CaptureWriter::Opened{&text, {}};
            },
            std::uint64_t{1} << 40);
        for (std::size_t row = 0; row < view.size(); ++row)
            writer.take(view.at(history, row));
        if (view.size() == 0)
            text << headerText(header);
        writer.close();
    }
    if (view.size() == 0)
        text << "einde\n";
    std::error_code error;
    if (!common::writeFileAtomically(path, text.str(), &error))
        return "Kan " + path + " niet schrijven: " + error.message();
    return std::nullopt;
}

}  // namespace veltro::capture
