// How long the window takes to handle a click on a square, a Back and a Forward press,
// each with its repaint, offscreen: a whole tour, 63 steps back and 63 forward, repeated.
// Prints the median, the 90th percentile and the worst of each kind.

#include "app/MainWindow.h"
#include "app/SquareWidget.h"
#include "tests/support/BoardFacts.h"
#include "tests/support/OpenWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>

using namespace trevak;

namespace {

struct Figures {
    std::vector<qint64> nanoseconds;
    void print(const char *what)
    {
        std::sort(nanoseconds.begin(), nanoseconds.end());
        const auto at = [this](double q) {
            return nanoseconds[size_t(q * double(nanoseconds.size() - 1))] / 1000.0;
        };
        std::printf("%-22s %7zu  median %8.1f us  p90 %8.1f us  worst %8.1f us\n", what,
                    nanoseconds.size(), at(0.5), at(0.9), at(1.0));
    }
};

// One event handled and everything it changed painted and flushed.
template <typename Action> void measure(Figures &figures, Action action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    QApplication::processEvents();
    figures.nanoseconds.push_back(timer.nsecsElapsed());
}

}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;

    testing::ScriptedServices services;
    MainWindow window(services, QDir::tempPath());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "bench_clicks: the window was never shown\n");
        return 1;
    }
    QPushButton *back = window.backButton();
    QPushButton *forward = window.forwardButton();
    const std::vector<int> tour = testing::wholeTour();
    if (tour.size() != kSquareCount) {
        std::fprintf(stderr, "bench_clicks: no whole tour found\n");
        return 1;
    }

    Figures clicks, backs, forwards;
    for (int round = 0; round < rounds; ++round) {
        window.startNewGame();
        QApplication::processEvents();
        for (int square : tour)
            measure(clicks, [&] { QTest::mouseClick(window.square(square), Qt::LeftButton); });
        for (int k = 0; k < 63; ++k)
            measure(backs, [&] { QTest::mouseClick(back, Qt::LeftButton); });
        for (int k = 0; k < 63; ++k)
            measure(forwards, [&] { QTest::mouseClick(forward, Qt::LeftButton); });
    }
    std::printf("Handling and repainting, %d rounds, offscreen:\n", rounds);
    clicks.print("click on a square");
    backs.print("Back");
    forwards.print("Forward");
    return 0;
}
