// ParseContainer: splits a server answer into its blocks and hands each one, inflated when it
// was compressed, to the screen's block handler.
//
// The answer may start with bytes that are not part of the container (an HTTP header in WAP
// mode); the container starts at the first "{". Each block is type, attribute, length (2 bytes
// each, little-endian). Attribute 2 means a compressed body: uncompressed size U, compressed size
// C (both unsigned 16-bit) and C bytes of a zlib stream that must inflate, without error and with
// a right checksum, to exactly U bytes.
// Otherwise the body is the next `length` bytes (signed 16-bit; 0 = skipped, never handed over).
// Blocks are separated by ":" and the container ends with "}".
//
// The handler sees (type, bytes, start, end) and must read only [start, end). A plain block is
// handed over in place; a compressed one in a buffer that lives for the handler call only. A
// negative handler status stops the parse. Blocks handed over stay handed over when a later block
// fails. Safe from any thread; the parser keeps no state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace tarvello {

using BlockHandler =
    std::function<int(int type, const std::uint8_t* bytes, std::size_t start, std::size_t end)>;

// True when the container was read to its closing "}", "{}" (no block) included. False for empty
// input, no "{", a header or plain body running past the input, a compressed block that does not
// inflate cleanly to exactly its stated size (or whose buffer cannot be had), a negative handler
// status, or a block followed by anything other than ":" or "}".
bool ParseContainer(const BlockHandler& handler, const std::uint8_t* bytes, std::size_t length);

// The same parse for readers that know their blocks by where they stand in the answer (the
// ticker's first block is Shanghai, its second Shenzhen): every block is handed over with its
// position, 0 for the first, and an empty plain block is handed over too (start == end), so that
// it still takes up its position.
using PositionedBlockHandler = std::function<int(std::size_t position, int type, const std::uint8_t* bytes,
                                                 std::size_t start, std::size_t end)>;
bool ParseContainerInOrder(const PositionedBlockHandler& handler, const std::uint8_t* bytes, std::size_t length);

// The same parse for an answer that may have been cut where the caller's buffer ended (a long
// list): a plain block whose body runs past the input is handed over with the bytes that are
// there, its end the input's end, for a reader that keeps what it reads in full. The result is
// still false, as for ParseContainer.
bool ParseContainerUpToCut(const BlockHandler& handler, const std::uint8_t* bytes, std::size_t length);

}  // namespace tarvello
