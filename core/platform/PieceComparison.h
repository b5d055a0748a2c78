#pragma once

#include "Failure.h"

#include <cstddef>
#include <cstring>
#include <memory>

namespace platform {

// Compares two open files of one size from their positions, a piece at a time,
// up to the first difference. Each reader fills the buffer it is given with up
// to `piece` bytes, fewer only at its file's end; each platform reads its own way.
template <typename ReadFirst, typename ReadSecond>
Result<bool> samePieces(std::size_t piece, ReadFirst readFirst, ReadSecond readSecond)
{
    // Not zeroed: every byte compared was read first.
    const auto pieces = std::make_unique_for_overwrite<char[]>(2 * piece);
    for (;;) {
        const auto fromFirst = readFirst(pieces.get());
        if (!fromFirst.ok())
            return {false, fromFirst.failure};
        const auto fromSecond = readSecond(pieces.get() + piece);
        if (!fromSecond.ok())
            return {false, fromSecond.failure};
        if (fromFirst.value != fromSecond.value ||
            std::memcmp(pieces.get(), pieces.get() + piece, fromFirst.value) != 0)
            return {false, std::nullopt};
        if (fromFirst.value < piece)
            return {true, std::nullopt};
    }
}

} // namespace platform
