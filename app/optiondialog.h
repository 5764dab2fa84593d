#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The Options dialog: one name field with Ok and Cancel. Nothing it shows is
// stored or used yet.
class OptionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit OptionDialog(QWidget *parent = nullptr);

public slots:
    void slotBtnClicked();

private:
    QLineEdit *nameEdit;
    QPushButton *okButton;
    QPushButton *cancelButton;
};
