#include "pendrel/generator/categories.h"

#include "pendrel/generator/writers.h"

namespace pendrel {
namespace {

using D = const ProjectData&;

bool groups(D d) {
    return d.hasSignalGroups();
}
bool groupsAndBlocks(D d) {
    return d.hasSignalGroups() && d.blocksPresent();
}
bool groupsUsableWithBlocks(D d) {
    return d.hasSignalGroups() && (d.noBlocks || d.has(Table::Blokken));
}
bool groupTimes(D d) {
    return d.has(Table::SgTijden) && d.has(Table::MgTijden);
}
bool maxGreen(D d) {
    return d.has(Table::MgTijden);
}
bool extraMaxGreen(D d) {
    return d.has(Table::E2MgTijden) || d.has(Table::E3MgTijden);
}
bool times(D d) {
    return d.has(Table::Tijden);
}
bool switches(D d) {
    return d.has(Table::Schakelaar);
}
bool always(D) {
    return true;
}
bool extraParameters(D d) {
    return d.has(Table::Eparms) && d.extraParameterCount > 0;
}
bool auxiliary(D d) {
    return !d.auxiliaryFunctions.empty();
}
bool counters(D d) {
    return !d.counters.empty();
}
bool conflicts(D d) {
    return d.has(Table::Conflict);
}
bool detection(D d) {
    return d.has(Table::SgDetectie);
}
bool couplings(D d) {
    return d.has(Table::Koppel);
}
bool otherOptions(D d) {
    return d.blocksPresent() && groupsUsableWithBlocks(d);
}
bool extraIntegers(D d) {
    return d.has(Table::Eggparms) && d.extraIntegerParameterCount > 0;
}
bool programmes(D d) {
    return d.has(Table::Regeling);
}
bool otherInputs(D d) {
    return !d.otherInputs.empty();
}
bool otherOutputs(D d) {
    return !d.otherOutputs.empty();
}

constexpr Category kCategories[] = {
    {1, "SG toestanden", true, "signaalgroeptoestanden", groups, writeSignalGroupStates},
    {2, "Realisatie SG in blokken", false, "realisatie signaalgroepen in blokken", groupsAndBlocks,
     writeBlockRealisation},
    {3, "Realisatie SG", false, "realisatie signaalgroepen", groups, writeRealisation},
    {4, "SG opties", false, "signaalgroepopties", groupsUsableWithBlocks, writeSignalGroupOptions},
    {5, "Instell. tijden SG procedure", true, "instellingen tijden signaalgroepprocedure",
     groupTimes, writeTimeSettings},
    {6, "Tijden SG procedure", false, "tijden signaalgroepprocedure", groupTimes,
     writeRunningTimes},
    {7, "Maximumgroentijden", true, "maximumgroentijden", maxGreen, writeMaxGreen},
    {8, "Extra maximumgroentijden", true, "extra maximumgroentijden", extraMaxGreen,
     writeExtraMaxGreen},
    {9, "Overige tijden", true, "overige tijden", times, writeOtherTimes},
    {10, "Schakelaars", true, "schakelaars", switches, writeSwitches},
    {11, "Klokperioden", true, "klokperioden", always, writeClockPeriods},
    {12, "Extra parameters", true, "extra parameters", extraParameters, writeExtraParameters},
    {13, "Hulpfuncties", false, "hulpfuncties", auxiliary, writeAuxiliaryFunctions},
    {14, "Tellers", false, "tellers", counters, writeCounters},
    {15, "Ontruimingstijden", true, "ontruimingstijden", conflicts, writeClearanceSettings},
    {16, "Lopen ontruimingstijden", false, "lopen van ontruimingstijden", conflicts,
     writeRunningClearance},
    {17, "Detectie (fouten)", true, "detectie (fouten)", detection, writeDetection},
    {18, "Koppelsignalen", true, "koppelsignalen", couplings, writeCouplings},
    {19, "Interne SG toestanden", false, "interne signaalgroeptoestanden", groups,
     writeInternalStates},
    {20, "Var. bij een optie", false, "variabelen behorende bij een optie", groups,
     writeOptionVariables},
    {21, "Var. bij een optie (2)", false, "variabelen behorende bij een optie (2)",
     groupsAndBlocks, writeOptionVariables2},
    {22, "Standaard hulpfuncties", false, "standaard hulpfuncties", groups,
     writeStandardAuxiliary},
    {23, "Overige opties", false, "overige opties", otherOptions, writeOtherOptions},
    {24, "Overige SG opties", false, "overige signaalgroepopties", groupsAndBlocks,
     writeOtherGroupOptions},
    {25, "Extra geheel getal parameters", true, "extra geheel getal parameters", extraIntegers,
     writeExtraIntegerParameters},
    {26, "Regelingstatussen", true, "regelingstatussen", programmes, writeProgrammeStates},
    {27, "Overige ingangssignalen", false, "overige ingangssignalen", otherInputs,
     writeOtherInputs},
    {28, "Overige uitgangssignalen", false, "overige uitgangssignalen", otherOutputs,
     writeOtherOutputs},
};

}  // namespace

std::span<const Category> categories() {
    return kCategories;
}

}  // namespace pendrel
