#pragma once

// Tunes the C runtime's heap for start-up, before anything is allocated.
void PrepareHeap();
