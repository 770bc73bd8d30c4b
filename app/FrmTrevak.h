#pragma once
// The main window: the board, the move counter, the gauge, the history buttons and the menus.
// It holds the game's state, forwards each event to the game's logic and then shows the state.

#include "app/FrmAbout.h"
#include "game/GameState.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class QAction;
class QLabel;
class QPushButton;

namespace trevak {

class GaugeWidget;
class SquareWidget;
class Toolkit;

class FrmTrevak : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmTrevak(Toolkit &toolkit, QWidget *parent = nullptr);
    ~FrmTrevak() override;

    const GameState &state() const { return m_state; }
    SquareWidget *square(int index) const { return m_squares[index]; }
    FrmAbout *aboutWindow() const { return m_about; }

public slots:
    void obrPolicko_Click(int index);
    void CmdZpet_Click();
    void CmdVpred_Click();
    void miNova_Click();
    void miUlozit_Click();
    void miNacist_Click();
    void miKonec_Click();
    void miPomoc_Click();
    void MiOProgramu_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void buildBoard(QWidget *client);
    void buildSidePanel(QWidget *client);
    void buildMenus();
    void setTabOrder();
    void moveFocus(int index, int rowStep, int columnStep);
    // Brings every control in line with the state; touches only what changed.
    void showState();

    Toolkit &m_toolkit;
    GameState m_state;
    bool m_ending = false;

    std::array<SquareWidget *, kSquareCount + 1> m_squares{};
    GaugeWidget *m_gauge = nullptr;
    QLabel *m_lblBody = nullptr;
    QLabel *m_lblHotovo = nullptr;
    QPushButton *m_cmdZpet = nullptr;
    QPushButton *m_cmdVpred = nullptr;
    QAction *m_miUlozit = nullptr;
    QPointer<FrmAbout> m_about;
};

}  // namespace trevak
