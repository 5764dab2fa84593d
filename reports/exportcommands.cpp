// The Export and Import commands of the main window.
#include "app/widget.h"

void Widget::on_actionExport_triggered()
{
}

void Widget::on_actionImport_triggered()
{
}
