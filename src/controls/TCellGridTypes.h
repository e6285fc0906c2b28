#pragma once
// The values the curve table's properties and events take: vertical
// alignment, kind of in-place editor, options.

enum class TVAlignment { vtaTop, vtaCenter, vtaBottom };

// Kind of in-place editor; the owner chooses it in OnGetEditorType.
enum class TEditorType { edNormal = 0, edSpinEdit = 1 };

// Options: lines, range selection, the current cell painted as selected,
// editing in place.
enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goEditing = 1u << 6,
};
using TGridOptions = unsigned;
