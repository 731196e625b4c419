// Built where ICU is not at hand: QCollator's own keys are used.

#include "platform/SystemCollation.h"

std::unique_ptr<CollationKeyWriter> OpenSystemCollation()
{
    return nullptr;
}
