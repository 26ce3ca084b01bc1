#pragma once

// As many processors as an affinity mask has bits: 32 or 64.
const int kMaxProcessors = int(sizeof(void*) * 8);
