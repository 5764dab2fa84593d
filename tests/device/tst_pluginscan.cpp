#include "device/interfaces.h"
#include "device/pluginscan.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Files are copied into a fresh folder under the names given; "dir:" makes
// a folder and "text:" a file that is no library.
using Layout = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(Layout)

class TestPluginScan : public QObject
{
    Q_OBJECT

private:
    static QString lay(const QTemporaryDir &dir, const Layout &layout)
    {
        for (const auto &entry : layout) {
            const QString target = dir.filePath(entry.second);
            if (entry.first == QLatin1String("dir:"))
                QDir().mkpath(target);
            else if (entry.first == QLatin1String("text:")) {
                QFile file(target);
                file.open(QIODevice::WriteOnly);
                file.write("not a library\n");
            } else {
                QFile::copy(entry.first, target);
            }
        }
        return dir.path();
    }

    static QString classOf(QObject *object) { return object ? object->metaObject()->className() : QString(); }

private slots:
    void scan_data()
    {
        QTest::addColumn<Layout>("layout");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("meterClass");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<int>("rejected");

        const QString so = QLatin1Char('.') + pluginSuffix();
        QTest::newRow("one plug-in with all four")
            << Layout{{FAKEGAUGE_PATH, "gauge" + so}} << true << "FakeGauge" << QStringList() << 0;
        QTest::newRow("two plug-ins sharing them")
            << Layout{{FAKEMETER_PATH, "a" + so}, {FAKEPORT_PATH, "b" + so}}
            << true << "FakeMeter" << QStringList() << 0;
        QTest::newRow("later entry wins")
            << Layout{{FAKEGAUGE_PATH, "A" + so}, {FAKEMETER_PATH, "b" + so}}
            << true << "FakeMeter" << QStringList() << 0;
        QTest::newRow("name order ignores case")
            << Layout{{FAKEMETER_PATH, "a" + so}, {FAKEGAUGE_PATH, "B" + so}}
            << true << "FakeGauge" << QStringList() << 0;
        QTest::newRow("suffix in capitals")
            << Layout{{FAKEGAUGE_PATH, "GAUGE" + so.toUpper()}} << true << "FakeGauge" << QStringList() << 0;
        QTest::newRow("folders and other files passed over")
            << Layout{{"dir:", "folder" + so}, {"text:", "readme.txt"}, {"text:", "broken" + so},
                      {FAKEGAUGE_PATH, "gauge" + so}}
            << true << "FakeGauge" << QStringList() << 2;
        QTest::newRow("missing interfaces")
            << Layout{{FAKEMETER_PATH, "meter" + so}} << false << "FakeMeter"
            << QStringList{"com.qz.SerialDeviceInf", "com.qz.SerialRS232VirInf"} << 0;
        QTest::newRow("empty folder")
            << Layout{} << false << QString()
            << QStringList{"com.qz.SerialDeviceInf", "com.qz.SerialRS232VirInf", "com.qz.IDmm", "com.qz.IMyDmm"} << 0;
    }

    void scan()
    {
        QFETCH(Layout, layout);
        QFETCH(bool, complete);
        QFETCH(QString, meterClass);
        QFETCH(QStringList, missing);
        QFETCH(int, rejected);

        QTemporaryDir dir;
        const PluginScan scan = scanPlugins(lay(dir, layout));
        QCOMPARE(scan.isComplete(), complete);
        QCOMPARE(scan.missingInterfaces(), missing);
        QCOMPARE(classOf(scan.dmm ? scan.dmm->object() : nullptr), meterClass);
        QCOMPARE(scan.rejected.size(), rejected);
    }

    void rejectionReasons()
    {
        QTemporaryDir dir;
        const QString so = QLatin1Char('.') + pluginSuffix();
        const PluginScan scan = scanPlugins(lay(dir, {{"text:", "notes.txt"}, {"text:", "broken" + so}}));
        QCOMPARE(scan.rejected.size(), 2);
        QVERIFY2(scan.rejected.at(0).contains("broken" + so) && scan.rejected.at(0).contains("failed to load"),
                 qPrintable(scan.rejected.at(0)));
        QVERIFY2(scan.rejected.at(1).contains("notes.txt: not a library"), qPrintable(scan.rejected.at(1)));
    }
};

MERIDO_TEST_MAIN(TestPluginScan)
#include "tst_pluginscan.moc"
