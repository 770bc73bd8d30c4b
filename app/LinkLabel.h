#pragma once
// A label that acts on a click, by mouse or, once it has the focus, by Space or Enter.

#include <QLabel>

namespace trevak {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString &caption, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_pressed = false;
};

}  // namespace trevak
