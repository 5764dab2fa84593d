#include "optiondialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

OptionDialog::OptionDialog(QWidget *parent)
    : QDialog(parent)
    , nameEdit(new QLineEdit(QStringLiteral("Defaule Name")))
    , okButton(new QPushButton(tr("Ok")))
    , cancelButton(new QPushButton(tr("Cancel")))
{
    setWindowTitle(tr("Options"));

    auto *form = new QFormLayout;
    form->addRow(tr("Defaule name"), nameEdit);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout;
    layout->addLayout(form);
    layout->addLayout(buttons);
    setLayout(layout);

    connect(okButton, &QPushButton::clicked, this, &OptionDialog::slotBtnClicked);
    connect(cancelButton, &QPushButton::clicked, this, &OptionDialog::slotBtnClicked);
}

void OptionDialog::slotBtnClicked()
{
    if (sender() == okButton)
        accept();
    else
        reject();
}
