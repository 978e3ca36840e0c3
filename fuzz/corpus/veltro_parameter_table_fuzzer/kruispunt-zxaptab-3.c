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

