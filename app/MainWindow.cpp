#include "app/MainWindow.h"

#include "app/Announcer.h"
#include "app/CoordinateLabels.h"
#include "app/FixedLabel.h"
#include "app/GaugeWidget.h"
#include "app/Pictures.h"
#include "app/PlatformServices.h"
#include "app/ScaledTextLabel.h"
#include "app/SquareWidget.h"
#include "app/Twips.h"
#include "app/WindowAccessibility.h"
#include "app/WindowFont.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace trevak {

namespace {

constexpr int kClientWidth = px(8415);
constexpr int kClientHeight = px(5760);

QPushButton *makeButton(QWidget *parent, const QString &caption, QRect geometry,
                        const QString &description)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setFont(windowFont(12, true));
    button->setAutoDefault(false);
    // A mouse click leaves the focus where it was; Tab still reaches the buttons.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAccessibleDescription(description);
    return button;
}

// Shows `text` and tells a screen reader `spokenPrefix` + `text`; nothing when it is unchanged.
void setCaption(QLabel *label, const QString &text, const QString &spokenPrefix)
{
    if (label->text() == text)
        return;
    label->setText(text);
    label->setAccessibleName(spokenPrefix + text);
}

}  // namespace

MainWindow::MainWindow(PlatformServices &services, const QString &gamesFolder, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_dialogs(m_game, services, gamesFolder)
{
    setWindowTitle(QStringLiteral("Trevak"));
    installWindowAccessibility();

    auto *client = new QWidget(this);
    setCentralWidget(client);
    buildBoard(client);
    buildSidePanel(client);
    buildMenus();
    m_announcer = new Announcer(client);
    setTabOrder();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { onFocusChanged(now); });

    // The client area keeps its size; the frame may still be resized and nothing moves.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    refresh();
}

MainWindow::~MainWindow()
{
    // Closing as a QWidget changes the focus once more, when this window is no longer one.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    m_leaving = true;  // nothing to hand the focus back to
    delete m_about;
}

void MainWindow::buildBoard(QWidget *client)
{
    // Beneath the squares, which cover the captions' shared bounding box.
    new CoordinateLabels(client);
    for (int square = 1; square <= kSquareCount; ++square) {
        auto *widget = new SquareWidget(square, client);
        widget->setGeometry(px(360 + 600 * columnOf(square)), px(480 + 600 * (7 - rowOf(square))),
                            px(615), px(615));
        connect(widget, &SquareWidget::clicked, this, [this, square] { onSquareClicked(square); });
        connect(widget, &SquareWidget::focusStepRequested, this, &MainWindow::moveFocus);
        m_squares[square - 1] = widget;
    }
}

void MainWindow::buildSidePanel(QWidget *client)
{
    // Marked first: Qt may make a widget's accessible interface as soon as it joins the window.
    auto *knightPicture = new QLabel;
    markAsKnightPicture(knightPicture);
    knightPicture->setParent(client);
    knightPicture->setGeometry(twipsRect(5775, 1425, 1590, 1890));
    knightPicture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    knightPicture->setPixmap(resourcePixmap(QStringLiteral("knight"), ".bmp"));

    auto *counterCaption = new ScaledTextLabel;
    markAsCounterCaption(counterCaption);
    counterCaption->setParent(client);
    placeLabel(counterCaption, QStringLiteral("Počet bodů:"), twipsRect(5760, 120, 735, 735),
               windowFont(13.5))
        ->setWordWrap(true);
    m_moveCounter = placeLabel(new ScaledTextLabel(client), QStringLiteral("0"),
                               twipsRect(6600, 480, 975, 375), windowFont(13.5));
    m_percentLabel = placeLabel(new ScaledTextLabel(client), QStringLiteral("0%"),
                                twipsRect(7800, 5160, 495, 255), windowFont(9.75));
    m_moveCounter->setAccessibleName(QStringLiteral("Počet bodů: 0"));
    m_percentLabel->setAccessibleName(QStringLiteral("Zaplněno: 0%"));
    m_gauge = new GaugeWidget(client);

    m_backButton = makeButton(client, QStringLiteral("Zpět"), twipsRect(6240, 3960, 975, 495),
                              QStringLiteral("Vrátit poslední tah"));
    connect(m_backButton, &QPushButton::clicked, this, &MainWindow::stepBack);
    m_forwardButton = makeButton(client, QStringLiteral("Vpřed"), twipsRect(6240, 4680, 975, 495),
                                 QStringLiteral("Zopakovat vrácený tah"));
    connect(m_forwardButton, &QPushButton::clicked, this, &MainWindow::stepForward);
}

void MainWindow::buildMenus()
{
    QMenu *game = menuBar()->addMenu(QStringLiteral("&Hra"));
    connect(game->addAction(QStringLiteral("&Nová")), &QAction::triggered, this,
            &MainWindow::startNewGame);
    game->addSeparator();
    m_saveAction = game->addAction(QStringLiteral("&Uložit"));
    connect(m_saveAction, &QAction::triggered, this, &MainWindow::saveGame);
    connect(game->addAction(QStringLiteral("N&ačíst")), &QAction::triggered, this,
            &MainWindow::loadGame);
    game->addSeparator();
    connect(game->addAction(QStringLiteral("&Konec")), &QAction::triggered, this,
            &MainWindow::leave);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Nápověda"));
    connect(help->addAction(QStringLiteral("&Pomoc")), &QAction::triggered, this,
            &MainWindow::showHelp);
    connect(help->addAction(QStringLiteral("&O programu")), &QAction::triggered, this,
            &MainWindow::showAbout);
}

void MainWindow::setTabOrder()
{
    // The board, whichever square is its stop, then the buttons.
    QWidget *previous = m_squares.front();
    for (SquareWidget *square : m_squares) {
        if (square != previous)
            QWidget::setTabOrder(previous, square);
        previous = square;
    }
    QWidget::setTabOrder(previous, m_backButton);
    QWidget::setTabOrder(m_backButton, m_forwardButton);
}

void MainWindow::moveFocus(int square, int rowStep, int columnStep)
{
    const int row = rowOf(square) + rowStep;
    const int column = columnOf(square) + columnStep;
    if (row < 0 || row > 7 || column < 0 || column > 7)
        return;
    m_squares[squareAt(row, column) - 1]->setFocus(Qt::TabFocusReason);
}

SquareWidget *MainWindow::boardEntry() const
{
    return square(m_game.hasKnight() ? m_game.knightSquare() : 1);
}

void MainWindow::updateBoardTabStop()
{
    auto *focused = qobject_cast<SquareWidget *>(focusWidget());
    SquareWidget *stop = focused && focused->hasFocus() ? focused : boardEntry();
    if (stop == m_tabStop)
        return;
    if (m_tabStop)
        m_tabStop->setFocusPolicy(Qt::NoFocus);
    stop->setFocusPolicy(Qt::TabFocus);
    m_tabStop = stop;
}

void MainWindow::onFocusChanged(QWidget *now)
{
    // The menu bar takes the focus only while a menu is used by keyboard.
    if (now && now->window() == this && !qobject_cast<QMenuBar *>(now))
        m_lastFocus = now;
    updateBoardTabStop();
}

void MainWindow::restoreFocus()
{
    if (m_leaving)
        return;
    activateWindow();
    raise();
    QWidget *target = m_lastFocus && m_lastFocus->isEnabled() ? m_lastFocus.data() : boardEntry();
    target->setFocus(Qt::OtherFocusReason);
}

void MainWindow::announcePosition()
{
    const int step = m_game.shownStep();
    if (!m_game.hasKnight())
        m_announcer->announce(QStringLiteral("Šachovnice je prázdná, tah 0"));
    else
        m_announcer->announce(QStringLiteral("Jezdec na %1, tah %2")
                                  .arg(QString::fromStdString(squareName(m_game.knightSquare())))
                                  .arg(step));
}

void MainWindow::refresh()
{
    const auto marks = m_game.marks();
    for (int i = 0; i < kSquareCount; ++i)
        m_squares[i]->setMark(marks[i]);
    setCaption(m_moveCounter, QString::number(m_game.shownStep()), QStringLiteral("Počet bodů: "));
    setCaption(m_percentLabel, QString::fromStdString(m_game.percentText()),
               QStringLiteral("Zaplněno: "));
    m_gauge->setVisibleStrokes(m_game.shownStep());
    updateBoardTabStop();
    // A button that is switched off under the focus hands it to the board, not to its neighbour.
    for (const auto &[button, enabled] : {std::pair(m_backButton, m_game.backEnabled()),
                                          std::pair(m_forwardButton, m_game.forwardEnabled())}) {
        if (!enabled && button->hasFocus())
            boardEntry()->setFocus(Qt::OtherFocusReason);
        button->setEnabled(enabled);
    }
    m_saveAction->setEnabled(m_game.saveEnabled());
}

void MainWindow::onSquareClicked(int square)
{
    const ClickResult result = m_game.playSquare(square);
    refresh();
    const QString name = QString::fromStdString(squareName(square));
    if (result == ClickResult::Refused) {
        m_services.beep();
        if (m_game.shownStep() == kSquareCount)
            m_announcer->announce(QStringLiteral("Všechna pole jsou zaplněna."));
        else if (m_game.markOf(square) != SquareMark::Empty)
            m_announcer->announce(QStringLiteral("Pole %1 je obsazené.").arg(name));
        else
            m_announcer->announce(QStringLiteral("Na pole %1 jezdec neskočí.").arg(name));
        return;
    }
    announcePosition();
    if (result == ClickResult::BoardFull) {
        m_services.showMessage(QStringLiteral("Vyhrál jste."),
                               QStringLiteral("Blahopřeji, Všechna pole jsou zaplněna."),
                               MessageIcon::None);
        restoreFocus();
    }
}

void MainWindow::stepBack()
{
    m_game.stepBack();
    refresh();
    announcePosition();
}

void MainWindow::stepForward()
{
    m_game.stepForward();
    refresh();
    announcePosition();
}

void MainWindow::startNewGame()
{
    m_dialogs.offerToSave(QStringLiteral("Konec"));
    m_game.startNew();
    refresh();
    restoreFocus();
}

void MainWindow::saveGame()
{
    m_dialogs.save();
    refresh();
    restoreFocus();
}

void MainWindow::loadGame()
{
    // A knight just placed is no game worth keeping: the offer comes only after a jump.
    m_dialogs.offerToSave(QStringLiteral("Uložit"));
    m_game.clear();
    refresh();  // the board is seen empty while the open dialog is up
    if (const std::optional<Tour> tour = m_dialogs.chooseSavedGame()) {
        m_game.showLoadedTour(*tour);
        refresh();
    }
    restoreFocus();
    if (m_game.hasKnight())
        announcePosition();
}

void MainWindow::leave()
{
    m_dialogs.offerToSave(QStringLiteral("Konec"));
    m_leaving = true;
    if (m_about)
        m_about->close();
    m_services.endProgram();
}

Answer MainWindow::offerToSaveBeforeLogout()
{
    const Answer answer = m_dialogs.offerToSaveOrCancel(QStringLiteral("Konec"));
    refresh();  // a save turns Uložit off
    restoreFocus();  // the logout may be cancelled, here or by another program
    return answer;
}

void MainWindow::showKeptGame(const GameState &state)
{
    m_game.restore(state);
    refresh();
}

void MainWindow::endWithSession()
{
    m_leaving = true;
    if (m_about)
        m_about->close();
    m_services.endProgram();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Leaving cannot be cancelled; "Konec" has already asked when it closes the window.
    if (!m_leaving)
        leave();
    event->accept();
}

void MainWindow::showHelp()
{
    QFile file(QStringLiteral(":/text/help.txt"));
    file.open(QIODevice::ReadOnly);
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    m_services.showMessage(QStringLiteral(" Nápověda "), text, MessageIcon::Information);
    restoreFocus();
}

void MainWindow::showAbout()
{
    if (!m_about) {
        m_about = new AboutWindow(m_services);
        // Closed, it hands the keyboard back to this window, also where no window manager would.
        connect(m_about, &QObject::destroyed, this, &MainWindow::restoreFocus);
    }
    m_about->showAtFixedPosition();
}

}  // namespace trevak
