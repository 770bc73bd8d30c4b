#pragma once
// A link of the About window: a button drawn as underlined text, as the window was laid out.
// A click, Space or Enter opens it.

#include <QAbstractButton>

namespace trevak {

class LinkButton : public QAbstractButton {
    Q_OBJECT
public:
    LinkButton(const QString &caption, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

}  // namespace trevak
