#pragma once
// The two package signatures. Plain macros because the resource compiler reads this file too:
// the engine's string table carries them as strings 34028 (A) and 34026 (B).
#define SAVER_SIGNATURE_A "OrvaneScene"
#define SAVER_SIGNATURE_B "OrvaneShow"
