#include "draw/pulse.h"

#include "app/geometry.h"

int32_t PulsePhase(uint32_t tick) {
  int32_t t = static_cast<int32_t>(tick % 1400);
  return t >= pulseTop ? 1400 - t : t;
}

uint32_t PulseBlend(uint32_t a, uint32_t b, int32_t k) {
  uint32_t out = 0;
  for (int32_t shift = 0; shift <= 16; shift += 8) {
    int32_t ca = static_cast<int32_t>((a >> shift) & 0xFF);
    int32_t cb = static_cast<int32_t>((b >> shift) & 0xFF);
    int32_t c = ca + (cb - ca) * k / pulseTop;
    if (c < 0) c = 0;
    if (c > 255) c = 255;
    out |= static_cast<uint32_t>(c) << shift;
  }
  return out;
}

PulseHalo PulseHaloAt(int32_t coreRadius, uint32_t bright, uint32_t rest, bool active, int32_t t) {
  if (!active) return PulseHalo{coreRadius, rest};
  return PulseHalo{coreRadius + (s(3) * t) / pulseTop, PulseBlend(rest, bright, pulseTop - t)};
}
