#pragma once
// Screen readers see each square as a button named after its square and what it shows
// ("C2, navštíveno"), which they can press like a click.

namespace trevak {

// Registers the squares with Qt's accessibility; once per program, however often it is called.
void installSquareAccessibility();

}  // namespace trevak
