#pragma once
// Screen readers see each square as a button named after its square and what it shows
// ("C2, navštíveno"), which they can press like a click. Qt's own interface for buttons would
// do, but it reads the name from the widget, and every name given to a widget makes Qt build
// that widget's accessible interface at once, screen reader or not: 64 of them as the window
// opens. This one makes a square's name when a screen reader first asks for it.

namespace trevak {

// Registers the squares with Qt's accessibility; once per program, however often it is called.
void installSquareAccessibility();

}  // namespace trevak
