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

/* declaratie arraynummers voor blokken */
#define B1                0
#define B2                1
#define B3                2
#define NUMBK             3

/* declaratie arraynummers voor signaalgroepen */
#define SG02              0
#define SG03              1
#define SG05              2
#define SG08              3
#define SG09              4
#define SG11              5
#define SG22              6
#define SG24              7
#define SG28              8
#define SG31              9
#define SG34             10
#define SG38             11
#define NUMSG            12

/* declaratie arraynummers voor detectoren */
#define SG02_1            0   /* koplus */
#define SG02_2            1   /* lange lus */
#define SG02_3            2   /* verweglus */
#define SG03_1            3   /* koplus */
#define SG03_2            4   /* verweglus */
#define SG05_1            5   /* koplus */
#define SG05_2            6   /* lange lus */
#define SG05_3            7   /* verweglus */
#define SG08_1            8   /* koplus */
#define SG08_2            9   /* lange lus */
#define SG08_3           10   /* verweglus */
#define SG09_1           11   /* koplus */
#define SG09_2           12   /* verweglus */
#define SG11_1           13   /* koplus */
#define SG11_2           14   /* lange lus */
#define SG11_3           15   /* verweglus */
#define SG22_1           16   /* aanvraaglus fiets */
#define SG22_2           17   /* verweglus fiets */
#define SG22_3           18   /* drukknop fiets */
#define SG24_1           19   /* aanvraaglus fiets */
#define SG24_2           20   /* verweglus fiets */
#define SG24_3           21   /* drukknop fiets */
#define SG28_1           22   /* aanvraaglus fiets */
#define SG28_2           23   /* verweglus fiets rechts */
#define SG28_3           24   /* verweglus fiets links */
#define SG28_4           25   /* drukknop fiets */
#define SG31_1           26   /* drukknop noordzijde */
#define SG31_2           27   /* drukknop zuidzijde */
#define SG34_1           28   /* drukknop noordzijde */
#define SG34_2           29   /* drukknop zuidzijde */
#define SG38_1           30   /* drukknop westzijde */
#define SG38_2           31   /* drukknop oostzijde */
#define NUMD             32

