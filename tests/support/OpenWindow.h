#pragma once
// The real main window, shown offscreen, with the scripted toolkit and a temporary program
// folder of its own, and the few gestures the window tests use.

#include "app/FrmTrevak.h"
#include "app/SquareWidget.h"
#include "tests/support/ScriptedToolkit.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace trevak::testing {

class OpenWindow {
public:
    OpenWindow()
    {
        toolkit.folder = folder.path();
        window = std::make_unique<FrmTrevak>(toolkit);
        window->show();
    }

    void click(int square) { QTest::mouseClick(window->square(square), Qt::LeftButton); }
    void press(const char *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void trigger(const char *item) { child<QAction>(item)->trigger(); }
    QString caption(const char *label) const { return child<QLabel>(label)->text(); }
    bool enabled(const char *name) const
    {
        if (auto *action = child<QAction>(name))
            return action->isEnabled();
        return child<QWidget>(name)->isEnabled();
    }
    template <typename T>
    T *child(const char *name) const { return window->findChild<T *>(QLatin1String(name)); }

    QTemporaryDir folder;
    ScriptedToolkit toolkit;
    std::unique_ptr<FrmTrevak> window;
};

}  // namespace trevak::testing

namespace trevak::testing {

// A test class whose every test function starts with a fresh window.
class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_game = std::make_unique<OpenWindow>();
        m_toolkit = &m_game->toolkit;
        m_window = m_game->window.get();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    void cleanup() { m_game.reset(); }

protected:
    std::unique_ptr<OpenWindow> m_game;
    ScriptedToolkit *m_toolkit = nullptr;
    FrmTrevak *m_window = nullptr;
};

}  // namespace trevak::testing
