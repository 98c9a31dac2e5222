#pragma once
// The piece size typed in megabytes, turned into bytes, and the geometry of a piece set.
#include <cstdint>
#include "afx.h"

namespace kt {

// S: the megabytes times 1048576, truncated toward zero. Values that do not fit come out as 0 (invalid).
int64_t PieceSizeBytes(const CString& megabytes);

// P: S rounded up to the next whole multiple of 1024.
inline uint64_t FullPieceLength(uint64_t s) { return (s + 1023) / 1024 * 1024; }

}  // namespace kt
