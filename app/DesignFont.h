#pragma once
// The windows were designed in "MS Sans Serif"; where it is missing the desktop's
// sans-serif face stands in at the same point size.

#include <QFont>

namespace trevak {

QFont designFont(qreal pointSize, bool bold = false);

}  // namespace trevak
