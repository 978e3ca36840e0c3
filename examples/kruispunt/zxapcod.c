/*
 * zxapcod.c
 *
 * Applicatie   : kruispunt Dorpsweg - Molenlaan, Veldwijk (voorbeeld)
 * Omschrijving : applicatiecode van de regeling, wordt elke ronde door
 *                het raamwerk aangeroepen
 * Versie       : 1.3, 7 december 2026
 */

#include "tiral.h"
#include "zxapdef.h"

#ifdef pc_omgeving
#include "simkop.h"
#include <stdio.h>
#else
#include "tiralhw.h"
#endif

static int rga_paar_actief[NUMSG];


/* vaste aanvraag bij een gestoorde detector, als dat in de tabel staat */
static void detectiestoringen(void)
{
   int d;

   for (d = 0; d < NUMD; d++) {
      if (DFOUT[d] && DET_STORINGSAANVRAAG(d)) {
         A[DET_SG(d)] = 1;
      }
   }
   if (SCH[SCH_DETFOUT] && DFOUT_AANTAL() > EGGPARM[EGGP_DETFOUTMAX]) {
      OVU[US_STORING] = 1;
      TL[TL_DETFOUT]++;
   }
}


/* richtinggevoelige aanvragen: eerst de verweglus, daarna de aanvraaglus */
static void richtinggevoelig(void)
{
   if (!SCH[SCH_RGA]) {
      return;
   }
   HF[HF_RGA02] = RGA_PAAR(SG02, 1);
   HF[HF_RGA08] = RGA_PAAR(SG08, 1);
   HF[HF_RGA22] = RGA_PAAR(SG22, 1);
   HF[HF_RGA24] = RGA_PAAR(SG24, 1);
   HF[HF_RGA28] = RGA_PAAR(SG28, 1) || RGA_PAAR(SG28, 2);

   rga_paar_actief[SG02] = HF[HF_RGA02];
   rga_paar_actief[SG08] = HF[HF_RGA08];
   rga_paar_actief[SG22] = HF[HF_RGA22];
   rga_paar_actief[SG24] = HF[HF_RGA24];
   rga_paar_actief[SG28] = HF[HF_RGA28];
}


/* aanvragen van drukknoppen en aanvraaglussen */
static void aanvragen(void)
{
   if (SCH[SCH_DKAANVRAAG]) {
      if (D[SG22_3]) A[SG22] = 1;
      if (D[SG24_3]) A[SG24] = 1;
      if (D[SG28_4]) A[SG28] = 1;
      if (D[SG31_1] || D[SG31_2]) { A[SG31] = 1; TL[TL_AANVR31]++; }
      if (D[SG34_1] || D[SG34_2]) A[SG34] = 1;
      if (D[SG38_1] || D[SG38_2]) { A[SG38] = 1; TL[TL_AANVR38]++; }
   }
   if (D[SG22_1] && rga_paar_actief[SG22]) A[SG22] = 1;
   if (D[SG24_1] && rga_paar_actief[SG24]) A[SG24] = 1;
   if (D[SG28_1] && rga_paar_actief[SG28]) A[SG28] = 1;

   /* meeaanvraag van 05 naar 11 na afloop van de meeaanvraagtijd */
   HF[HF_MEEAANVR05] = A[SG05] && !TIJD_LOOPT(T_MEEAANVR05);
   if (HF[HF_MEEAANVR05]) {
      A[SG11] = 1;
   }
}


/* voorstart van het fietsverkeer op het afslaande autoverkeer, naloop van
   de voetgangers op de fietsers van dezelfde oversteek */
static void voorstarten(void)
{
   if (!SCH[SCH_VOORSTART]) {
      return;
   }
   VOORSTART(SG22, SG02, T_VOORSTART22);
   VOORSTART(SG24, SG08, T_VOORSTART24);
   VOORSTART(SG28, SG11, T_VOORSTART28);
   NALOOP(SG31, SG22, T_NALOOP31);
   NALOOP(SG34, SG24, T_NALOOP34);
   NALOOP(SG38, SG28, T_NALOOP38);
}


/* koppeling met buurregelaar 215 */
static void koppeling(void)
{
   OVU[US_BEDRIJF] = !OVI[IS_HANDBED];
   HF[HF_KOPUIT_GR02] = G[SG02];
   HF[HF_KOPUIT_SYNC] = (TL[TL_CYCLUS] % EGGPARM[EGGP_CYCLMAX]) == 0;
   if (HF[HF_KOPIN_VRIJ] && HF[HF_KOPIN_SYNC]) {
      PG[SG02] = 1;
      PG[SG08] = 1;
   }
}


/* prioriteit voor het openbaar vervoer op 05 en 11 */
static void ov_prioriteit(void)
{
   HF[HF_OV_PRIO] = 0;
   if (!SCH[SCH_OV_PRIO] || TL[TL_OV_PRIO] >= EGGPARM[EGGP_MAXOV]) {
      return;
   }
   if (OV_MELDING(SG05) && EGGPARM[EGGP_PRIO05] > 0) {
      HF[HF_OV_PRIO] = 1;
      VERLENG(SG05, EPARM[EP_OV_NAVERL]);
   }
   if (OV_MELDING(SG11) && EGGPARM[EGGP_PRIO11] > 0) {
      HF[HF_OV_PRIO] = 1;
      VERLENG(SG11, EPARM[EP_OV_NAVERL]);
   }
   if (HF[HF_OV_PRIO]) {
      TL[TL_OV_PRIO]++;
   }
}


/* wachtstand groen en nachtelijk knipperen */
static void wachtstand(void)
{
   HF[HF_WACHTGROEN] = SCH[SCH_WACHTGROEN] && GEEN_AANVRAGEN();
   OVU[US_WACHT22] = A[SG22] && !G[SG22];
   OVU[US_KNIPPER] = SCH[SCH_KNIPPER] && KL[KL_KNIPPER];
}


#ifdef pc_omgeving
/* in de pc-omgeving komen de detectoren uit de simulator */
static void simulatie(void)
{
   if (OVI[IS_SIMULATIE]) {
      SIM_LEES_DETECTIE(D, NUMD);
      SIM_SCHRIJF_SIGNALEN(G, NUMSG);
   }
}
#endif


void init_applicatie(void)
{
   int s;

   for (s = 0; s < NUMSG; s++) {
      rga_paar_actief[s] = 0;
   }
   REGELPROGRAMMA(EGGPARM[EGGP_PRGKEUZE]);
#ifndef pc_omgeving
   WATCHDOG_START(EPARM[EP_STORHERST]);
#else
   printf("kruispunt 214 in de pc-omgeving gestart\n");
#endif
}


void applicatie(void)
{
#ifdef pc_omgeving
   simulatie();
#endif
   detectiestoringen();
   richtinggevoelig();
   aanvragen();
   voorstarten();
   koppeling();
   ov_prioriteit();
   wachtstand();
   TL[TL_CYCLUS]++;
#ifndef pc_omgeving
   WATCHDOG_TRIGGER();
#endif
}
