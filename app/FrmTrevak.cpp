#include "app/FrmTrevak.h"

#include "app/CoordinateLabels.h"
#include "app/DesignFont.h"
#include "app/DesignTextLabel.h"
#include "app/FrmAbout.h"
#include "app/GaugeWidget.h"
#include "app/HelpText.h"
#include "app/QtToolkit.h"
#include "app/SquareAccessible.h"
#include "app/SquareWidget.h"
#include "app/Twips.h"
#include "game/Placement.h"
#include "history/History.h"
#include "history/NewGame.h"
#include "storage/LoadGame.h"
#include "storage/SaveGame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace trevak {

namespace {

constexpr int kClientWidth = px(8415);
constexpr int kClientHeight = px(5760);

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, QRect geometry,
                  const QFont &font, QLabel *label = nullptr)
{
    if (!label)
        label = new QLabel(parent);
    label->setText(caption);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect geometry,
                        const QString &description)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setFont(designFont(12, true));
    button->setAutoDefault(false);
    // A mouse click leaves the focus where it was; Tab still reaches the buttons.
    button->setFocusPolicy(Qt::TabFocus);
    button->setAccessibleDescription(description);
    return button;
}

QAction *makeItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

QAction *makeSeparator(QMenu *menu, const char *name, int index)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(QLatin1String(name));
    separator->setProperty("Index", index);
    return separator;
}

}  // namespace

FrmTrevak::FrmTrevak(Toolkit &toolkit, QWidget *parent) : QMainWindow(parent), m_toolkit(toolkit)
{
    setObjectName(QStringLiteral("FrmTrevak"));
    setWindowTitle(QStringLiteral("Trevak"));
    installSquareAccessibility();

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    buildBoard(client);
    buildSidePanel(client);
    buildMenus();
    setTabOrder();

    // The client area keeps its designed size; the frame may still be resized and nothing moves.
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

    Form_Load();
    showState();
}

FrmTrevak::~FrmTrevak()
{
    delete m_about;
}

void FrmTrevak::buildBoard(QWidget *client)
{
    // Beneath the squares, which cover the captions' shared bounding box.
    new CoordinateLabels(client);
    for (int i = 1; i <= kSquareCount; ++i) {
        auto *square = new SquareWidget(i, m_state.tag[i], client);
        square->setGeometry(px(360 + 600 * columnOf(i)), px(480 + 600 * (7 - rowOf(i))), px(615), px(615));
        connect(square, &SquareWidget::clicked, this, &FrmTrevak::obrPolicko_Click);
        connect(square, &SquareWidget::focusStepRequested, this, &FrmTrevak::moveFocus);
        m_squares[i] = square;
    }
}

void FrmTrevak::buildSidePanel(QWidget *client)
{
    auto *knight = new QLabel(client);
    knight->setObjectName(QStringLiteral("Picture1"));
    knight->setGeometry(twipsRect(5775, 1425, 1590, 1890));
    knight->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    knight->setPixmap(QtToolkit::resourcePixmap(QStringLiteral("knight"), ".bmp"));

    QLabel *title = makeLabel(client, "Label3", QStringLiteral("Počet bodů:"),
                              twipsRect(5760, 120, 735, 735), designFont(13.5), new DesignTextLabel(client));
    title->setProperty("Index", 0);
    title->setWordWrap(true);
    m_lblBody = makeLabel(client, "LblBody", QStringLiteral("0"), twipsRect(6600, 480, 975, 375),
                          designFont(13.5), new DesignTextLabel(client));
    m_lblHotovo = makeLabel(client, "LblHotovo", QStringLiteral("0%"), twipsRect(7800, 5160, 495, 255),
                            designFont(9.75), new DesignTextLabel(client));
    m_lblBody->setAccessibleName(QStringLiteral("Počet bodů: 0"));
    m_lblHotovo->setAccessibleName(QStringLiteral("Zaplněno: 0%"));
    makeLabel(client, "Label2", QString(), twipsRect(7575, 150, 240, 5040), font());
    makeLabel(client, "Label4", QString(), twipsRect(8175, 150, 240, 5040), font());
    m_gauge = new GaugeWidget(client);

    m_cmdZpet = makeButton(client, "CmdZpet", QStringLiteral("Zpět"), twipsRect(6240, 3960, 975, 495),
                           QStringLiteral("Vrátit poslední tah"));
    connect(m_cmdZpet, &QPushButton::clicked, this, &FrmTrevak::CmdZpet_Click);
    m_cmdVpred = makeButton(client, "CmdVpred", QStringLiteral("Vpřed"), twipsRect(6240, 4680, 975, 495),
                            QStringLiteral("Zopakovat vrácený tah"));
    connect(m_cmdVpred, &QPushButton::clicked, this, &FrmTrevak::CmdVpred_Click);
}

void FrmTrevak::buildMenus()
{
    QMenu *game = menuBar()->addMenu(QStringLiteral("&Hra"));
    game->setObjectName(QStringLiteral("mnuHra"));
    connect(makeItem(game, "miNova", QStringLiteral("&Nová")), &QAction::triggered, this, &FrmTrevak::miNova_Click);
    makeSeparator(game, "miSepeator", 0);
    m_miUlozit = makeItem(game, "miUlozit", QStringLiteral("&Uložit"));
    connect(m_miUlozit, &QAction::triggered, this, &FrmTrevak::miUlozit_Click);
    connect(makeItem(game, "miNacist", QStringLiteral("N&ačíst")), &QAction::triggered, this, &FrmTrevak::miNacist_Click);
    makeSeparator(game, "miSepeator1", 1);
    connect(makeItem(game, "miKonec", QStringLiteral("&Konec")), &QAction::triggered, this, &FrmTrevak::miKonec_Click);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Nápověda"));
    help->setObjectName(QStringLiteral("miNapoveda"));
    connect(makeItem(help, "miPomoc", QStringLiteral("&Pomoc")), &QAction::triggered, this, &FrmTrevak::miPomoc_Click);
    connect(makeItem(help, "MiOProgramu", QStringLiteral("&O programu")), &QAction::triggered, this, &FrmTrevak::MiOProgramu_Click);
}

void FrmTrevak::setTabOrder()
{
    // The squares first, A1 to H8, then the buttons.
    QWidget *previous = m_squares[1];
    for (int i = 2; i <= kSquareCount; ++i) {
        QWidget::setTabOrder(previous, m_squares[i]);
        previous = m_squares[i];
    }
    QWidget::setTabOrder(previous, m_cmdZpet);
    QWidget::setTabOrder(m_cmdZpet, m_cmdVpred);
}

void FrmTrevak::moveFocus(int index, int rowStep, int columnStep)
{
    const int row = rowOf(index) + rowStep;
    const int column = columnOf(index) + columnStep;
    if (row < 0 || row > 7 || column < 0 || column > 7)
        return;
    m_squares[indexAt(row, column)]->setFocus(Qt::TabFocusReason);
}

void FrmTrevak::Form_Load()
{
    trevak::Form_Load(m_state);
}

void FrmTrevak::showState()
{
    for (int i = 1; i <= kSquareCount; ++i) {
        SquareWidget *square = m_squares[i];
        const int id = m_state.picture[i];
        if (square->pictureId() != id)
            square->setPicture(id, m_toolkit.picture(id));
    }
    const QString body = QString::number(m_state.lblBody);
    if (m_lblBody->text() != body) {
        m_lblBody->setText(body);
        m_lblBody->setAccessibleName(QStringLiteral("Počet bodů: ") + body);
    }
    const QString percent = QString::fromStdString(m_state.lblHotovo);
    if (m_lblHotovo->text() != percent) {
        m_lblHotovo->setText(percent);
        m_lblHotovo->setAccessibleName(QStringLiteral("Zaplněno: ") + percent);
    }
    m_gauge->setVisibleStrokes(m_state.line1Visible);
    m_cmdZpet->setEnabled(m_state.cmdZpetEnabled);
    m_cmdVpred->setEnabled(m_state.cmdVpredEnabled);
    m_miUlozit->setEnabled(m_state.miUlozitEnabled);
}

void FrmTrevak::obrPolicko_Click(int index)
{
    const ClickOutcome outcome = trevak::obrPolicko_Click(m_state, index);
    showState();
    if (outcome == ClickOutcome::Refused)
        m_toolkit.beep();
    else if (outcome == ClickOutcome::BoardFull)
        m_toolkit.msgBox(QStringLiteral("Blahopřeji, Všechna pole jsou zaplněna."), MsgOk,
                         QStringLiteral("Vyhrál jste."));
}

void FrmTrevak::CmdZpet_Click()
{
    StepBack(m_state);
    showState();
}

void FrmTrevak::CmdVpred_Click()
{
    StepForward(m_state);
    showState();
}

void FrmTrevak::miNova_Click()
{
    NewGame(m_state, m_toolkit);
    showState();
}

void FrmTrevak::miUlozit_Click()
{
    SaveGame(m_state, m_toolkit);
    showState();
}

void FrmTrevak::miNacist_Click()
{
    LoadGame(m_state, m_toolkit, [this] { showState(); });
    showState();
}

void FrmTrevak::Form_Unload()
{
    offerSave(m_state, m_toolkit, QStringLiteral("Konec"));
    m_ending = true;
    if (m_about)
        m_about->close();
    m_toolkit.endProgram();
}

void FrmTrevak::miKonec_Click()
{
    Form_Unload();
}

void FrmTrevak::closeEvent(QCloseEvent *event)
{
    // Leaving cannot be cancelled; "Konec" has already asked when it closes the window.
    if (!m_ending)
        Form_Unload();
    event->accept();
}

void FrmTrevak::miPomoc_Click()
{
    m_toolkit.msgBox(helpText(), MsgInformation, QStringLiteral(" Nápověda "));
}

void FrmTrevak::MiOProgramu_Click()
{
    if (!m_about)
        m_about = new FrmAbout(m_toolkit);
    m_about->showAtDesignPosition();
}

}  // namespace trevak
