#include "platform/process.h"

#include <malloc.h>

namespace tarvo {

void TrimWorkingSet() { malloc_trim(0); }

}  // namespace tarvo
