#include "testsupport.h"

#include "device/dmmdata.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

static QTimer *answerNext(QWidget *(*find)(), const std::function<void(QWidget *)> &handler)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, find, handler] {
        QWidget *widget = find();
        if (!widget)
            return;
        timer->stop();
        timer->deleteLater();
        handler(widget);
    });
    timer->start();
    return timer;
}

QTimer *answerNextModal(const std::function<void(QWidget *)> &handler)
{
    return answerNext(&QApplication::activeModalWidget, handler);
}

QTimer *answerNextPopup(const std::function<void(QWidget *)> &handler)
{
    return answerNext(&QApplication::activePopupWidget, handler);
}

void typeIntoInputDialog(QWidget *dialog, const QString &text)
{
    auto *edit = dialog->findChild<QLineEdit *>();
    QVERIFY(edit);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void cancelDialog(QWidget *dialog)
{
    QTest::keyClick(dialog, Qt::Key_Escape);
}

std::function<void(QWidget *)> clickMessageBox(int standardButton, QString *seenText)
{
    return [standardButton, seenText](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY2(box, "the modal widget is no message box");
        if (seenText)
            *seenText = box->text();
        QAbstractButton *button = box->button(QMessageBox::StandardButton(standardButton));
        QVERIFY(button);
        button->click();
    };
}

QString testBinDir()
{
    return QCoreApplication::applicationDirPath();
}

DmmData *makeReading(double um, const QString &unit, const QString &basis, const QDateTime &time)
{
    auto *data = new DmmData;
    data->setTime(time);
    data->setValueUm(um);
    data->setValueMil(um / 25.4);
    data->setTextUm(QString::number(um, 'f', 0));
    data->setTextMil(QString::number(um / 25.4, 'f', 2));
    data->setOverRange(0);
    data->setUnit(unit);
    data->setBasis(basis);
    return data;
}
