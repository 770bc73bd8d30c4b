#pragma once
// A label of plain text whose font size is drawn by drawScaledText.

#include <QLabel>

namespace trevak {

class ScaledTextLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace trevak
