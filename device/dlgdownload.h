#pragma once

#include <QDialog>

namespace Ui {
class DlgDownload;
}

// The frameless progress dialog of a memory download. It closes itself when
// the last position is reported, or 5 s after the last report.
class DlgDownload : public QDialog
{
    Q_OBJECT

public:
    explicit DlgDownload(QWidget *parent = nullptr);
    ~DlgDownload() override;

public slots:
    void updatePos(int total, int pos);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    Ui::DlgDownload *ui;
    int timerId = 0;
};
