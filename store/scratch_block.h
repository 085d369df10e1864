// One block of working storage for the converter's bulk input and output:
// the glyph loaders read the font files through it, and afterwards the
// output writer lays out its records in it. The two never use it at the
// same time, so a run touches the memory of one block, not two.
#ifndef VEXOCNVT_STORE_SCRATCH_BLOCK_H_
#define VEXOCNVT_STORE_SCRATCH_BLOCK_H_

#include <cstddef>
#include <cstdint>

namespace vexo {

constexpr size_t kScratchBlockSize = 128 * 1024;

// Room past the block's end, where the output writer lets the record that
// crosses it run on, so that the block goes to the file whole.
constexpr size_t kScratchTailSize = 4096;

extern uint8_t ScratchBlock[kScratchBlockSize + kScratchTailSize];

}  // namespace vexo

#endif  // VEXOCNVT_STORE_SCRATCH_BLOCK_H_
