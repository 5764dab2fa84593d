#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPixmap>
#include <QString>

class QAbstractItemModel;
class QIODevice;
class QPainter;
struct ReportColumn;

// The PDF report of an item on A4: a first page with the scene picture, the
// histogram and the trend chart, then ruled tables of every row of the
// reading table with a date line and "page/pages" numbers. The layout is
// measured in the writer's device pixels from the painter's initial font.
class PdfReport
{
    // The first-page headings belong to the main window's texts.
    Q_DECLARE_TR_FUNCTIONS(Widget)

public:
    // The model and the columns must outlive the report.
    PdfReport(const QAbstractItemModel &model, const QList<ReportColumn *> &columns);

    // An empty name, or one of a missing file, leaves the scene picture out.
    void setSceneFile(const QString &fileName) { sceneFile = fileName; }
    // Null pictures are left out with their headings.
    void setHistogram(const QPixmap &picture) { histogram = picture; }
    void setChart(const QPixmap &picture) { chart = picture; }

    // Writes the document to the open device; false when painting failed.
    bool write(QIODevice *device);
    // Known after write().
    int rowsPerPage() const { return rowsPerTablePage; }
    int pageCount() const { return tablePages + 1; }

private:
    void drawFirstPage(QPainter &painter, int pictureHeight, int lineHeight);
    void drawPageNumber(QPainter &painter, int page);
    void drawTablePage(QPainter &painter, int page);

    const QAbstractItemModel &model;
    const QList<ReportColumn *> &columns;
    QString sceneFile;
    QPixmap histogram;
    QPixmap chart;

    int rowHeight = 0;
    int margin = 0;
    int right = 0;
    int rowsPerTablePage = 0;
    int tablePages = 0;
};
