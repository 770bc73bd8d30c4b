#pragma once
// What the program sets up around its windows: its name, version and icon, and Qt's own
// texts in Czech.

namespace trevak {

void describeApplication();

// Qt's own texts (the open dialog, context menus) in Czech whatever the system language.
// Installs the translation on the first call only, so that start-up does not pay for it.
// Without the translation Qt's own English texts remain.
void useCzechQtTexts();

}  // namespace trevak
