#include "app/widget.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QXmlStreamReader>

// options.xml beside the executable: written at close, read at every show.
class TestSettings : public QObject
{
    Q_OBJECT

    static QString path() { return testBinDir() + "/options.xml"; }

    static void writeFile(const QByteArray &content)
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    // The text of one element of the file, or a null string when absent.
    static QString element(const QString &name)
    {
        QFile file(path());
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        QXmlStreamReader reader(&file);
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == name)
                return reader.readElementText();
        }
        return QString();
    }

    static QByteArray fileWith(const QString &geometryHex, const QString &scene)
    {
        return QString("<?xml version=\"1.0\"?>\n<options>\n  <Geometry>%1</Geometry>\n"
                       "  <State></State>\n  <SceneFileName>%2</SceneFileName>\n</options>\n")
            .arg(geometryHex, scene.toHtmlEscaped()).toUtf8();
    }

private slots:
    void init()
    {
        QDir(path()).removeRecursively();
        QFile::remove(path());
    }
    void cleanupTestCase() { init(); }

    void roundTrip()
    {
        writeFile(fileWith(QString(), "C:/pictures/tank <north> & \"east\".jpg"));
        {
            Widget window;
            window.show();
            window.setGeometry(50, 60, 600, 400);
            window.close();
        }
        QCOMPARE(element("SceneFileName"), QString("C:/pictures/tank <north> & \"east\".jpg"));
        const QString geometry = element("Geometry");
        QVERIFY(QRegularExpression("^[0-9a-f]+$").match(geometry).hasMatch());
        QVERIFY(QRegularExpression("^[0-9a-f]+$").match(element("State")).hasMatch());

        Widget again;
        again.show();
        QCOMPARE(again.size(), QSize(600, 400));
        QCOMPARE(again.geometry().topLeft(), QPoint(50, 60));
    }

    void firstRunWithoutFile()
    {
        Widget window;
        window.show();
        QCOMPARE(window.size(), QSize(1000, 600));
        QVERIFY(!QApplication::activeModalWidget());
        window.close();
        QVERIFY(QFile::exists(path()));
        QCOMPARE(element("SceneFileName"), QString(""));
    }

    void malformedFileAppliedUpToTheError()
    {
        QByteArray geometry;
        {
            Widget window;
            window.show();
            window.resize(700, 450);
            geometry = window.saveGeometry().toHex();
        }
        // Non-hex characters inside the text are skipped by the decoding.
        writeFile("<?xml version=\"1.0\"?><options><Geometry>" + geometry.left(10) + "zz" + geometry.mid(10)
                  + "</Geometry><State>broken</State><Oops></Wrong><SceneFileName>never.jpg</SceneFileName></options>");
        Widget window;
        window.show();
        QCOMPARE(window.size(), QSize(700, 450));
        window.close();
        QCOMPARE(element("SceneFileName"), QString(""));
    }

    void emptySceneKeepsThePrevious()
    {
        writeFile(fileWith(QString(), "first.jpg"));
        Widget window;
        window.show();
        window.hide();
        writeFile(fileWith(QString(), QString()));
        window.show(); // every show reads the file again
        window.close();
        QCOMPARE(element("SceneFileName"), QString("first.jpg"));
    }

    void unwritableFileWarns()
    {
        QVERIFY(QDir().mkpath(path())); // a folder in the file's place
        Widget window;
        window.show();
        QString text;
        answerNextModal(clickMessageBox(QMessageBox::Ok, &text));
        window.close();
        QCOMPARE(text, QString("Can not open file."));
        QVERIFY(window.isHidden());
    }
};

MERIDO_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
