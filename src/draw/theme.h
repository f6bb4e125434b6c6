// The palette. Values are COLORREF (0x00BBGGRR); Rgb takes #RRGGBB in reading order.
#pragma once
#include <stdint.h>

constexpr uint32_t Rgb(uint32_t rrggbb) {
  return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}

namespace Theme {
constexpr uint32_t windowColor = Rgb(0x0F0E10);
constexpr uint32_t panelColor = Rgb(0x151418);
constexpr uint32_t fieldColor = Rgb(0x1E1D22);
constexpr uint32_t cardHoverColor = Rgb(0x25242A);
constexpr uint32_t tagColor = Rgb(0x121118);
constexpr uint32_t toolColor = Rgb(0x18171C);
constexpr uint32_t toolHoverColor = Rgb(0x26252C);
constexpr uint32_t secondaryColor = Rgb(0x1A191E);
constexpr uint32_t secondaryHoverColor = Rgb(0x28272E);
constexpr uint32_t chipColor = Rgb(0x28272D);
constexpr uint32_t chipHoverColor = Rgb(0x34333C);
constexpr uint32_t thumbColor = Rgb(0x3C3B42);
constexpr uint32_t lineColor = Rgb(0x323138);
constexpr uint32_t lineHoverColor = Rgb(0x46454E);
constexpr uint32_t toolLineColor = Rgb(0x3A3940);
constexpr uint32_t toolLineHoverColor = Rgb(0x646470);
constexpr uint32_t secondaryLineColor = Rgb(0x3E3D44);
constexpr uint32_t slotLineColor = Rgb(0x37363E);
constexpr uint32_t accentBlue = Rgb(0x00A3FF);
constexpr uint32_t accentLight = Rgb(0x4FB3FF);
constexpr uint32_t accentViolet = Rgb(0x785AF0);
constexpr uint32_t amber = Rgb(0xFFB547);
constexpr uint32_t teal = Rgb(0x64F5D2);
constexpr uint32_t danger = Rgb(0xFF5C6E);
constexpr uint32_t textColor = Rgb(0xFFFFFF);
constexpr uint32_t mutedText = Rgb(0x929292);
constexpr uint32_t dimText = Rgb(0x5F5F66);
constexpr uint32_t blueTint = Rgb(0x0E283A);
constexpr uint32_t amberTint = Rgb(0x382810);
constexpr uint32_t tealTint = Rgb(0x12302C);
constexpr uint32_t glowBlue = Rgb(0x082C42);
constexpr uint32_t glowViolet = Rgb(0x1A1234);
constexpr uint32_t warnColor = Rgb(0xFFBE5A);
constexpr uint32_t warnButtonColor = Rgb(0x241E18);
constexpr uint32_t warnButtonHoverColor = Rgb(0x3C2C18);
constexpr uint32_t warnLineColor = Rgb(0x785A32);
constexpr uint32_t warnBadgeColor = Rgb(0x3C2814);
constexpr uint32_t toggleOffColor = Rgb(0x2D2C32);
constexpr uint32_t closeButtonColor = Rgb(0x222126);
}  // namespace Theme

constexpr uint32_t noOutline = 0xFFFFFFFFu;
