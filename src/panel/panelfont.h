#pragma once

#include <cstdint>

// The detector's own display font: 256 glyphs of 9 x 16 pixels indexed by the
// 8-bit character code. Each glyph is 16 rows from the top, two bytes a row:
// bits 0-7 of the first byte are columns 0-7 (bit 0 leftmost), bit 0 of the
// second is column 8. Latin letters sit at 0x20-0x7E, Cyrillic at 0xC0-0xFF
// in Windows-1251 order, the status line pictograms at 0x86-0xAD.
constexpr int kPanelGlyphWidth = 9;
constexpr int kPanelGlyphHeight = 16;
constexpr int kPanelGlyphBytes = 32;
constexpr int kPanelFontSize = 256 * kPanelGlyphBytes;

extern const uint8_t g_PanelFont[kPanelFontSize];
