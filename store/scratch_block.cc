#include "store/scratch_block.h"

alignas(4096) uint8_t ScratchBlock[kScratchBlockSize + kScratchTailSize];
