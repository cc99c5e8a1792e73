#include "platform/Identity.h"
// Placeholder translation unit: the Linux identity functions are written with the foundation.
