/*
 * ZXAPTAB.C
 *
 * Applicatie   : kruispunt Dorpsweg - Molenlaan, Veldwijk (voorbeeld)
 * Omschrijving : begininstellingen van de regeling
 * Versie       : 1.3, 7 december 2026
 *
 * Tijden in seconden, klokmomenten als uu.mm.
 * NG: instelling niet gebruikt.
 */

#include "tiral.h"
#include "zxapdef.h"


/* algemene gegevens van de regeling */
struct REGELINGSTRUCT regeling = {
   "Dorpsweg - Molenlaan",        /* naam kruispunt */
   214,                           /* regelaarnummer */
   NUMSG, NUMD, NUMBK,
   90                             /* maximale cyclustijd */
};


/* conflicten met (garantie)ontruimingstijden */
struct conflict CONFLICT_tabel[] = {
/*   van     naar    gont   ont */
   SG02,   SG05,    1.5,  2.5,
   SG02,   SG09,    1.5,  2.5,
   SG02,   SG11,    2.5,  3.5,
   SG02,   SG28,    1.0,  2.0,
   SG02,   SG38,    0.0,  1.0,
   SG03,   SG05,    1.0,  2.0,
   SG03,   SG08,    1.5,  2.5,
   SG03,   SG11,    2.0,  3.0,
   SG03,   SG24,    0.5,  1.5,
   SG03,   SG34,    1.5,  2.5,
   SG05,   SG02,    1.5,  2.5,
   SG05,   SG03,    1.0,  2.0,
   SG05,   SG08,    2.5,  3.5,
   SG05,   SG09,    2.0,  3.0,
   SG05,   SG22,    0.5,  1.5,
   SG05,   SG24,    1.5,  2.5,
   SG05,   SG28,    1.5,  2.5,
   SG05,   SG31,    0.0,  1.0,
   SG05,   SG34,    0.5,  1.5,
   SG05,   SG38,    0.5,  1.5,
   SG08,   SG03,    1.5,  2.5,
   SG08,   SG05,    2.5,  3.5,
   SG08,   SG11,    1.5,  2.5,
   SG08,   SG28,    0.0,  1.0,
   SG08,   SG38,    1.0,  2.0,
   SG09,   SG02,    1.5,  2.5,
   SG09,   SG05,    2.0,  3.0,
   SG09,   SG11,    1.0,  2.0,
   SG09,   SG22,    0.5,  1.5,
   SG09,   SG31,    0.0,  1.0,
   SG11,   SG02,    2.5,  3.5,
   SG11,   SG03,    2.0,  3.0,
   SG11,   SG08,    1.5,  2.5,
   SG11,   SG09,    1.0,  2.0,
   SG11,   SG22,    1.5,  2.5,
   SG11,   SG24,    0.5,  1.5,
   SG11,   SG31,    1.0,  2.0,
   SG11,   SG34,    1.5,  2.5,
   SG22,   SG05,    2.0,  3.5,
   SG22,   SG09,    2.0,  3.5,
   SG22,   SG11,    3.0,  4.5,
   SG24,   SG03,    2.0,  3.5,
   SG24,   SG05,    3.0,  4.5,
   SG24,   SG11,    2.0,  3.5,
   SG28,   SG02,    2.5,  4.0,
   SG28,   SG05,    3.0,  4.5,
   SG28,   SG08,    1.5,  3.0,
   SG31,   SG05,    4.5,  6.0,
   SG31,   SG09,    4.5,  6.0,
   SG31,   SG11,    5.5,  7.0,
   SG34,   SG03,    6.0,  7.5,
   SG34,   SG05,    5.0,  6.5,
   SG34,   SG11,    6.0,  7.5,
   SG38,   SG02,    4.5,  6.0,
   SG38,   SG05,    5.0,  6.5,
   SG38,   SG08,    5.5,  7.0,
   STOP
};

/* signaalgroeptijden */
struct sg_tijden SG_TIJDEN_tabel[] = {
/*   sg      gg    vg    ggl   gl    gr */
   SG02,    4.0,  6.0,  3.0,  3.5,  1.0,
   SG03,    4.0,  5.0,  3.0,  3.0,  1.0,
   SG05,    4.0,  6.0,  3.0,  3.5,  1.0,
   SG08,    4.0,  6.0,  3.0,  3.5,  1.0,
   SG09,    4.0,  5.0,  3.0,  3.0,  1.0,
   SG11,    4.0,  6.0,  3.0,  3.5,  1.0,
   SG22,    5.0,  6.0,  2.0,  3.0,  1.0,
   SG24,    5.0,  6.0,  2.0,  3.0,  1.0,
   SG28,    5.0,  6.0,  2.0,  3.0,  1.0,
   SG31,    5.0,  7.0,  0.0,  0.0,  1.0,
   SG34,    5.0,  7.0,  0.0,  0.0,  1.0,
   SG38,    5.0,  7.0,  0.0,  0.0,  1.0,
   STOP
};

/* maximumgroentijden: actief, ochtendspits, dal, avondspits */
struct mg_tijden MG_TIJDEN_tabel[] = {
/*   sg      mg    mg1   mg2   mg3 */
   SG02,   30.0, 25.0, 35.0, 20.0,
   SG03,   15.0, 12.0, 18.0, 10.0,
   SG05,   25.0, 20.0, 25.0, 30.0,
   SG08,   30.0, 30.0, 30.0, 20.0,
   SG09,   15.0, 15.0, 12.0, 10.0,
   SG11,   25.0, 25.0, 20.0, 30.0,
   SG22,   15.0, 12.0, 15.0,   NG,
   SG24,   12.0, 10.0, 12.0,   NG,
   SG28,   15.0, 12.0, 18.0,   NG,
   SG31,    7.0,  7.0,   NG,   NG,
   SG34,    7.0,  7.0,   NG,   NG,
   SG38,    7.0,  7.0,   NG,   NG,
   STOP
};

/* extra maximumgroentijden: nacht, zaterdag, zondag */
struct e_mg_tijden E_MG_TIJDEN_tabel[] = {
/*   sg      mg4   mg5   mg6 */
   SG02,   20.0, 30.0, 25.0,
   SG03,   10.0, 15.0, 12.0,
   SG05,   20.0, 25.0,   NG,
   SG08,   20.0, 30.0, 25.0,
   SG09,   10.0, 12.0,   NG,
   SG11,   20.0, 25.0,   NG,
   SG22,   10.0, 15.0, 15.0,
   SG28,   10.0,   NG,   NG,
   STOP
};

/* extra maximumgroentijden 2e: evenement, omleiding, vakantie */
struct e2_mg_tijden E2_MG_TIJDEN_tabel[] = {
/*   sg      mg7   mg8   mg9 */
   SG02,   45.0,   NG, 25.0,
   SG05,     NG, 40.0, 20.0,
   SG08,   45.0,   NG, 25.0,
   SG11,     NG, 40.0, 20.0,
   STOP
};

/* extra maximumgroentijden 3e: reserve */
struct e3_mg_tijden E3_MG_TIJDEN_tabel[] = {
/*   sg      mg10  mg11  mg12 */
   SG02,   35.0,   NG,   NG,
   SG08,   35.0,   NG,   NG,
   STOP
};

/* detectie; type DS koplus, DP lange lus, DV verweglus, DA aanvraaglus,
   DK drukknop */
struct sg_detectie SG_DETECTIE_tabel[] = {
/*   det      sg      type  bzt   hi1   hi2  aanvraag bij storing */
   SG02_1,  SG02,   DS,    1.0,  1.5,   NG, AAN,
   SG02_2,  SG02,   DP,    2.0,  2.5,  1.5, UIT,
   SG02_3,  SG02,   DV,     NG,  3.0,  2.0, UIT,
   SG03_1,  SG03,   DS,    1.0,  1.5,   NG, AAN,
   SG03_2,  SG03,   DV,     NG,  3.0,  2.0, UIT,
   SG05_1,  SG05,   DS,    1.0,  1.5,   NG, AAN,
   SG05_2,  SG05,   DP,    2.0,  2.5,  1.5, UIT,
   SG05_3,  SG05,   DV,     NG,  3.0,  2.0, UIT,
   SG08_1,  SG08,   DS,    1.0,  1.5,   NG, AAN,
   SG08_2,  SG08,   DP,    2.0,  2.5,  1.5, UIT,
   SG08_3,  SG08,   DV,     NG,  3.0,  2.0, UIT,
   SG09_1,  SG09,   DS,    1.0,  1.5,   NG, AAN,
   SG09_2,  SG09,   DV,     NG,  3.0,  2.0, UIT,
   SG11_1,  SG11,   DS,    1.0,  1.5,   NG, AAN,
   SG11_2,  SG11,   DP,    2.0,  2.5,  1.5, UIT,
   SG11_3,  SG11,   DV,     NG,  3.0,  2.0, UIT,
   SG22_1,  SG22,   DA,    1.0,  2.0,   NG, AAN,
   SG22_2,  SG22,   DV,     NG,  3.0,  2.0, UIT,
   SG22_3,  SG22,   DK,     NG,   NG,   NG, AAN,
   SG24_1,  SG24,   DA,    1.0,  2.0,   NG, AAN,
   SG24_2,  SG24,   DV,     NG,  3.0,  2.0, UIT,
   SG24_3,  SG24,   DK,     NG,   NG,   NG, AAN,
   SG28_1,  SG28,   DA,    1.0,  2.0,   NG, AAN,
   SG28_2,  SG28,   DV,     NG,  3.0,  2.0, UIT,
   SG28_3,  SG28,   DV,     NG,  3.5,  2.0, UIT,
   SG28_4,  SG28,   DK,     NG,   NG,   NG, AAN,
   SG31_1,  SG31,   DK,     NG,   NG,   NG, AAN,
   SG31_2,  SG31,   DK,     NG,   NG,   NG, AAN,
   SG34_1,  SG34,   DK,     NG,   NG,   NG, AAN,
   SG34_2,  SG34,   DK,     NG,   NG,   NG, AAN,
   SG38_1,  SG38,   DK,     NG,   NG,   NG, AAN,
   SG38_2,  SG38,   DK,     NG,   NG,   NG, AAN,
   STOP
};

/* overige tijden */
struct tijden TIJDEN_tabel[] = {
   T_VOORSTART22,     3.0,
   T_VOORSTART24,     3.0,
   T_VOORSTART28,     2.5,
   T_NALOOP31,        5.0,
   T_NALOOP34,        5.0,
   T_NALOOP38,        4.0,
   T_MEEAANVR05,      1.5,
   T_DRUKKNOP,        0.5,
   T_KOPLUSVERL,      1.0,
   T_BLOKWISSEL,      2.0,
   T_OV_PRIO,        20.0,
   T_STORING,       300.0,
   T_HERSTART,        5.0,
   STOP
};

/* klokperioden: begin, einde */
struct klokken KLOKKEN_tabel[] = {
   KL_OCHTEND,   7.00,  9.30,
   KL_DAL,       9.30, 15.30,
   KL_AVOND,    15.30, 18.30,
   KL_NACHT,    22.00,  6.00,
   KL_KNIPPER,   1.00,  5.00,
   STOP
};

/* schakelaars */
struct schakelaar SCHAKELAAR_tabel[] = {
   SCH_WACHTGROEN,  UIT,
   SCH_MEEVERLENG,  AAN,
   SCH_ALTREAL,     AAN,
   SCH_VOORSTART,   AAN,
   SCH_DKAANVRAAG,  AAN,
   SCH_OV_PRIO,     UIT,
   SCH_KNIPPER,     UIT,
   SCH_DETFOUT,     AAN,
   SCH_RGA,         AAN,
   STOP
};

/* blokindeling: blok, signaalgroep, primair of alternatief */
struct blok BLOKKEN_tabel[] = {
   B1,  SG02,  PRIM,
   B1,  SG08,  PRIM,
   B1,  SG22,  PRIM,
   B1,  SG31,  PRIM,
   B1,  SG24,  PRIM,
   B1,  SG34,  PRIM,
   B2,  SG03,  PRIM,
   B2,  SG09,  PRIM,
   B2,  SG28,  PRIM,
   B2,  SG38,  PRIM,
   B2,  SG22,  ALT,
   B2,  SG31,  ALT,
   B2,  SG24,  ALT,
   B2,  SG34,  ALT,
   B3,  SG05,  PRIM,
   B3,  SG11,  PRIM,
   STOP
};

/* koppelsignalen met buurregelaar 215:
   hulpfunctie, richting, kanaal, regelaarnummer */
struct koppel KOPPEL_tabel[] = {
   HF_KOPIN_VRIJ,   INKOMEND,  1, 215,
   HF_KOPIN_SYNC,   INKOMEND,  2, 215,
   HF_KOPUIT_GR02,  UITGAAND,  1, 215,
   HF_KOPUIT_SYNC,  UITGAAND,  2, 215,
   STOP
};

/* richtinggevoelige aanvragen: eerste en tweede detector, maximale tijd
   ertussen, signaalgroep, paarnummer, aanvraag onthouden */
struct sg_rga SG_RGA_tabel[] = {
   SG02_3,  SG02_2,  3.0, SG02,  1, AAN,
   SG08_3,  SG08_2,  3.0, SG08,  1, AAN,
   SG22_2,  SG22_1,  2.5, SG22,  1, AAN,
   SG24_2,  SG24_1,  2.5, SG24,  1, AAN,
   SG28_2,  SG28_1,  2.5, SG28,  1, AAN,
   SG28_3,  SG28_1,  3.5, SG28,  2, UIT,
   STOP
};

/* regelprogramma's */
int REGELING_tabel[] = {
   1,     /* ochtendspits */
   2,     /* dal */
   3,     /* avondspits */
   4,     /* nacht */
   STOP
};

/* extra geheel getal parameters */
struct eggparm EGGPARMS_tabel[] = {
   EGGP_PRIO05,        2,
   EGGP_PRIO11,        2,
   EGGP_MAXOV,         3,
   EGGP_KOPNR,       215,
   EGGP_CYCLMAX,       5,
   EGGP_DETFOUTMAX,    3,
   EGGP_PRGKEUZE,      0,
   STOP
};

/* extra parameters: naam en waarde, meerdere paren per regel */
struct eparm EPARMS_tabel[] = {
   EP_MAXWACHT02, 120.0, EP_MAXWACHT05, 120.0, EP_MAXWACHT08, 120.0,
   EP_MAXWACHT11, 120.0, EP_MAXWACHT22, 90.0, EP_MAXWACHT31, 90.0,
   EP_CYCLUSTIJD, 90.0, EP_KOPLUSFACT, 1.5, EP_OV_NAVERL, 6.0,
   EP_OV_VOORUIT, 3.0, EP_GROENFACT, 0.8,
   EP_STORHERST, 10.0,
   STOP
};
