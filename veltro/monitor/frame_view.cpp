#include "veltro/monitor/frame_view.h"

#include <algorithm>

#include "veltro/link/frame_decoder.h"
#include "veltro/monitor/frame_text.h"

namespace veltro::monitor {
namespace {

std::uint64_t firstKept(const FrameHistory& history) {
    return history.total() - history.size();
}

}  // namespace

bool FrameFilter::matches(const FrameEntry& entry) const {
    if (!(entry.direction == FrameDirection::In ? in : out))
        return false;
    if (!codes)
        return true;
    if (entry.kind != FrameKind::Frame)
        return false;
    const std::int32_t code = link::extractFrame(entry.data()).record.functionCode;
    return std::find(codes->begin(), codes->end(), code) != codes->end();
}

MacroFilterResult parseMacroFilter(std::string_view text, const FrameNames& names) {
    MacroFilterResult result;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(" ,\t", at);
        if (start == std::string_view::npos)
            break;
        std::size_t end = text.find_first_of(" ,\t", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string word(text.substr(start, end - start));
        at = end;
        if (!result.codes)
            result.codes.emplace();
        std::int32_t code = names.macroCode(word);
        if (code < 0 && word.find_first_not_of("0123456789") == std::string::npos &&
            word.size() <= 3 && std::stoi(word) < 512) {
            code = std::stoi(word);
        }
        if (code < 0)
            result.unknown.push_back(word);
        else
            result.codes->push_back(code);
    }
    return result;
}

void FrameView::setFilter(FrameFilter filter, const FrameHistory& history) {
    m_filter = std::move(filter);
    m_rows.clear();
    m_seen = firstKept(history);
    update(history);
}

void FrameView::clear(const FrameHistory& history) {
    m_rows.clear();
    m_seen = history.total();
}

FrameView::Change FrameView::update(const FrameHistory& history) {
    Change change;
    const std::uint64_t first = firstKept(history);
    const std::uint64_t start = std::max(m_seen, first);
    for (std::uint64_t sequence = start; sequence < history.total(); ++sequence) {
        if (m_filter.matches(history.at(static_cast<std::size_t>(sequence - first)))) {
            m_rows.push_back(sequence);
            ++change.appended;
        }
    }
    m_seen = history.total();
    // Rows overwritten in the history leave the top (only rows taken before:
    // the new ones all start at the first frame kept).
    while (!m_rows.empty() && m_rows.front() < first) {
        m_rows.pop_front();
        ++change.removedFront;
    }
    return change;
}

const FrameEntry& FrameView::at(const FrameHistory& history, std::size_t row) const {
    return history.at(static_cast<std::size_t>(m_rows.at(row) - firstKept(history)));
}

}  // namespace veltro::monitor
