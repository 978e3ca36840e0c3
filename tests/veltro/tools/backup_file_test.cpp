#include "veltro/tools/backup_file.h"

#include <gtest/gtest.h>

namespace veltro::tools {
namespace {

const std::string kHead =
    "veltro parameterbackup 1\nproject;kruispunt;2026-12-08 19:56:53\n"
    "categorie;parameter;element;naar;ruw;waarde;antwoord\n";

TEST(BackupFile, ValuesInTheSourcesUnitAreExact) {
    const struct {
        std::int32_t raw;
        int scale;
        const char* text;
    } cases[] = {
        {45, 10, "4.5"},
        {-5, 10, "-0.5"},
        {0, 10, "0.0"},
        {730, 100, "7.30"},
        {5, 100, "0.05"},
        {-105, 100, "-1.05"},
        {7, 1, "7"},
        {-3, 1, "-3"},
        {2147483647, 10, "214748364.7"},
        {-2147483647 - 1, 100, "-21474836.48"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(inSourceUnit(c.raw, c.scale), c.text) << c.raw << " / " << c.scale;
}

TEST(BackupFile, WhatIsWrittenReadsBackTheSame) {
    Backup b;
    b.origin = {"kruis;punt", "2026-12-08 19:56:53"};
    b.rows = {{"Ontruimingstijden", "inst_O_TIJD", "SG05", "SG02", 20},
              {"Klokken", "inst_1e_KL", "KL_OCHTEND", "", 745},
              {"Schakelaars", "SCH", "SCH_A", "", -1},
              {"Tijden", "inst_TIJD", "T_MAX", "", std::nullopt}};
    const std::string text = formatBackup(b);
    EXPECT_EQ(text,
              "veltro parameterbackup 1\nproject;kruis_punt;2026-12-08 19:56:53\n"
              "categorie;parameter;element;naar;ruw;waarde;antwoord\n"
              "Ontruimingstijden;inst_O_TIJD;SG05;SG02;20;2.0;ja\n"
              "Klokken;inst_1e_KL;KL_OCHTEND;;745;7.45;ja\n"
              "Schakelaars;SCH;SCH_A;;-1;-1;ja\n"
              "Tijden;inst_TIJD;T_MAX;;;;nee\n");
    const BackupReading r = parseBackup(text);
    ASSERT_TRUE(r.backup) << r.error;
    EXPECT_EQ(r.backup->origin.project, "kruis_punt");
    ASSERT_EQ(r.backup->rows.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const BackupRow& got = r.backup->rows[i];
        const BackupRow& want = b.rows[i];
        EXPECT_EQ(std::tie(got.category, got.parameter, got.element, got.toElement, got.raw),
                  std::tie(want.category, want.parameter, want.element, want.toElement, want.raw));
    }
}

TEST(BackupFile, HandEditsThatStillSayOneValueAreRead) {
    const BackupReading r = parseBackup(kHead +
                                        "# a comment\r\n\r\n"
                                        "VG-tijden;inst_VG_TIJD;SG02;;45;4.50;ja\r\n"
                                        "Klokken;inst_2e_KL;KL_AVOND;;930;9.3;ja");
    ASSERT_TRUE(r.backup) << r.line << ": " << r.error;
    ASSERT_EQ(r.backup->rows.size(), 2u);
    EXPECT_EQ(r.backup->rows[0].raw, 45);
    EXPECT_EQ(r.backup->rows[1].raw, 930);
}

TEST(BackupFile, DamageIsToldWithItsLine) {
    const struct {
        std::string text;
        int line;
        const char* error;
    } cases[] = {
        {"", 0, "empty"},
        {"veltro parameterbackup 2\n", 1, "version '2' is not known"},
        {"categorie;parameter\n", 1, "not a veltro parameter backup"},
        {"veltro parameterbackup 1\n", 1, "ends in its heading"},
        {"veltro parameterbackup 1\nkruispunt\n", 2, "project line"},
        {"veltro parameterbackup 1\nproject;a;b\ncategorie;ruw\n", 3, "column line"},
        {kHead + "VG-tijden;inst_VG_TIJD;SG02;;45;4.5\n", 4, "this one 6"},
        {kHead + "VG-tijden;inst_VG_TIJD;SG02;;45;4.5;ja;x\n", 4, "this one 8"},
        {kHead + "Groen;inst_VG_TIJD;SG02;;45;4.5;ja\n", 4, "unknown category 'Groen'"},
        {kHead + "VG-tijden;;SG02;;45;4.5;ja\n", 4, "missing"},
        {kHead + "VG-tijden;inst_VG_TIJD;;;45;4.5;ja\n", 4, "missing"},
        {kHead + "Ontruimingstijden;inst_O_TIJD;SG02;;45;4.5;ja\n", 4, "to-signal-group"},
        {kHead + "VG-tijden;inst_VG_TIJD;SG02;SG05;45;4.5;ja\n", 4, "only a clearance"},
        {kHead + "VG-tijden;inst_VG_TIJD;SG02;;45;4.5;nee\n", 4, "no value"},
        {kHead + "VG-tijden;inst_VG_TIJD;SG02;;45;4.5;misschien\n", 4, "\"ja\" or \"nee\""},
        {kHead + "VG-tijden;inst_VG_TIJD;SG02;;4.5;4.5;ja\n", 4, "not a whole number"},
        {kHead + "VG-tijden;inst_VG_TIJD;SG02;;99999999999;4.5;ja\n", 4, "not a whole number"},
        {kHead + "VG-tijden;inst_VG_TIJD;SG02;;45;4.6;ja\n", 4, "not the same value"},
        {kHead + "VG-tijden;inst_VG_TIJD;SG02;;45;;ja\n", 4, "not the same value"},
        {kHead + "\nVG-tijden;inst_VG_TIJD;SG02;;45;4.5;ja\nx\n", 6, "this one 1"},
    };
    for (const auto& c : cases) {
        const BackupReading r = parseBackup(c.text);
        EXPECT_FALSE(r.backup) << c.text;
        EXPECT_EQ(r.line, c.line) << c.text;
        EXPECT_NE(r.error.find(c.error), std::string::npos) << c.text << " -> " << r.error;
    }
}

}  // namespace
}  // namespace veltro::tools
