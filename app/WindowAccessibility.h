#pragma once
// What screen readers see of the main window's own widgets. Qt's interfaces would do for most,
// but they read the name from the widget, and every name given to a widget makes Qt build that
// widget's accessible interface at once, screen reader or not: 64 squares and more as the window
// opens. These make their names when a screen reader first asks for them.
//
// - Each square is a button named after its square and what it shows ("C2, navštíveno"), which
//   can be pressed like a click. Every square can take the focus, by the arrow keys, even though
//   only one of them is the board's stop for Tab.
// - The gauge is a progress bar whose value is the percentage filled.
// - The knight picture is a named picture, and the counter's caption says nothing of its own: the
//   counter itself is read as "Počet bodů: 5".

class QWidget;

namespace trevak {

// Registers the window's widgets with Qt's accessibility; once per program, however often it is
// called.
void installWindowAccessibility();

// Marks the knight picture and the counter's caption for the interfaces above.
void markAsKnightPicture(QWidget *picture);
void markAsCounterCaption(QWidget *caption);

}  // namespace trevak
