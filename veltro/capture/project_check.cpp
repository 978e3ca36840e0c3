#include "veltro/capture/project_check.h"

namespace veltro::capture {

std::optional<std::string> projectMismatch(const CaptureHeader& header,
                                           const std::string& directory) {
    const std::string name = projectName(directory);
    const std::string date = definitionDate(directory);
    if (header.project == name && header.definitionDate == date)
        return std::nullopt;
    return "de opname is gemaakt bij project '" + header.project + "' (ZXAPDEF.H van " +
           header.definitionDate + "), niet bij dit project '" + name + "' (ZXAPDEF.H van " +
           date + ")";
}

bool ElementCheck::known(const ControllerRecord& record) const {
    const monitor::ElementRoles roles = monitor::elementRoles(record.functionCode);
    using monitor::ElementKind;
    if (roles.first != ElementKind::None && m_names.elementName(roles.first, record.index).empty())
        return false;
    return roles.second == ElementKind::None ||
           !m_names.elementName(roles.second, record.secondIndex).empty();
}

void ElementCheck::deliver(const ControllerRecord& record) {
    if (!known(record) && m_unknown++ == 0)
        m_first = record;
    m_next.deliver(record);
}

std::optional<std::string> ElementCheck::report() const {
    if (m_unknown == 0)
        return std::nullopt;
    std::string macro = m_names.macroName(m_first.functionCode);
    if (macro.empty())
        macro = "code " + std::to_string(m_first.functionCode);
    return std::to_string(m_unknown) +
           " ontvangen frames noemen een element dat ZXAPDEF.H niet kent (het eerste: " + macro +
           " " + m_names.indexText(m_first.functionCode, false, m_first.index) + ")";
}

}  // namespace veltro::capture
