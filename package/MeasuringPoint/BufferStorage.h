// Allocation of the value arrays of the signal buffers.
#pragma once

#include <cstdint>
#include <memory>

namespace vandrel::detail {

// A zeroed array of Length + 1 floats (Length >= 0). Raises EOutOfMemory when
// the storage cannot be had.
std::unique_ptr<float[]> AllocateSamples(int32_t Length);

// Reports a failed bounds check of a buffer accessor (Length of the buffer,
// Index asked for, whether a length of 0 has its own message) and answers
// whether the index is valid.
bool CheckBufferIndex(int32_t Length, int32_t Index, bool ReportUndefinedLength);

}  // namespace vandrel::detail
