// Reports on large items, through the window as a user runs them: the time
// from the file chooser's answer to the result message. Workbook export and
// import of 100,000 readings (import against openpyxl reading the same file)
// and the PDF report of 10,000 readings.
#include "app/widget.h"
#include "items/itemdata.h"
#include "items/tvitemmodel.h"
#include "support/benchreadings.h"
#include "support/benchutil.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

namespace {
// Answers the window's dialogs: the export dialog with the given output, the
// file chooser with the given file, and times until the result message.
class Answerer : public QObject
{
public:
    Answerer(const QString &output, const QString &file)
        : output(output)
        , file(file)
    {
        connect(&poll, &QTimer::timeout, this, &Answerer::answer);
        poll.start(1);
    }

    double elapsedMs() const { return ms; }
    QString message() const { return text; }

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == answered)
            return;
        answered = modal;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            ms = stopwatch.nsecsElapsed() / 1e6;
            text = box->text();
            poll.stop();
            box->accept();
        } else if (qobject_cast<QFileDialog *>(modal)) {
            auto *edit = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            edit->setText(file);
            stopwatch.start();
            QMetaObject::invokeMethod(modal, "accept");
        } else {
            modal->findChild<QRadioButton *>(output)->setChecked(true);
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        }
    }

    QString output;
    QString file;
    QTimer poll;
    QPointer<QWidget> answered;
    QElapsedTimer stopwatch;
    double ms = 0;
    QString text;
};

double run(Widget &window, const char *action, const QString &output, const QString &file)
{
    Answerer answerer(output, file);
    window.findChild<QAction *>(action)->trigger();
    if (!answerer.message().contains(QLatin1String("successfully")))
        qFatal("%s on %s: %s", action, qPrintable(file), qPrintable(answerer.message()));
    return answerer.elapsedMs();
}

// Measure1 with n readings, loaded into every view.
void fillMeasure1(Widget &window, int n)
{
    auto *tree = window.findChild<QTreeView *>(QStringLiteral("tvItems"));
    const QModelIndex live = tree->model()->index(1, 0);
    const QModelIndex measure = tree->model()->index(0, 0, live);
    auto *item = measure.data(TvItemModel::ItemDataRole).value<ItemData *>();
    item->clearData();
    for (int i = 0; i < n; ++i)
        item->appendData(benchReading(i), false);
    item->updateStatistics();
    QMetaObject::invokeMethod(&window, "itemSetToActive", Q_ARG(QModelIndex, tree->model()->index(0, 0)));
    QMetaObject::invokeMethod(&window, "itemSetToActive", Q_ARG(QModelIndex, measure));
}

double openpyxlMs(const QString &file)
{
    const QString script = QStringLiteral(
        "import sys, time, openpyxl\n"
        "start = time.perf_counter()\n"
        "wb = openpyxl.load_workbook(sys.argv[1], read_only=True)\n"
        "rows = sum(1 for _ in wb.worksheets[0].iter_rows(values_only=True))\n"
        "print((time.perf_counter() - start) * 1000, rows)\n");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, file});
    if (!python.waitForFinished(120000) || python.exitCode() != 0)
        qFatal("openpyxl: %s", python.readAllStandardError().constData());
    return python.readAllStandardOutput().split(' ').value(0).toDouble();
}

int pdfPages(const QString &file)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file});
    info.waitForFinished();
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
        .match(QString::fromUtf8(info.readAllStandardOutput()))
        .captured(1)
        .toInt();
}
}

int main(int argc, char *argv[])
{
    qunsetenv("QT_QPA_PLATFORMTHEME");
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    Widget window;
    window.show();

    const QString workbook = dir.filePath(QStringLiteral("readings.xlsx"));
    fillMeasure1(window, 100000);
    QVector<double> exports;
    QVector<double> imports;
    for (int i = 0; i < 3; ++i) {
        QFile::remove(workbook);
        exports << run(window, "actionExport", QStringLiteral("rbTable"), workbook);
    }
    for (int i = 0; i < 3; ++i)
        imports << run(window, "actionImport", QString(), workbook);
    const double importMs = median(imports);
    const double pythonMs = openpyxlMs(workbook);
    printFigure("xlsx_export_100k_ms", median(exports), "ms", 0);
    printFigure("xlsx_import_100k_ms", importMs, "ms", 0);
    printFigure("openpyxl_read_100k_ms", pythonMs, "ms", 0);
    printFigure("import_vs_openpyxl_ratio", pythonMs / importMs, "x", 2);

    fillMeasure1(window, 10000);
    const QString report = dir.filePath(QStringLiteral("report.pdf"));
    QVector<double> pdfs;
    for (int i = 0; i < 3; ++i) {
        QFile::remove(report);
        pdfs << run(window, "actionExport", QStringLiteral("rbPdf"), report);
    }
    printFigure("pdf_10k_ms", median(pdfs), "ms", 0);
    printFigure("pdf_10k_pages", pdfPages(report), "pages", 0);
    return 0;
}
