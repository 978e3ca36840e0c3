#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "veltro/capture/capture_format.h"

namespace veltro::capture {

// Reads a capture file line by line as it is replayed: only the header is
// read before the first frame, and the places passed are remembered (one a
// second of the recording) so that a jump back does not read from the start.
// A damaged file is read up to the damage; error() then names its line.
class CaptureReader {
  public:
    enum class Status { Line, End, Damaged };
    static constexpr std::int64_t kIndexStepMs = 1000;
    static constexpr std::size_t kLongestLine = 256;

    explicit CaptureReader(std::istream& in) : m_in(in) {}

    // Reads the header; false when it is not one (error() says why).
    bool readHeader();
    const CaptureHeader& header() const { return m_header; }

    // The next frame or gap line; End at the end line, Damaged at a line that
    // cannot be read, a time that goes back, or the end of a file that has no
    // end line (a recording cut off).
    Status next(CaptureLine& line);
    // Goes to the first line at or after `offsetMs`; false when the file is
    // damaged before it (error() says where).
    bool seek(std::int64_t offsetMs);

    std::size_t lineNumber() const { return m_lineNumber; }  // of the last line read, from 1
    bool endedAtLimit() const { return m_atLimit; }
    const std::string& error() const { return m_error; }

  private:
    struct Place {
        std::int64_t offsetMs;
        std::streampos position;  // of that line
        std::size_t lineNumber;   // of the line before it
    };

    bool readLine(std::string& text);
    Status damaged(std::string text);
    Status readNext(CaptureLine& line);

    std::istream& m_in;
    CaptureHeader m_header;
    std::string m_text;
    std::size_t m_lineNumber = 0;
    std::streampos m_position = 0;  // of the next line
    std::int64_t m_lastOffset = 0;
    std::vector<Place> m_index;
    std::optional<CaptureLine> m_pending;  // read by seek, not yet taken
    std::optional<Status> m_final;
    bool m_atLimit = false;
    std::string m_error;
};

}  // namespace veltro::capture
