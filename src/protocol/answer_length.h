// AnswerLength: how many bytes of a stream form the first complete answer container, found by
// walking the block headers without inflating anything (a compressed block is skipped by its
// stated size). The transport reads a direct-mode answer until it is complete by this walk, and
// clients that only need to know where an answer ends (the load tool, the simulator's tests) use
// it too. Stateless; safe from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvello {

// 0 while the container is incomplete; -1 when the bytes can never form one.
long AnswerLength(std::span<const std::uint8_t> bytes);

}  // namespace tarvello
