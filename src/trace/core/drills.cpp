#include "trace/core/vca_trace.h"
