#pragma once

#include <QApplication>
#include <QDateTime>
#include <QString>
#include <QTest>

#include <functional>

class DmmData;
class QTimer;
class QWidget;

// Answers the next modal dialog: a 10 ms timer looks for the active modal
// widget and hands it to the handler once. Start it before the call that
// opens the dialog; the timer returned deletes itself once it has answered.
QTimer *answerNextModal(const std::function<void(QWidget *)> &handler);

// The same for the next popup menu (QApplication::activePopupWidget).
QTimer *answerNextPopup(const std::function<void(QWidget *)> &handler);

// Handlers for the common dialogs.
void typeIntoInputDialog(QWidget *dialog, const QString &text); // then Return
void cancelDialog(QWidget *dialog);                             // Escape
// Clicks the message box's button with the given text and remembers the box's text.
std::function<void(QWidget *)> clickMessageBox(int standardButton, QString *seenText = nullptr);

// A reading of the given thickness with both unit pairs filled as a gauge
// would; the caller owns it.
DmmData *makeReading(double um, const QString &unit = QStringLiteral("um"),
                     const QString &basis = QStringLiteral("Fe"),
                     const QDateTime &time = QDateTime(QDate(2026, 3, 1), QTime(9, 30)));

// The folder of the test executable; a fresh file there for the window's settings.
QString testBinDir();

// Headless set-up every test executable shares: no native dialogs, no
// desktop theme.
#define MERIDO_TEST_MAIN(TestObject)                                       \
    int main(int argc, char *argv[])                                       \
    {                                                                      \
        qunsetenv("QT_QPA_PLATFORMTHEME");                                 \
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);           \
        QApplication app(argc, argv);                                      \
        app.setAttribute(Qt::AA_Use96Dpi, true);                           \
        TestObject tc;                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                         \
        return QTest::qExec(&tc, argc, argv);                              \
    }
