/*
 * ZXAPDEF.H
 *
 * Applicatie   : kruispunt Dorpsweg - Molenlaan, Veldwijk (voorbeeld)
 * Regelaar     : 214
 * Omschrijving : arraynummers van alle elementen van de regeling
 * Versie       : 1.3, 7 december 2026
 *
 * Afspraak: na het woord define precies een spatie, nergens TAB's.
 */

/* declaratie arraynummers voor tijden */
#define T_VOORSTART22     0
#define T_VOORSTART24     1
#define T_VOORSTART28     2
#define T_NALOOP31        3
#define T_NALOOP34        4
#define T_NALOOP38        5
#define T_MEEAANVR05      6
#define T_DRUKKNOP        7
#define T_KOPLUSVERL      8
#define T_BLOKWISSEL      9
#define T_OV_PRIO        10
#define T_STORING        11
#define T_HERSTART       12
#define NUMT             13

/* declaratie arraynummers voor klokken */
#define KL_OCHTEND        0
#define KL_DAL            1
#define KL_AVOND          2
#define KL_NACHT          3
#define KL_KNIPPER        4
#define NUMKL             5

/* declaratie arraynummers voor schakelaars */
#define SCH_WACHTGROEN    0
#define SCH_MEEVERLENG    1
#define SCH_ALTREAL       2
#define SCH_VOORSTART     3
#define SCH_DKAANVRAAG    4
#define SCH_OV_PRIO       5
#define SCH_KNIPPER       6
#define SCH_DETFOUT       7
#define SCH_RGA           8
#define NUMSCH            9

/* declaratie arraynummers voor hulpfuncties */
#define HF_KOPIN_VRIJ     0
#define HF_KOPIN_SYNC     1
#define HF_KOPUIT_GR02    2
#define HF_KOPUIT_SYNC    3
#define HF_RGA02          4
#define HF_RGA08          5
#define HF_RGA22          6
#define HF_RGA24          7
#define HF_RGA28          8
#define HF_MEEAANVR05     9
#define HF_WACHTGROEN    10
#define HF_OV_PRIO       11
#define NUMHF            12

/* declaratie arraynummers voor tellers */
#define TL_CYCLUS         0
#define TL_DETFOUT        1
#define TL_AANVR31        2
#define TL_AANVR38        3
#define TL_OV_PRIO        4
#define TL_HERSTART       5
#define NUMTL             6

/* declaratie arraynummers voor extra parameters */
#define EP_MAXWACHT02     0
#define EP_MAXWACHT05     1
#define EP_MAXWACHT08     2
#define EP_MAXWACHT11     3
#define EP_MAXWACHT22     4
#define EP_MAXWACHT31     5
#define EP_CYCLUSTIJD     6
#define EP_KOPLUSFACT     7
#define EP_OV_NAVERL      8
#define EP_OV_VOORUIT     9
#define EP_GROENFACT     10
#define EP_STORHERST     11
#define NUMEP            12

/* declaratie arraynummers voor extra geheel getal parameters */
#define EGGP_PRIO05       0
#define EGGP_PRIO11       1
#define EGGP_MAXOV        2
#define EGGP_KOPNR        3
#define EGGP_CYCLMAX      4
#define EGGP_DETFOUTMAX   5
#define EGGP_PRGKEUZE     6
#define NUMEGGP           7

/* declaratie arraynummers voor overige ingangssignalen */
#define IS_HANDBED        0
#define IS_KASTDEUR       1
#define IS_BRANDWEER      2
#define IS_NETSPANNING    3
#ifdef pc_omgeving
#define IS_SIMULATIE      4   /* start simulatie vanaf pc */
#else
#define IS_RESERVE        4
#endif
#define NUM_OVI           5

/* declaratie arraynummers voor overige uitgangssignalen */
#define US_STORING        0
#define US_BEDRIJF        1
#define US_WACHT22        2
#define US_KNIPPER        3
#define NUM_OVU           4

/* aantal regelprogramma's */
#define NUMREG            4

/* afmeting van de arrays voor overige elementen */
#define NUMOV            40
