// The quote list by codes: the request that asks for the rows of a given list of securities
// (type 2113, selector 2) and the reader of the stock rows its answer carries. The quote list's
// own lists and the background alert check both ask this way. Pure functions, any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "market/quote_row.h"
#include "market/security_code.h"
#include "protocol/block_reader.h"
#include "protocol/bytes.h"
#include "protocol/wire_writer.h"

namespace tarvello {

// Wire fields are one byte or sixteen bits; a value out of range is cut to the field's range
// rather than wrapped into a different page or field.
std::uint8_t WireByte(int value);
std::uint16_t WireWord(int value);

// A u16 count and the codes' request texts; at most 0xFFFF codes are written.
void WriteCodeList(WireWriter& writer, std::span<const SecurityCode> codes);

// Type 2113, selector 2: the codes of the page shown; `end` is the index after the page's last
// code in the whole list.
Bytes BuildCodeListPage(int sortField, int sortDirection, int end, std::span<const SecurityCode> codes);

// Code and name of a row that must have both; false when either is empty or cut off.
bool ReadRowNames(BlockReader& reader, SecurityCode& code, std::u16string& name);

// One stock row of block 2113: code, name, decimals, flags, nine int32 figures and one int32
// not kept. False when the row is cut off or lacks its code or name.
bool ReadStockRow(BlockReader& reader, QuoteRow& row);

// The stock rows of every 2113 block of an answer container, appended to rows in answer order.
// False when the container does not parse or a row is broken; the rows read before stay.
bool ReadCodeListRows(const std::uint8_t* bytes, std::size_t length, std::vector<QuoteRow>& rows);

}  // namespace tarvello
