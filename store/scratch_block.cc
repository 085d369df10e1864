#include "store/scratch_block.h"

namespace vexo {

alignas(4096) uint8_t ScratchBlock[kScratchBlockSize + kScratchTailSize];

}  // namespace vexo
