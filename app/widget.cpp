#include "widget.h"
#include "ui_widget.h"

#include "charts/histogram.h"
#include "charts/updatethrottle.h"
#include "device/interfaces.h"
#include "device/pluginscan.h"
#include "items/datamodel.h"
#include "items/tvitemmodel.h"
#include "reports/reportcolumn.h"

#include <QCloseEvent>
#include <QDesktopWidget>
#include <QHeaderView>
#include <QMenuBar>
#include <QTimer>

#include <limits>

static void initResources()
{
    Q_INIT_RESOURCE(images);
}

Widget::Widget(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::Widget)
{
    initResources();
    ui->setupUi(this);
    if (!loadPlugins())
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    initObj();
    initWidget();
    initSelf();
    initConnec();
}

Widget::~Widget()
{
    if (dmm)
        dmm->close();
    delete ui;
    deleteAllItems();
    delete dataModel;
    qDeleteAll(reportColumns);
    // The histogram outlives this body; it must not keep the classes.
    histogram->setRanges({});
    qDeleteAll(histogramRanges);
}

void Widget::initObj()
{
    dataModel = new DataModel;
    tableScroll = new UpdateThrottle(40, [this] { ui->tv->scrollToBottom(); }, this);
    histogram = ui->Histogram1;
    histogram->setMargins(30, 20, 20, 30);
    const double lowest = std::numeric_limits<double>::lowest();
    const double highest = std::numeric_limits<double>::max();
    const double bounds[] = {lowest, 0, 200, 400, 600, 800, 1000, 1250, highest};
    for (int i = 0; i + 1 < int(std::size(bounds)); ++i)
        histogramRanges.append(new HistogramRange{bounds[i], bounds[i + 1]});
    histogram->setRanges(histogramRanges);
    reportColumns << new ReportColumn{QStringLiteral("No."), 2}
                  << new ReportColumn{QStringLiteral("Time"), 3}
                  << new ReportColumn{QStringLiteral("Value"), 3}
                  << new ReportColumn{QStringLiteral("Unit"), 2}
                  << new ReportColumn{QStringLiteral("Basis"), 2};
}

void Widget::initWidget()
{
    ui->tv->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    ui->tv->horizontalHeader()->setSectionsClickable(false);
    ui->tv->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->tv->setModel(dataModel);
    const int columnWidths[] = {80, 150, 100, 80, 80};
    for (int column = 0; column < int(std::size(columnWidths)); ++column)
        ui->tv->setColumnWidth(column, columnWidths[column]);

    ui->tvItems->installEventFilter(this);
    ui->tv->installEventFilter(this);
    ui->listWidget->installEventFilter(this);

    ui->actionConnect->setEnabled(isGaugePortPresent());

    auto *fileMenu = new QMenu(tr("&File"));
    fileMenu->addAction(ui->actionConnect);
    fileMenu->addAction(ui->actionDisconnect);
    fileMenu->addAction(ui->actionStart);
    fileMenu->addAction(ui->actionStop);
    fileMenu->addSeparator();
    fileMenu->addAction(ui->actionImport);
    fileMenu->addAction(ui->actionExport);
    fileMenu->addSeparator();
    fileMenu->addAction(ui->actionClose);
    auto *helpMenu = new QMenu(tr("&Help"));
    helpMenu->addAction(ui->actionManual);
    // The menu bar does not take ownership of menus added as menus.
    fileMenu->setParent(ui->menuBar, fileMenu->windowFlags());
    helpMenu->setParent(ui->menuBar, helpMenu->windowFlags());
    ui->menuBar->addMenu(fileMenu);
    ui->menuBar->addMenu(helpMenu);

    itemIcon = QIcon(QStringLiteral(":/image/measure.png"));
    initItemTree();

    ui->tabWidget->setStyleSheet(QStringLiteral("QTabBar::tab{min-width:100px}"));
    const char *tabTexts[] = {QT_TR_NOOP("Table"), QT_TR_NOOP("Histogram"), QT_TR_NOOP("Chart")};
    const char *tabIcons[] = {":/image/table.png", ":/image/item.png", ":/image/chart.png"};
    for (int page = 0; page < 3; ++page) {
        ui->tabWidget->setTabText(page, tr(tabTexts[page]));
        ui->tabWidget->setTabIcon(page, QIcon(QString::fromLatin1(tabIcons[page])));
    }

    ui->chart->setLeftMargin(70);
    ui->chart->setBottomMargin(50);
    ui->chart->setYTitle(tr("Thickness(um)"));
    ui->chart->setXTitle(tr("Time"));

    histogram->setMargins(100, 20, 20, 50);
    histogram->setYTitle(tr("Thickness(um)"));
    histogram->setXTitle(tr("Rate"));

    ui->listWidget->hide();
}

void Widget::initSelf()
{
    setWindowTitle(QStringLiteral("%1 v%2 ").arg(QStringLiteral("Merido"), QStringLiteral("1.0")));
    resize(1000, 600);
    const QRect desktop = QApplication::desktop()->geometry();
    move((desktop.width() - width()) / 2, (desktop.height() - height()) / 2);
}

void Widget::initConnec()
{
    if (dmm) {
        QObject *meter = dmm->object();
        connect(meter, SIGNAL(opened()), this, SLOT(slotDmmOpened()));
        connect(meter, SIGNAL(closed()), this, SLOT(slotDmmClosed()));
        connect(meter, SIGNAL(message(QString)), this, SLOT(slotMessage(QString)));
        connect(meter, SIGNAL(display(const DmmData *)), this, SLOT(slotDmmDisplay(const DmmData*)));
        connect(meter, SIGNAL(displayStore(const DmmData *)), this, SLOT(slotDisplayStore(const DmmData*)));
        connect(meter, SIGNAL(storeNum(int,int)), this, SLOT(slotStoreNum(int,int)));
    }
    if (serialDevice)
        connect(serialDevice->object(), SIGNAL(usbRefreshed()), this, SLOT(slotUSBRefreshed()));
    connect(itemModel, &TvItemModel::editDataChanged, this, &Widget::slotItemModeleditDataChanged);
    connect(ui->tvItems->selectionModel(), &QItemSelectionModel::currentRowChanged,
            this, &Widget::slotCurrentRowChanged);
    connect(ui->actionConnect, &QAction::triggered, this, &Widget::slotAction);
    connect(ui->actionDisconnect, &QAction::triggered, this, &Widget::slotAction);
    connect(ui->actionOption, &QAction::triggered, this, &Widget::slotAction);
    connect(ui->actionClose, &QAction::triggered, this, &Widget::slotAction);
}

void Widget::closeEvent(QCloseEvent *event)
{
    if (dmm)
        dmm->close();
    saveSettings();
    QMainWindow::closeEvent(event);
}

void Widget::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    restoreSettings();
}
