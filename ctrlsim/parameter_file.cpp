#include "ctrlsim/parameter_file.h"

#include <fstream>
#include <sstream>

#include "ctrlsim/parameter_overrides.h"
#include "veltro/tools/backup_origin.h"
#include "veltro/tools/backup_rows.h"

namespace ctrlsim {

namespace {

std::string nameOf(const veltro::tools::BackupRow& row) {
    std::string name = row.parameter + ":" + row.element;
    if (!row.toElement.empty())
        name += ":" + row.toElement;
    return name;
}

}  // namespace

std::optional<std::string> applyParameterFile(const std::string& path,
                                              const veltro::DefinitionTable& table,
                                              SimModel& model) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "--set-file: " + path + " cannot be read";
    std::ostringstream text;
    text << in.rdbuf();
    const veltro::tools::BackupReading reading = veltro::tools::parseBackup(text.str());
    if (!reading.backup)
        return "--set-file: " + path + ":" + std::to_string(reading.line) + ": " + reading.error;
    for (const veltro::tools::BackupRow& row : reading.backup->rows) {
        if (!row.raw)
            continue;
        const ResolvedName r = resolveParameterName(nameOf(row), table);
        if (!r.key)
            return "--set-file: " + path + ": " + r.error;
        model.setValue(*r.key, *row.raw);
    }
    return std::nullopt;
}

veltro::tools::Backup parameterDump(const SimModel& model, veltro::ElementTables& tables,
                                    const std::string& directory) {
    using namespace veltro::tools;
    Backup dump;
    dump.origin = backupOrigin(directory);
    for (Category c : kAllCategories) {
        for (const ParameterRef& p : sendOrder(c, tables)) {
            if (p.name.empty() || (c == Category::Ontruimingstijden && p.toName.empty()))
                continue;
            const ObjectKey key{p.record.functionCode, p.record.index, p.record.secondIndex};
            dump.rows.push_back(
                backupRow(p, model.has(key) ? std::optional(model.value(key)) : std::nullopt));
        }
    }
    return dump;
}

}  // namespace ctrlsim
