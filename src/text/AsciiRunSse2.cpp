#include <emmintrin.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "text/AsciiRun.h"
#include "text/AsciiRunBlocks.h"

namespace mif {

namespace {

// How many of the 16 values lead as ASCII, from the mask of those that do not.
std::size_t LeadingRun(int nonAsciiMask) {
  return static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(nonAsciiMask) | 0x10000u));
}

std::size_t WidenBlock(const unsigned char* bytes, char16_t* units) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const __m128i zero = _mm_setzero_si128();
  _mm_storeu_si128(reinterpret_cast<__m128i*>(units), _mm_unpacklo_epi8(block, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(units + 8), _mm_unpackhi_epi8(block, zero));
  return LeadingRun(_mm_movemask_epi8(block));
}

std::size_t NarrowBlock(const char16_t* units, unsigned char* bytes) {
  const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
  const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + 8));
  const __m128i highBits = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i zero = _mm_setzero_si128();
  // One byte a unit: 0xFF where the unit is ASCII.
  const __m128i ascii = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_and_si128(low, highBits), zero),
                                        _mm_cmpeq_epi16(_mm_and_si128(high, highBits), zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), _mm_packus_epi16(low, high));
  return LeadingRun(~_mm_movemask_epi8(ascii) & 0xFFFF);
}

}  // namespace

std::size_t FindLineStop(const char* bytes, std::size_t count) {
  const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), ctrlZ = _mm_set1_epi8(0x1A);
  std::size_t done = 0;
  for (; done + 16 <= count; done += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + done));
    const __m128i stops =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(block, cr)),
                     _mm_cmpeq_epi8(block, ctrlZ));
    const int mask = _mm_movemask_epi8(stops);
    if (mask != 0)
      return done + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(mask)));
  }
  return ascii_run::FindLineStopByByte(bytes, count, done);
}

// Bit i set where lane i of `block` equals that of `wanted`.
std::uint64_t MaskOf(__m128i block, __m128i wanted) {
  return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted)));
}

std::uint64_t LineFeedBits(const char* bytes, std::size_t count) {
  if (count < 64) return ascii_run::LineFeedBitsByByte(bytes, count);
  const __m128i lf = _mm_set1_epi8('\n');
  std::uint64_t bits = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
    bits |= MaskOf(block, lf) << (16 * part);
  }
  return bits;
}

bool OddCountOf(const char* bytes, std::size_t count, char value) {
  const __m128i wanted = _mm_set1_epi8(value);
  std::uint64_t marks = 0;  // the parity of each lane's count, by bits
  std::size_t done = 0;
  for (; done + 16 <= count; done += 16) {
    marks ^= MaskOf(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + done)), wanted);
  }
  if (done < count && count >= 16) {  // the last 16 bytes, those counted already left out
    const std::uint64_t last =
        MaskOf(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + count - 16)), wanted);
    marks ^= last >> (16 - (count - done));
    done = count;
  }
  return ascii_run::OddCountByByte(bytes, count, done, value, std::popcount(marks) % 2 == 1);
}

std::size_t CrLfRunLength(const char* bytes, std::size_t count, bool asciiOnly) {
  const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), ctrlZ = _mm_set1_epi8(0x1A);
  std::uint64_t crBeforeWindow = 0;  // 1 when the byte before the window is a CR
  std::size_t done = 0;
  for (; done + 64 <= count; done += 64) {
    std::uint64_t crs = 0, lfs = 0, ctrlZs = 0, highs = 0;
    for (int part = 0; part < 4; ++part) {
      const __m128i block =
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + done + 16 * part));
      crs |= MaskOf(block, cr) << (16 * part);
      lfs |= MaskOf(block, lf) << (16 * part);
      ctrlZs |= MaskOf(block, ctrlZ) << (16 * part);
      highs |= std::uint64_t{static_cast<std::uint32_t>(_mm_movemask_epi8(block))} << (16 * part);
    }
    // Bit i: a CR at i - 1. In CR LF lines these are the LFs, bit for bit.
    const std::uint64_t crBefore = (crs << 1) | crBeforeWindow;
    const std::uint64_t stops = (lfs ^ crBefore) | ctrlZs | (asciiOnly ? highs : 0);
    if (stops != 0) {
      const int at = std::countr_zero(stops);
      // A CR without its LF is marked a byte past it (where a high byte,
      // which is no LF, may stand too).
      const bool loneCr = ((crBefore & ~lfs) >> at & 1) != 0;
      return done + static_cast<std::size_t>(at) - (loneCr ? 1 : 0);
    }
    crBeforeWindow = crs >> 63;
  }
  if (crBeforeWindow != 0 && (done == count || bytes[done] != '\n')) return done - 1;
  return ascii_run::CrLfRunByByte(bytes, count, done, crBeforeWindow != 0, asciiOnly);
}

std::size_t LongAsciiRunLength(const unsigned char* bytes, std::size_t count) {
  std::size_t done = 0;
  for (; done + 16 <= count; done += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + done));
    if (const auto highs = static_cast<unsigned>(_mm_movemask_epi8(block))) {
      return done + static_cast<std::size_t>(std::countr_zero(highs));
    }
  }
  return done + AsciiRunLength(bytes + done, count - done);
}

std::size_t AsciiRunLineFeeds(const char* bytes, std::size_t count, std::uint64_t& lineFeeds) {
  const __m128i lf = _mm_set1_epi8('\n'), zero = _mm_setzero_si128();
  // Most runs of Japanese text are short: the first block on its own.
  if (count >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const auto highs = static_cast<unsigned>(_mm_movemask_epi8(block));
    if (highs != 0) {
      const int run = std::countr_zero(highs);
      for (auto lfs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf))) &
                      ((1u << run) - 1);
           lfs != 0; lfs &= lfs - 1) {
        ++lineFeeds;
      }
      return static_cast<std::size_t>(run);
    }
  }
  std::size_t done = 0;
  while (done + 16 <= count) {
    // Each lane counts its LFs up to 255, then the lanes are summed.
    __m128i counts = zero;
    const std::size_t limit = std::min(count, done + 255 * 16);
    for (; done + 16 <= limit; done += 16) {
      const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + done));
      if (_mm_movemask_epi8(block) != 0) break;
      counts = _mm_sub_epi8(counts, _mm_cmpeq_epi8(block, lf));
    }
    const __m128i sums = _mm_sad_epu8(counts, zero);
    lineFeeds += static_cast<std::uint64_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
    if (done + 16 <= limit) break;  // at a block with a byte from 0x80 up
  }
  return ascii_run::AsciiLineFeedsByByte(bytes, count, done, lineFeeds);
}

// Length of the leading run without a CR, a Ctrl-Z, or with `asciiOnly` a
// byte from 0x80 up.
static std::size_t LfRunLength(const char* bytes, std::size_t count, bool asciiOnly) {
  const __m128i cr = _mm_set1_epi8('\r'), ctrlZ = _mm_set1_epi8(0x1A);
  std::size_t done = 0;
  for (; done + 16 <= count; done += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + done));
    auto stops = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, ctrlZ))));
    if (asciiOnly) stops |= static_cast<unsigned>(_mm_movemask_epi8(block));
    if (stops != 0) return done + static_cast<std::size_t>(std::countr_zero(stops));
  }
  while (done < count && !ascii_run::EndsLfRun(bytes[done], asciiOnly)) ++done;
  return done;
}

std::size_t ExpandLfLines(const char* bytes, std::size_t count, bool asciiOnly, char* out,
                          std::size_t& written) {
  const __m128i lf = _mm_set1_epi8('\n');
  const std::size_t run = LfRunLength(bytes, count, asciiOnly);
  std::size_t done = 0, outDone = 0, lineEnd = 0, outLineEnd = 0;
  // Each block goes out whole; each LF in it then gets its CR, the bytes
  // from the LF on moved up one more: one store a line, no search.
  for (; done + 32 <= run; done += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + done));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + outDone), block);
    std::size_t moved = 0;
    for (auto lineFeeds = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf)));
         lineFeeds != 0; lineFeeds &= lineFeeds - 1) {
      const auto at = static_cast<std::size_t>(std::countr_zero(lineFeeds));
      out[outDone + at + moved] = '\r';
      ++moved;
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + outDone + at + moved),
                       _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + done + at)));
      lineEnd = done + at + 1;
      outLineEnd = outDone + at + moved + 1;
    }
    outDone += 16 + moved;
  }
  return ascii_run::ExpandLfLinesByByte(bytes, run, false, out, done, outDone, lineEnd, outLineEnd,
                                        written);
}

std::size_t WidenAsciiBlocks(const unsigned char* bytes, std::size_t count, char16_t* units) {
  return ascii_run::ConvertBlocks(bytes, count, units, WidenBlock);
}

std::size_t NarrowAsciiBlocks(const char16_t* units, std::size_t count, unsigned char* bytes) {
  return ascii_run::ConvertBlocks(units, count, bytes, NarrowBlock);
}

}  // namespace mif
