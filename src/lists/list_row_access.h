// The rows of the list on screen, by position, whichever list of ListRows holds them: the quote
// rows of the stock and sector lists, the futures rows, the big-order or fund rows of the
// rankings. Positions are 0-based and must be below RowCount. Pure, any thread.
#pragma once

#include <cstddef>
#include <string>

#include "lists/list_cells.h"
#include "lists/list_columns.h"
#include "lists/list_rows.h"

namespace tarvello {

std::size_t RowCount(const ListRows& rows, ListKind kind);
const SecurityCode& RowCode(const ListRows& rows, ListKind kind, std::size_t i);
const std::u16string& RowName(const ListRows& rows, ListKind kind, std::size_t i);
CellText RowCell(const ListRows& rows, ListKind kind, std::size_t i, int column);
// Removes the row at i from the list that holds rows of this kind.
void EraseRow(ListRows& rows, ListKind kind, std::size_t i);

}  // namespace tarvello
