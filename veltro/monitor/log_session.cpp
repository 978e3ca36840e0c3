#include "veltro/monitor/log_session.h"

#include <filesystem>
#include <system_error>

#include "veltro/monitor/monitor_texts.h"

namespace veltro::monitor {

std::string csvLogPath(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    // ".waarden" is a name without an extension; "waarden." has an empty one.
    const bool hasExtension = dot != std::string::npos && dot > 0 && dot + 1 < name.size();
    if (hasExtension || name.empty())
        return path;
    return (name.back() == '.' ? path.substr(0, path.size() - 1) : path) + ".csv";
}

bool LogSession::canStart(const DebugScreen* shown) {
    if (m_active)
        return false;
    if (shown == nullptr) {
        m_messages.message(message_kind::kWarning, texts::kNoWindow);
        return false;
    }
    return true;
}

std::optional<LogPlan> LogSession::plan(const DebugScreen& shown, std::uint64_t shownId,
                                        const std::vector<int>& chosen) {
    LogPlan plan{loggedItems(shown, chosen, m_names), shownId, chosen.empty()};
    if (plan.items.empty()) {
        m_messages.message(message_kind::kWarning, texts::kNoItems);
        return std::nullopt;
    }
    return plan;
}

bool LogSession::start(LogPlan plan, const std::string& path, std::int64_t nowMs) {
    if (m_active)
        return false;
    const std::string target = csvLogPath(path);
    std::error_code error;
    if (target != path && std::filesystem::exists(target, error)) {
        m_messages.message(message_kind::kError, target, texts::kLogExists);
        return false;
    }
    if (const auto failed = m_log.open(target, nowMs)) {
        m_messages.message(message_kind::kError, *failed);
        return false;
    }
    m_log.setItems(plan.items);
    m_plan = std::move(plan);
    m_active = true;
    m_messages.message(message_kind::kInformation, texts::kLogStarted, target);
    return true;
}

void LogSession::stop() {
    if (!m_active)
        return;
    m_active = false;
    const std::string path = m_log.path();
    const std::uint64_t lines = m_log.lines();
    if (const auto error = m_log.close()) {
        m_messages.message(message_kind::kError, *error);
        return;
    }
    m_messages.message(message_kind::kInformation, texts::kLogStopped,
                       std::to_string(lines) + texts::kLogLines, path);
}

void LogSession::follow(const DebugScreen* shown, std::uint64_t shownId) {
    if (!m_active || !m_plan.followsShown || shown == nullptr || shownId == m_plan.window)
        return;
    m_plan.window = shownId;
    m_log.setItems(loggedItems(*shown, {}, m_names));
}

bool LogSession::endOnWriteError() {
    if (!m_active || m_log.error().empty())
        return false;
    const std::string error = m_log.error();
    m_active = false;
    m_log.close();
    m_messages.message(message_kind::kError, error);
    return true;
}

}  // namespace veltro::monitor
