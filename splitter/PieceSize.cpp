#include "PieceSize.h"
#include <cmath>

namespace kt {

int64_t PieceSizeBytes(const CString& megabytes) {
  double bytes = std::trunc(ReadLeadingNumber(megabytes) * 1048576.0);
  // Beyond this the length has no meaning for a file, and the conversion would overflow.
  if (!(bytes >= -9.0e18 && bytes <= 9.0e18)) return 0;
  return static_cast<int64_t>(bytes);
}

}  // namespace kt
