#include "charts/histogram.h"
#include "charts/histogrambin.h"
#include "support/testsupport.h"

#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <limits>

// The histogram widget: counting values into the classes, and the picture.
class TestHistogram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void classOfValue_data();
    void classOfValue();
    void countsEqualARecount();
    void barsOnScreen();
    void tinySizesDoNotHang_data();
    void tinySizesDoNotHang();
    void savePicture();

private:
    void show(const QSize &size);
    QImage paintedImage();
    int classOf(double value) const;

    QList<HistogramRange *> ranges;
    Histogram *histogram = nullptr;
};

namespace {

const QColor barColor = QColor::fromRgba(0xfffa9600);

} // namespace

// The eight classes the main window installs.
void TestHistogram::initTestCase()
{
    const double bounds[] = {std::numeric_limits<double>::lowest(), 0, 200, 400, 600, 800, 1000, 1250,
                             std::numeric_limits<double>::max()};
    for (int i = 0; i + 1 < int(std::size(bounds)); ++i)
        ranges.append(new HistogramRange{bounds[i], bounds[i + 1]});
}

void TestHistogram::cleanupTestCase()
{
    qDeleteAll(ranges);
}

void TestHistogram::init()
{
    histogram = new Histogram;
    histogram->setRanges(ranges);
    histogram->setMargins(100, 20, 20, 50);
}

void TestHistogram::cleanup()
{
    delete histogram;
    histogram = nullptr;
}

void TestHistogram::show(const QSize &size)
{
    histogram->resize(size);
    histogram->show();
    QVERIFY(QTest::qWaitForWindowExposed(histogram));
}

QImage TestHistogram::paintedImage()
{
    histogram->repaint();
    return histogram->picture().toImage();
}

int TestHistogram::classOf(double value) const
{
    for (int row = 0; row < ranges.size(); ++row) {
        if (histogram->bin(row)->members.contains(value))
            return row;
    }
    return -1;
}

void TestHistogram::classOfValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("row");

    QTest::newRow("exactly 200") << 200.0 << 1;
    QTest::newRow("just above 200") << 200.05 << 2;
    QTest::newRow("exactly 0") << 0.0 << 0;
    QTest::newRow("just above 0") << 0.1 << 1;
    QTest::newRow("negative") << -35.0 << 0;
    QTest::newRow("exactly 1250") << 1250.0 << 6;
    QTest::newRow("1250.5") << 1250.5 << 7;
    QTest::newRow("lowest double: no class") << std::numeric_limits<double>::lowest() << -1;
}

void TestHistogram::classOfValue()
{
    QFETCH(double, value);
    histogram->addValue(value);
    QTEST(classOf(value), "row");
}

void TestHistogram::countsEqualARecount()
{
    // Values counted one by one, in lists, after a clear and after new
    // classes must land where a full recount of every value puts them.
    QRandomGenerator random(3);
    QVector<double> all;
    auto next = [&] {
        const double bounds[] = {0, 200, 400, 1250};
        const double value = random.bounded(4) == 0 ? bounds[random.bounded(4)] : random.bounded(1600.0) - 100;
        all.append(value);
        return value;
    };
    auto verifyCounts = [&] {
        for (int row = 0; row < ranges.size(); ++row) {
            HistogramBin recount;
            recount.range = ranges.at(row);
            recount.recount(all);
            QCOMPARE(histogram->bin(row)->members, recount.members);
        }
    };

    for (int i = 0; i < 500; ++i)
        histogram->addValue(next());
    QList<double> list;
    for (int i = 0; i < 500; ++i)
        list.append(next());
    histogram->addValues(list);
    verifyCounts();

    histogram->clearValues();
    all.clear();
    verifyCounts();
    for (int i = 0; i < 300; ++i)
        histogram->addValue(next());
    histogram->setRanges(ranges);
    verifyCounts();
}

void TestHistogram::barsOnScreen()
{
    // Plot 401 x 400 with its lower-left corner at (100, 420): rows 50 high.
    show(QSize(521, 470));
    for (int i = 0; i < 5; ++i)
        histogram->addValue(100);
    histogram->addValues({300, 300, 300});
    const QImage image = paintedImage();

    // Axes along the plot's left and bottom edges.
    QVERIFY(image.pixelColor(99, 200).lightness() < 100);
    QVERIFY(image.pixelColor(300, 421).lightness() < 100);

    // Row 1 (5 values) 400 pixels long, row 2 (3 values) 240, row 3 (none) 1.
    QCOMPARE(image.pixelColor(100, 335), barColor);
    QCOMPARE(image.pixelColor(499, 335), barColor);
    QVERIFY(image.pixelColor(500, 335) != barColor);
    QCOMPARE(image.pixelColor(339, 285), barColor);
    QVERIFY(image.pixelColor(340, 285) != barColor);
    QCOMPARE(image.pixelColor(100, 245), barColor);
    QVERIFY(image.pixelColor(101, 245) != barColor);

    // The count is written on the long bar.
    bool countOnBar = false;
    for (int x = 250; x < 350 && !countOnBar; ++x) {
        for (int y = 330; y < 360 && !countOnBar; ++y) {
            const QColor c = image.pixelColor(x, y);
            countOnBar = c.blue() > c.red() + 50;
        }
    }
    QVERIFY(countOnBar);
}

void TestHistogram::tinySizesDoNotHang_data()
{
    QTest::addColumn<QSize>("size");

    QTest::newRow("smaller than the margins") << QSize(100, 60);
    QTest::newRow("plot one pixel wide") << QSize(121, 200);
    QTest::newRow("plot two pixels wide") << QSize(122, 200);
    QTest::newRow("one pixel") << QSize(1, 1);
}

void TestHistogram::tinySizesDoNotHang()
{
    QFETCH(QSize, size);
    histogram->addValues({5, 100, 100, 2000});
    show(size);
    paintedImage();
    QVERIFY(!histogram->picture().isNull());
}

void TestHistogram::savePicture()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("histogram.jpg"));
    QVERIFY(!histogram->savePicture(file)); // never painted

    show(QSize(500, 400));
    histogram->addValue(120);
    paintedImage();
    QVERIFY(histogram->savePicture(file));
    QCOMPARE(QImage(file).size(), QSize(500, 400));
    QVERIFY(!histogram->savePicture(dir.filePath(QStringLiteral("missing/histogram.png"))));
}

MERIDO_TEST_MAIN(TestHistogram)
#include "tst_histogram.moc"
