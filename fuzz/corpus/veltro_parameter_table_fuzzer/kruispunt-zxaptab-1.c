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


