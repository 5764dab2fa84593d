#include "dlgdownload.h"
#include "ui_dlgdownload.h"

#include <QTimer>

namespace {
const int inactivityMs = 5000;
}

DlgDownload::DlgDownload(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DlgDownload)
{
    ui->setupUi(this);
}

DlgDownload::~DlgDownload()
{
    delete ui;
}

void DlgDownload::updatePos(int total, int pos)
{
    ui->progressBar->setRange(0, total);
    ui->progressBar->setValue(pos);
    if (timerId)
        killTimer(timerId);
    timerId = startTimer(inactivityMs, Qt::CoarseTimer);
    if (pos >= total)
        QTimer::singleShot(0, this, &QDialog::accept);
    // Repaint the bar now, even while readings arrive in a burst.
    QCoreApplication::processEvents();
}

void DlgDownload::timerEvent(QTimerEvent *)
{
    QTimer::singleShot(0, this, &QDialog::accept);
}
