// The pulse of the live indicators: a triangle wave over 1400 ms and a colour mix along it.
#pragma once
#include <stdint.h>

constexpr int32_t pulseTop = 700;  // phase at the middle of a cycle

// 0 -> 700 -> 0 once every 1400 ms of the tick count.
int32_t PulsePhase(uint32_t tick);
// Channel by channel a + (b - a) * k / 700, truncating toward zero; k = 0 gives a, 700 gives b.
// Works on COLORREF and #RRGGBB alike, as the channels are mixed independently.
uint32_t PulseBlend(uint32_t a, uint32_t b, int32_t k);

struct PulseHalo {
  int32_t radius;
  uint32_t colour;
};
// The halo of a live dot at phase t: it grows by s(3) while fading from bright to rest.
PulseHalo PulseHaloAt(int32_t coreRadius, uint32_t bright, uint32_t rest, bool active, int32_t t);
