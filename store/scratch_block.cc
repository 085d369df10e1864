#include "store/scratch_block.h"

uint8_t ScratchBlock[kScratchBlockSize];
