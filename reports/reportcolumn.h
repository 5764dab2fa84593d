#pragma once

#include <QString>

// One column of the PDF report's reading table: its title and its share of
// the table width.
struct ReportColumn
{
    QString title;
    int weight;
};
