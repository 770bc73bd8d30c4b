#pragma once
// Screen readers see each square as a button named after its square and what it shows
// ("C2, navštíveno"), which they can press like a click.

class QObject;
class QAccessibleInterface;
class QString;

namespace trevak {

QAccessibleInterface *squareAccessibleFactory(const QString &className, QObject *object);

}  // namespace trevak
