// Any bytes as a parameter backup: what reads is written back to the same
// text it reads as, and every row matched to a project is one of its
// parameters.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/veltro/tool_tables.h"
#include "veltro/tools/backup_file.h"
#include "veltro/tools/backup_rows.h"

namespace {

bool sameRows(const veltro::tools::Backup& a, const veltro::tools::Backup& b) {
    if (a.rows.size() != b.rows.size())
        return false;
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        const auto& x = a.rows[i];
        const auto& y = b.rows[i];
        if (x.category != y.category || x.parameter != y.parameter || x.element != y.element ||
            x.toElement != y.toElement || x.raw != y.raw)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const veltro::tools::BackupReading reading = veltro::tools::parseBackup(bytes);
    if (!reading.backup)
        return 0;
    const std::string text = veltro::tools::formatBackup(*reading.backup);
    const veltro::tools::BackupReading again = veltro::tools::parseBackup(text);
    if (!again.backup || !sameRows(*reading.backup, *again.backup) ||
        veltro::tools::formatBackup(*again.backup) != text)
        __builtin_trap();
    static auto tables = test_support::sampleTables();
    const veltro::tools::RestorePlan plan = veltro::tools::planRestore(*reading.backup, *tables);
    if (plan.items.size() + plan.missing.size() + static_cast<std::size_t>(plan.unanswered) !=
        reading.backup->rows.size())
        __builtin_trap();
    return 0;
}
