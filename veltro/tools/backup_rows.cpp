#include "veltro/tools/backup_rows.h"

#include <map>
#include <tuple>

#include "veltro/tools/value_conversion.h"

namespace veltro::tools {

namespace {

using RowKey = std::tuple<std::string, std::string, std::string, std::string>;

RowKey keyOf(const BackupRow& row) {
    return {row.category, row.parameter, row.element, row.toElement};
}

std::string describe(const BackupRow& row) {
    std::string text = row.parameter + " of " + row.element;
    if (!row.toElement.empty())
        text += " to " + row.toElement;
    return text;
}

}  // namespace

std::string parameterMacro(const ParameterRef& p) {
    switch (p.category) {
        case Category::Ontruimingstijden:
            return "inst_O_TIJD";
        case Category::VgTijden:
            return "inst_VG_TIJD";
        case Category::GlTijden:
            return "inst_GL_TIJD";
        case Category::MgTijden:
            return p.part == 0 ? "inst_MG_TIJD" : "inst_MG_TIJD" + std::to_string(p.part);
        case Category::Hiaattijden:
            return p.part == 0 ? "inst_H_TIJD1" : p.part == 1 ? "inst_H_TIJD2" : "inst_B_TIJD";
        case Category::Tijden:
            return "inst_TIJD";
        case Category::Klokken:
            return p.part == 0 ? "inst_1e_KL" : "inst_2e_KL";
        case Category::Schakelaars:
            return "SCH";
        case Category::Eggparm:
            return "inst_EGGPARM";
        case Category::Eparm:
            break;
    }
    return "inst_EPARM";
}

BackupRow backupRow(const ParameterRef& p, std::optional<std::int32_t> raw) {
    return {std::string(categoryTexts(p.category).word), parameterMacro(p), std::string(p.name),
            std::string(p.toName), raw};
}

RestorePlan planRestore(const Backup& backup, ElementTables& tables) {
    // The first parameter of each name wins, as the intake's first entry does.
    std::map<RowKey, ParameterRef> known;
    for (Category c : kAllCategories) {
        for (const ParameterRef& p : sendOrder(c, tables))
            known.emplace(keyOf(backupRow(p, std::nullopt)), p);
    }
    RestorePlan plan;
    for (const BackupRow& row : backup.rows) {
        const auto found = known.find(keyOf(row));
        if (found == known.end()) {
            plan.missing.push_back(row.category + ": " + describe(row));
            continue;
        }
        if (!row.raw) {
            ++plan.unanswered;
            continue;
        }
        RestoreItem item{found->second, *row.raw};
        item.ref.integerSource = *row.raw;
        item.ref.source = static_cast<double>(*row.raw) / scaleOf(item.ref.category);
        plan.items.push_back(item);
    }
    return plan;
}

}  // namespace veltro::tools
