#pragma once
// A link of the About window: a button drawn as underlined text, as the window was laid out,
// framed while it has the focus. A click, Space or Enter opens it. Screen readers see a link
// whose description is its address.

#include <QAbstractButton>

namespace trevak {

class LinkButton : public QAbstractButton {
    Q_OBJECT
public:
    LinkButton(const QString &caption, const QString &address, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

}  // namespace trevak
