#include "veltro/tools/acceptance_journal.h"

#include <set>

#include "veltro/tools/backup_rows.h"

namespace veltro::tools {

std::string journalPath(std::string_view projectDirectory) {
    std::string path(projectDirectory);
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    return path + std::string(kJournalFileName);
}

AcceptanceJournal::AcceptanceJournal(TextFiles& files, std::string path, BackupOrigin origin)
    : m_files(files), m_path(std::move(path)), m_origin(std::move(origin)) {}

AcceptanceJournal::Key AcceptanceJournal::keyOf(const BackupRow& row) {
    return {row.category, row.parameter, row.element, row.toElement};
}

std::optional<AcceptanceJournal::LeftBehind> AcceptanceJournal::leftBehind() {
    const std::optional<std::string> text = m_files.read(m_path);
    m_blocked = false;
    if (!text)
        return std::nullopt;
    BackupReading reading = parseBackup(*text);
    m_blocked = !reading.backup;
    if (!reading.backup)
        return LeftBehind{std::nullopt,
                          m_path + ":" + std::to_string(reading.line) + ": " + reading.error};
    return LeftBehind{std::move(reading.backup), {}};
}

void AcceptanceJournal::adopt(const Backup& earlier) {
    for (const BackupRow& row : earlier.rows) {
        const auto [at, added] = m_index.emplace(keyOf(row), m_rows.size());
        if (added)
            m_rows.push_back({row, nullptr});
        else if (!m_rows[at->second].row.raw)
            m_rows[at->second] = {row, nullptr};
    }
}

bool AcceptanceJournal::fillReported() {
    bool filled = false;
    for (Row& r : m_rows) {
        if (!r.row.raw && r.value && r.value->received()) {
            r.row.raw = r.value->value();
            filled = true;
        }
    }
    return filled;
}

bool AcceptanceJournal::keep(const ParameterRef& p) {
    if (m_blocked)
        return false;
    BackupRow row = backupRow(p, std::nullopt);
    const auto [at, added] = m_index.emplace(keyOf(row), m_rows.size());
    if (added) {
        if (p.value->received())
            row.raw = p.value->value();
        m_rows.push_back({std::move(row), p.value});
    }
    const bool filled = fillReported();
    return (added || filled) ? save() : true;
}

bool AcceptanceJournal::refresh() {
    if (m_blocked)
        return false;
    return fillReported() ? save() : true;
}

std::optional<std::int32_t> AcceptanceJournal::originalOf(const ParameterRef& p) const {
    const auto at = m_index.find(keyOf(backupRow(p, std::nullopt)));
    if (at == m_index.end())
        return std::nullopt;
    return m_rows[at->second].row.raw;
}

Backup AcceptanceJournal::remainder(const std::vector<BackupRow>& visited) const {
    std::set<Key> seen;
    for (const BackupRow& row : visited)
        seen.insert(keyOf(row));
    Backup rest;
    rest.origin = m_origin;
    for (const Row& r : m_rows) {
        if (r.row.raw && !seen.count(keyOf(r.row)))
            rest.rows.push_back(r.row);
    }
    return rest;
}

Backup AcceptanceJournal::contents() const {
    Backup backup;
    backup.origin = m_origin;
    for (const Row& r : m_rows)
        backup.rows.push_back(r.row);
    return backup;
}

bool AcceptanceJournal::save() {
    std::unique_ptr<TextFile> file = m_files.replaceWhole(m_path);
    if (!file)
        return false;
    file->write(formatBackup(contents()));
    return file->close();
}

bool AcceptanceJournal::retire() {
    if (!m_files.remove(m_path))
        return false;
    m_rows.clear();
    m_index.clear();
    return true;
}

}  // namespace veltro::tools
