#include "app/Heap.h"

// The system's heap serves the program's bitmaps well as it is.
void PrepareHeap() {}
