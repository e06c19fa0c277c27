#pragma once
// One pick: the tick of Timer1 while a draw runs.
class Window;
class RandomSource;

// Clears the headline and the selection, then selects draw-size distinct entries at
// random (every entry, in pool order, when the pool is not larger than the draw size)
// and writes their names into the headline joined by "，".
// Returns the number of entries selected.
int Timer1Timer(Window& w, RandomSource& random);
