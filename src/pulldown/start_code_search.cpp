#include "pulldown/start_code_search.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace morvane::pulldown {

// Coded pictures hold a 01 byte every 256 bytes or so, so a search for it
// stops far too often; the three bytes are compared 16 positions at a time.
std::size_t findStartCode(const std::uint8_t* bytes, std::size_t size, std::size_t from) {
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi8(1);
    for (; i + 18 <= size; i += 16) {
        auto load = [&](std::size_t at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)); };
        __m128i found = _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(load(i), zero), _mm_cmpeq_epi8(load(i + 1), zero)),
                                      _mm_cmpeq_epi8(load(i + 2), one));
        if (int mask = _mm_movemask_epi8(found)) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
#endif
    for (; i + 3 <= size; ++i)
        if (bytes[i] == 0x00 && bytes[i + 1] == 0x00 && bytes[i + 2] == 0x01) return i;
    return size;
}

}  // namespace morvane::pulldown
