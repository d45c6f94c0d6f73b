#pragma once
// The small values the drawing operations take: how a picture blends into the frame, which image
// sheet it comes from, the cell it is cut from and its colour.

// The seven blend modes, by what each does to the picture already drawn.
enum class BlendMode : int {
    Alpha = 0,     // source over the picture by its alpha
    Brighten = 1,  // destination times (1 + source): light parts grow lighter
    Screen = 2,    // source times (1 - destination) added
    Additive = 3,  // source times its alpha added
    Darken = 4,    // destination times (1 - source): ink
    Invert = 5,    // white turns the picture to its negative
    Multiply = 6,  // destination times source
};

// The texture slots, each holding one image sheet.
enum class Sheet : int {
    Objects = 0,            // the elements, cursors, map (img/objects.png)
    ObjectsMonochrome = 1,  // its grey twin, tinted when drawn
    Objects2 = 2,           // life, dreams, flowers and buds
    Objects2Monochrome = 3,
    BackgroundFilter = 4,  // the full-screen filter over the field
    Interface = 5,         // the logo, buttons, letters and digits (img/logo.png)
    Effect = 6,            // plants, creatures, blossoms and seeds
    Effect2 = 7,           // hints and glows
};

// A sheet from a texture slot kept as a number in a record; an out-of-range slot stays out of
// range and draws nothing.
constexpr Sheet sheetAt(int slot) { return static_cast<Sheet>(slot); }
constexpr int slotOf(Sheet sheet) { return static_cast<int>(sheet); }

// A rectangle of a sheet in its own pixels: left, top, width, height.
struct Cell {
    int x, y, w, h;
};

// Colour channels 0..255, of which only the low 8 bits count.
struct Rgb {
    int r, g, b;
};
