#include "veltro/tools/tool_run.h"

#include <algorithm>

#include "veltro/tools/listing.h"

namespace veltro::tools {

namespace {
// Late reports are awaited at least this long, however fast the pace.
constexpr std::chrono::milliseconds kLeastLateWait{500};
// How often the late wait looks whether everything has been reported.
constexpr std::chrono::milliseconds kLateWaitStep{10};

}  // namespace

std::vector<Category> categoriesToVisit(const ToolSettings& settings, const ElementTables& t) {
    std::vector<Category> out;
    for (Category c : kAllCategories) {
        if (settings.isSelected(c) && entryCount(c, t) > 0)
            out.push_back(c);
    }
    return out;
}

int progressRange(const ToolSettings& settings, const ElementTables& t) {
    int range = 0;
    for (Category c : categoriesToVisit(settings, t))
        range += progressUnits(c, t);
    return range;
}

bool carriesIndexOnly(int functionCode) {
    const int group = (functionCode >> 5) & 15;
    return group == 2 || group == 3 || (group >= 8 && group <= 10);
}

void sendPaced(RunPorts& ports, const ParameterRef& p, CommandMode mode, std::int32_t value) {
    ControllerRecord record = p.record;
    record.value = value;
    // A second index in the frame of an index-only group is read by the
    // controller as the top of the value, and a WRITE of 1 (which travels in
    // the index byte) arrived as 0. The group has none, so none is sent; every
    // other value decodes the same either way.
    if (carriesIndexOnly(record.functionCode))
        record.secondIndex = -1;
    ports.sender.send(record, mode);
    ports.pacing.pace(ports.clock);
}

void awaitLateReports(RunPorts& ports, const std::vector<const ControllerValue*>& asked,
                      std::uint32_t round) {
    const auto allReported = [&] {
        return std::all_of(asked.begin(), asked.end(),
                           [&](const ControllerValue* v) { return v->reportedIn(round); });
    };
    const SteadyClock::Time deadline =
        ports.clock.now() + std::max(ports.pacing.interval(), kLeastLateWait);
    while (!allReported() && !ports.progress.stopRequested()) {
        const SteadyClock::Time now = ports.clock.now();
        if (now >= deadline)
            break;
        ports.clock.waitUntil(std::min(now + kLateWaitStep, deadline));
    }
}

ReadCounts countAnswers(const std::vector<const ControllerValue*>& asked, std::uint32_t round) {
    ReadCounts counts;
    counts.asked = static_cast<int>(asked.size());
    for (const ControllerValue* v : asked)
        counts.answered += v->reportedIn(round) ? 1 : 0;
    return counts;
}

ListingOutput::ListingOutput(TextFiles& files, Options options)
    : m_files(files), m_options(std::move(options)) {
    if (m_options.on && !m_options.separate)
        m_runFile = m_files.open(m_options.fileName, m_options.append);
}

ListingOutput::~ListingOutput() = default;

void ListingOutput::beginCategory(Category c) {
    if (!m_options.on)
        return;
    if (m_options.separate)
        m_categoryFile = m_files.open(categoryFileName(m_options.fileName, c), m_options.append);
    TextFile* file = m_options.separate ? m_categoryFile.get() : m_runFile.get();
    if (file == nullptr)
        return;
    if (!m_options.beforeHeader.empty())
        file->write(m_options.beforeHeader);
    file->write(categoryTexts(c).header);
}

void ListingOutput::line(const ParameterRef& p, std::int32_t value) {
    TextFile* file = m_options.separate ? m_categoryFile.get() : m_runFile.get();
    if (m_options.on && file != nullptr)
        file->write(listingLine(p, value));
}

void ListingOutput::endCategory() {
    m_categoryFile.reset();
}

}  // namespace veltro::tools
