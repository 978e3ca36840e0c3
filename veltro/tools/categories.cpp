#include "veltro/tools/categories.h"

namespace veltro::tools {

namespace {

constexpr std::array<CategoryTexts, kCategoryCount> kTexts{{
    {"Ontruimingstijden", "Ontruimingstijden", "_ONT",
     "Ontruimingstijd Volgnr  SGvan  SGnaar  Instelling\n"},
    {"VG-tijden", "VG tijden", "_VG", "Parameter  SG     Instelling\n"},
    {"GL-tijden", "GL tijden", "_GL", "Parameter  SG     Instelling\n"},
    {"MG-tijden", "MG tijden", "_MG", "MG_tijd     SG       Instelling\n"},
    {"Hiaattijden", "Hiaat- en bezettijden", "_HIAAT", "Hi_Bzttijd  DET      Instelling\n"},
    {"Tijden", "Tijden", "_TIJD", "Parameter  Tijd                  Instelling\n"},
    {"Klokken", "Klokken", "_KLOK", "Parameter  Klok                  Instelling\n"},
    {"Schakelaars", "Schakelaars", "_SCH", "Parameter     Volgnr                Instelling\n"},
    {"EGGPARM", "Extra geheel getal parameters (EGGPARM)", "_EGGPARM",
     "Parameter  EGGPARM               Instelling\n"},
    {"EPARM", "Extra parameters (EPARM)", "_EPARM",
     "Parameter  EPARM                 Instelling\n"},
}};

}  // namespace

const CategoryTexts& categoryTexts(Category c) {
    return kTexts[static_cast<std::size_t>(categoryNumber(c))];
}

bool categoryFromWord(std::string_view word, Category& out) {
    for (Category c : kAllCategories) {
        if (categoryTexts(c).word == word) {
            out = c;
            return true;
        }
    }
    return false;
}

int entryCount(Category c, const ElementTables& t) {
    switch (c) {
        case Category::Ontruimingstijden:
            return t.conflicts.validCount();
        case Category::VgTijden:
        case Category::GlTijden:
        case Category::MgTijden:
            return t.signalGroups.validCount();
        case Category::Hiaattijden:
            return t.detectors.validCount();
        case Category::Tijden:
            return t.times.validCount();
        case Category::Klokken:
            return t.clocks.validCount();
        case Category::Schakelaars:
            return t.switches.validCount();
        case Category::Eggparm:
            return t.intParameters.validCount();
        case Category::Eparm:
            return t.parameters.validCount();
    }
    return 0;
}

int progressUnits(Category c, const ElementTables& t) {
    const int n = entryCount(c, t);
    switch (c) {
        case Category::MgTijden:
            return 13 * n;
        case Category::Hiaattijden:
            return 3 * n;
        case Category::Klokken:
            return 2 * n;
        default:
            return n;
    }
}

int scaleOf(Category c) {
    switch (c) {
        case Category::Klokken:
            return 100;
        case Category::Schakelaars:
        case Category::Eggparm:
            return 1;
        default:
            return 10;
    }
}

}  // namespace veltro::tools
