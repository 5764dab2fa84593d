#include "reports/xmlscanner.h"
#include "support/testsupport.h"

// The XML pull scanner of the workbook readers: what it decodes and what it
// refuses. Elements named "e" are traced as attribute "v" and their text.
class TestXmlScanner : public QObject
{
    Q_OBJECT

    static QString trace(const QByteArray &xml)
    {
        XmlScanner scanner(xml);
        QStringList seen;
        while (scanner.readNext()) {
            if (scanner.token() == XmlScanner::StartElement && scanner.isNamed("e")) {
                const QByteArray v = scanner.attribute("v");
                const QString text = QString::fromUtf8(scanner.readElementText());
                seen << (v.isNull() ? QString() : QString::fromUtf8(v) + '=') + text;
            }
        }
        return scanner.hasError() ? QStringLiteral("error") : seen.join('|');
    }

private slots:
    void scan_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("expected");

        QTest::newRow("texts kept with their blanks") << QByteArray("<r><e>   -OL</e><e/><e></e></r>") << "   -OL||";
        QTest::newRow("entities and character references")
            << QByteArray("<r><e v='&lt;&amp;&#x41;'>&quot;&apos;&gt;&#66;&#x20AC;</e></r>") << QString::fromUtf8("<&A=\"'>B€");
        QTest::newRow("prefixes, CDATA, comments, declaration")
            << QByteArray("<?xml version=\"1.0\"?>\n<x:r xmlns:x=\"u\"><!-- c --><x:e x:v=\"1\">a<![CDATA[<b>]]>c</x:e></x:r>\n")
            << "1=a<b>c";
        QTest::newRow("spaces around names and values") << QByteArray("<r ><e  v = \"2\" >t</e ></r>") << "2=t";
        QTest::newRow("mismatched end tag") << QByteArray("<r><e>1</f></r>") << "error";
        QTest::newRow("unterminated document") << QByteArray("<r><e>1</e>") << "error";
        QTest::newRow("empty document") << QByteArray("") << "error";
        QTest::newRow("unquoted attribute") << QByteArray("<r><e v=1>x</e></r>") << "error";
        QTest::newRow("attribute without space") << QByteArray("<r><e v=\"1\"w=\"2\">x</e></r>") << "error";
        QTest::newRow("unknown entity") << QByteArray("<r><e>&nbsp;</e></r>") << "error";
        QTest::newRow("reference to nothing") << QByteArray("<r><e>&#0;</e></r>") << "error";
        QTest::newRow("document type") << QByteArray("<!DOCTYPE r [<!ENTITY a \"b\">]><r/>") << "error";
        QTest::newRow("text outside the root") << QByteArray("x<r/>") << "error";
        QTest::newRow("two roots") << QByteArray("<r/><r/>") << "error";
        QTest::newRow("element inside a text") << QByteArray("<r><e>a<b/>c</e></r>") << "error";
        QTest::newRow("unterminated comment") << QByteArray("<r><!-- </r>") << "error";
    }

    void scan()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, expected);

        QCOMPARE(trace(xml), expected);
    }

    // Skipping an element passes over everything inside it.
    void skipElement()
    {
        const QByteArray xml("<r><s><e>1</e><t/></s><e>2</e></r>");
        XmlScanner scanner(xml);
        QVERIFY(scanner.readNext() && scanner.readNext());
        QVERIFY(scanner.isNamed("s"));
        scanner.skipElement();
        QCOMPARE(scanner.token(), XmlScanner::EndElement);
        QVERIFY(scanner.isNamed("s"));
        QVERIFY(scanner.readNext());
        QVERIFY(scanner.isNamed("e"));
        QVERIFY(scanner.isInside("r"));
        QVERIFY(!scanner.isInside("s"));
        QCOMPARE(scanner.readElementText(), QByteArray("2"));
    }
};

MERIDO_TEST_MAIN(TestXmlScanner)
#include "tst_xmlscanner.moc"
