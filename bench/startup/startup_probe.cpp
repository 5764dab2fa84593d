// Starts the main window (or, with "bare", an empty QMainWindow for
// comparison), and prints the wall-clock time in microseconds since the epoch
// once the window has been shown and painted, then quits.
#include "app/widget.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool bare = app.arguments().contains(QStringLiteral("bare"));
    std::unique_ptr<QMainWindow> window(bare ? new QMainWindow : new Widget);
    window->show();
    QTimer::singleShot(0, &app, [&] {
        window->repaint();
        std::printf("%lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()) * 1000);
        std::fflush(stdout);
        // Skip the settings file: the probe measures start-up only.
        std::_Exit(0);
    });
    return app.exec();
}
