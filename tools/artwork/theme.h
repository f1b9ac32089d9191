// The artwork's colours. Shared by the designs and the palette, which
// carries tints and shades of each so shading quantises smoothly.
#ifndef JOTWELL_TOOLS_ARTWORK_THEME_H
#define JOTWELL_TOOLS_ARTWORK_THEME_H

#include "tools/artwork/canvas.h"

namespace Theme {

const Color Outline = {38, 46, 66, 1};
const Color CoverLight = {92, 148, 224, 1};
const Color Cover = {46, 98, 188, 1};
const Color CoverDark = {26, 56, 122, 1};
const Color Paper = {255, 253, 242, 1};
const Color PaperShade = {226, 222, 204, 1};
const Color Note = {255, 228, 120, 1};
const Color NoteShade = {236, 186, 66, 1};
const Color Rule = {156, 190, 232, 1};
const Color Margin = {232, 120, 120, 1};
const Color Ink = {34, 70, 150, 1};
const Color Red = {222, 52, 44, 1};
const Color RedDark = {150, 24, 20, 1};
const Color Green = {64, 172, 72, 1};
const Color GreenDark = {28, 112, 40, 1};
const Color Gold = {246, 190, 64, 1};
const Color GoldDark = {176, 118, 22, 1};
const Color Steel = {150, 160, 176, 1};
const Color Glass = {204, 230, 252, 1};
const Color Pen = {44, 52, 84, 1};
const Color Sky = {206, 224, 248, 1};
const Color White = {255, 255, 255, 1};

// Colours that get ramps of tints and shades in the palette.
const Color Ramped[] = {Outline, Cover, CoverDark, Note, Rule, Margin,
                        Ink,     Red,   Green,     Gold, Steel, Pen};

// Gradients the designs fill; the palette holds this many steps of each.
// The logo's large background gets the finest.
struct Ramp {
    Color from, to;
    int steps;
};
const Color PenLight = {118, 124, 150, 1};
const Ramp Ramps[] = {
    {Sky, White, 32},       {CoverLight, CoverDark, 10}, {Note, NoteShade, 10},
    {White, Paper, 4},      {PenLight, Pen, 10},         {Gold, GoldDark, 8},
    {White, Steel, 8},      {White, Glass, 6},
};

}  // namespace Theme

#endif
