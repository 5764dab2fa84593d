#pragma once

#include "device/dmmdata.h"
#include "items/datamodel.h"
#include "items/itemdata.h"
#include "support/testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <memory>

// Helpers the report tests share: fixture files, items with readings and
// the outside programs that check the files written.

inline QString fixture(const QString &name)
{
    return QStringLiteral(MERIDO_FIXTURES "/") + name;
}

// An item of n readings a second apart, 100 um and up, with an over-range
// reading of each kind at positions 1 and 2 when there are enough.
inline ItemData *itemWithReadings(int n, const QString &unit = QStringLiteral("um"))
{
    auto *item = new ItemData(QStringLiteral("Measure1"), ItemData::MeasureData);
    const QDateTime start(QDate(2026, 3, 1), QTime(9, 30));
    for (int i = 0; i < n; ++i) {
        DmmData *reading = makeReading(100 + i, unit, i % 2 ? QStringLiteral("NFe") : QStringLiteral("Fe"),
                                       start.addSecs(i));
        if (i == 1 || i == 2) {
            const QString text = i == 1 ? QStringLiteral("   -OL") : QStringLiteral("    OL");
            reading->setTextUm(text);
            reading->setTextMil(text);
        }
        item->appendData(reading, false);
    }
    item->setUnit(unit);
    item->updateStatistics();
    return item;
}

// The reading table model over an item, as the main window fills it.
inline std::unique_ptr<DataModel> tableOf(ItemData *item)
{
    auto model = std::make_unique<DataModel>();
    model->setItem(item);
    model->setDataList(item->dataList());
    return model;
}

// Standard output of a program that must succeed.
inline QByteArray runChecked(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning() << program << arguments << process.readAllStandardError();
        return QByteArray();
    }
    return process.readAllStandardOutput();
}

inline int pdfPageCount(const QString &file)
{
    const QString info = QString::fromUtf8(runChecked(QStringLiteral("pdfinfo"), {file}));
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
}

// The text of one page (from 1), or of all pages with page 0.
inline QString pdfText(const QString &file, int page = 0)
{
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    return QString::fromUtf8(runChecked(QStringLiteral("pdftotext"), arguments << file << QStringLiteral("-")));
}

// Answers a file dialog with a file name, or cancels it with an empty one.
inline void chooseFile(QWidget *dialog, const QString &fileName)
{
    QVERIFY2(qobject_cast<QFileDialog *>(dialog), "the modal widget is no file dialog");
    if (fileName.isEmpty()) {
        cancelDialog(dialog);
        return;
    }
    auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setText(fileName);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Answers the next modal widgets in turn, one handler each.
inline void answerModals(QList<std::function<void(QWidget *)>> handlers)
{
    if (handlers.isEmpty())
        return;
    const auto first = handlers.takeFirst();
    answerNextModal([first, handlers](QWidget *widget) {
        answerModals(handlers);
        first(widget);
    });
}
