// The main menu's twelve cells: the target each one opens, the label under its icon (the name of
// the screen it opens) and how the keypad moves between them. Pure functions.
#pragma once

#include <string_view>

#include "navigation/navigation.h"

namespace tarvello {

inline constexpr int kMenuCells = 12;
inline constexpr int kMenuColumns = 3;

// What Enter or a tap on a menu cell asks for.
NavigationRequest MenuCellTarget(int cell);
// The name of the screen the cell opens; empty outside the twelve cells.
std::u16string_view MenuCellLabel(int cell);

enum class KeypadMove { kLeft, kRight, kUp, kDown };
// The cell selected after a keypad move; left and right wrap through all twelve cells, up and down
// wrap within the column.
int MoveMenuSelection(int cell, KeypadMove move);

}  // namespace tarvello
