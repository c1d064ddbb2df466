#include "headless/Kernel32.h"

#include <cstdlib>

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
    void *block = flags & GMEM_ZEROINIT ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
    if (!block)
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return block;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    std::free(block);
    return nullptr;
}
