#ifndef QX7_WIRESIZES_H
#define QX7_WIRESIZES_H

// The sizes of what the mouse keeps and what crosses the wire, for every layer that fills, checks
// or shows it.
namespace WireSizes {

// A key matrix: sixteen entries of four bytes.
constexpr int MatrixEntries = 16;
constexpr int RecordSize = 4;
constexpr int KeyMatrix = MatrixEntries * RecordSize;
// The block of a macro and of an on-board profile image; the 560 family carries a key matrix in one.
constexpr int Block = 128;
// On-board profile images 0-4 (560 family).
constexpr int ProfileImages = 5;
// DPI stages and their colours, three bytes each.
constexpr int DpiStages = 8;
constexpr int StageColors = 3 * DpiStages;
// The short colour table of stage-colour type 2 (553 family).
constexpr int ShortStageColors = 4;
// Macro slots 0-11 belong to the first twelve buttons.
constexpr int MacroSlots = 12;
// Gun slots 1-3; on the 560 family slot n lives in profile image n + 1.
constexpr int GunSlots = 3;
// A repeat count travels in one byte.
constexpr int MaxTimes = 255;

static_assert(KeyMatrix == 64, "the key matrix block is 64 bytes");
static_assert(KeyMatrix <= Block, "a key matrix fits a block");

} // namespace WireSizes

#endif // QX7_WIRESIZES_H
