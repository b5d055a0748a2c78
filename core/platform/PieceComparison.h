#pragma once

#include "Failure.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace platform {

// Compares two open files of one size from their positions, a piece at a time,
// up to the first difference. Each reader fills the buffer it is given with up
// to `piece` bytes, fewer only at its file's end; each platform reads its own way.
template <typename ReadFirst, typename ReadSecond>
Result<bool> samePieces(std::size_t piece, ReadFirst readFirst, ReadSecond readSecond)
{
    std::vector<char> pieces(2 * piece);
    for (;;) {
        const auto fromFirst = readFirst(pieces.data());
        if (!fromFirst.ok())
            return {false, fromFirst.failure};
        const auto fromSecond = readSecond(pieces.data() + piece);
        if (!fromSecond.ok())
            return {false, fromSecond.failure};
        if (fromFirst.value != fromSecond.value ||
            std::memcmp(pieces.data(), pieces.data() + piece, fromFirst.value) != 0)
            return {false, std::nullopt};
        if (fromFirst.value < piece)
            return {true, std::nullopt};
    }
}

} // namespace platform
