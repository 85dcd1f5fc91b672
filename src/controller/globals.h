// Program-wide state shared by the command handlers. All of it lives for the
// whole run and is touched only on the GUI thread.
#ifndef RAVLO_GLOBALS_H
#define RAVLO_GLOBALS_H

#include <windows.h>
#include <cstdint>

#include "generation/portable/random_mersenne.h"

extern int antal_enkelrader;   // rows per press of "GENERERA rader"
extern int Rader;              // rows added since start-up or the last game-box click
extern int antalsakra;         // checked sign boxes, counted by the random match draw

// Match statistics: total, home wins, home wins plus draws (cumulative).
extern int tot_tecken, tot_ettor, tot_kryss;      // England
extern int tot_teckens, tot_ettors, tot_krysss;   // Sweden

extern int ir;                 // the most recent draw from rg

// The rows text. One byte is kept for the terminating NUL.
constexpr unsigned kTestSize = 254560;
constexpr unsigned kTestMaxLength = kTestSize - 1;
extern char test[kTestSize];

extern HINSTANCE TheInstance;
extern std::int32_t seed;      // the clock at start-up
extern TRandomMersenne rg;     // the program's one generator, seeded from `seed`

#endif
