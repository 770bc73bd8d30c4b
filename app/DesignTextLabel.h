#pragma once
// A label of plain text whose font size is drawn by drawDesignText.

#include <QLabel>

namespace trevak {

class DesignTextLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace trevak
