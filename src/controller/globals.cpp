#include "controller/globals.h"

#include <ctime>

int antal_enkelrader = 1;
int Rader = 0;
int antalsakra = 0;

int tot_tecken = 793, tot_ettor = 359, tot_kryss = 560;
int tot_teckens = 325, tot_ettors = 131, tot_krysss = 206;

int ir = 0;
char test[kTestSize];

HINSTANCE TheInstance = nullptr;

// Same translation unit and in this order, so the clock is read before the
// generator is built from it, both before WinMain runs.
std::int32_t seed = static_cast<std::int32_t>(std::time(nullptr));
TRandomMersenne rg(seed);
