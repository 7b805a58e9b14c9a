// The main menu's twelve cells: the target each one opens and how the keypad moves between them.
// Pure functions.
#pragma once

#include "navigation/navigation.h"

namespace tarvello {

inline constexpr int kMenuCells = 12;
inline constexpr int kMenuColumns = 3;

// What Enter or a tap on a menu cell asks for.
NavigationRequest MenuCellTarget(int cell);

enum class KeypadMove { kLeft, kRight, kUp, kDown };
// The cell selected after a keypad move; left and right wrap through all twelve cells, up and down
// wrap within the column.
int MoveMenuSelection(int cell, KeypadMove move);

}  // namespace tarvello
