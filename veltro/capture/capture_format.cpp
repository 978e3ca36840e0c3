#include "veltro/capture/capture_format.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "common/file_lookup.h"

namespace veltro::capture {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool readNumber(std::string_view text, std::int64_t& value) {
    if (text.empty() || text.size() > 18)
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "B2 44 45": one to 65 bytes of two hex digits, one blank between.
bool readBytes(std::string_view text, monitor::FrameEntry& entry) {
    if (text.empty() || (text.size() + 1) % 3 != 0)
        return false;
    const std::size_t count = (text.size() + 1) / 3;
    if (count > monitor::FrameEntry::kMaxBytes)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = i * 3;
        const int high = hexDigit(text[at]);
        const int low = hexDigit(text[at + 1]);
        if (high < 0 || low < 0 || (i + 1 < count && text[at + 2] != ' '))
            return false;
        entry.bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    entry.length = static_cast<std::uint8_t>(count);
    return true;
}

bool readMarker(std::string_view marker, monitor::FrameEntry& entry) {
    using monitor::FrameDirection;
    using monitor::FrameKind;
    if (marker == "<") {
        entry.direction = FrameDirection::In;
        entry.kind = FrameKind::Frame;
    } else if (marker == "<?") {
        entry.direction = FrameDirection::In;
        entry.kind = FrameKind::Stray;
    } else if (marker == ">") {
        entry.direction = FrameDirection::Out;
        entry.kind = FrameKind::Frame;
    } else if (marker == ">?") {
        entry.direction = FrameDirection::Out;
        entry.kind = FrameKind::Unframed;
    } else {
        return false;
    }
    return true;
}

std::string_view nextWord(std::string_view& text) {
    const std::size_t blank = text.find(' ');
    const std::string_view word = text.substr(0, blank);
    text = blank == std::string_view::npos ? std::string_view{} : text.substr(blank + 1);
    return word;
}

}  // namespace

std::string headerText(const CaptureHeader& header) {
    return std::string(kMagic) + ' ' + std::to_string(kVersion) + "\nproject " + header.project +
           "\nzxapdef " + header.definitionDate + "\nbegin " + std::to_string(header.beginMs) +
           '\n';
}

void appendFrameLine(std::string& out, std::int64_t offsetMs, const monitor::FrameEntry& entry) {
    using monitor::FrameDirection;
    using monitor::FrameKind;
    char number[24];
    const auto [end, ec] = std::to_chars(number, number + sizeof number, offsetMs);
    out.append(number, end);
    const bool in = entry.direction == FrameDirection::In;
    out += in ? " <" : " >";
    if (entry.kind != FrameKind::Frame)
        out += '?';
    for (std::uint8_t byte : entry.data()) {
        out += ' ';
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
    }
    out += '\n';
}

std::optional<std::string> readMagic(std::string_view line) {
    std::string_view rest = line;
    if (nextWord(rest) != kMagic)
        return "geen opname van veltro (de eerste regel moet met " + std::string(kMagic) +
               " beginnen)";
    std::int64_t version = 0;
    if (!readNumber(rest, version))
        return "de eerste regel noemt geen versie";
    if (version != kVersion)
        return "versie " + std::string(rest) + " van het formaat wordt niet gelezen (wel versie " +
               std::to_string(kVersion) + ")";
    return std::nullopt;
}

std::optional<std::string> readHeaderField(std::string_view line, std::string_view key,
                                           std::string& value) {
    std::string_view rest = line;
    if (nextWord(rest) != key)
        return "hier hoort de regel '" + std::string(key) + " ...'";
    value = std::string(rest);
    return std::nullopt;
}

std::optional<CaptureLine> parseLine(std::string_view line) {
    CaptureLine out;
    std::string_view rest = line;
    if (rest == "einde" || rest == "einde limiet") {
        out.kind = rest == "einde" ? LineKind::End : LineKind::EndAtLimit;
        return out;
    }
    if (!readNumber(nextWord(rest), out.offsetMs))
        return std::nullopt;
    const std::string_view marker = nextWord(rest);
    if (marker == "gat") {
        std::int64_t lost = 0;
        if (!readNumber(rest, lost) || lost == 0)
            return std::nullopt;
        out.kind = LineKind::Gap;
        out.lost = static_cast<std::uint64_t>(lost);
        return out;
    }
    if (!readMarker(marker, out.entry) || !readBytes(rest, out.entry))
        return std::nullopt;
    return out;
}

std::string definitionDate(const std::string& projectDirectory) {
    namespace fs = std::filesystem;
    const auto found = common::resolvePathIgnoreCase(fs::path(projectDirectory) / "ZXAPDEF.H");
    std::error_code ec;
    if (!found)
        return "-";
    const auto written = fs::last_write_time(*found, ec);
    if (ec)
        return "-";
    using namespace std::chrono;
    const auto utc = floor<seconds>(file_clock::to_sys(written));
    const auto day = floor<days>(utc);
    const year_month_day date(day);
    const hh_mm_ss time(utc - day);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(time.hours().count()),
                  int(time.minutes().count()), int(time.seconds().count()));
    return text;
}

std::string projectName(const std::string& directory) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path path = fs::weakly_canonical(fs::path(directory.empty() ? "." : directory), ec);
    if (ec)
        path = fs::path(directory);
    if (!path.has_filename())
        path = path.parent_path();
    return path.filename().string();
}

}  // namespace veltro::capture
