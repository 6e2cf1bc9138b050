#include "Core/GenericDS.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace TesselGUIToolkit;

namespace {

CGenericDS Parsed(const QString& xml)
{
    CGenericDS ds;
    ds.PhaseXml(xml);
    return ds;
}

QString Nested(int depth)
{
    QString xml;
    xml.reserve(depth * 7);
    for (int i = 0; i < depth; ++i)
        xml += QLatin1String("<a>");
    for (int i = 0; i < depth; ++i)
        xml += QLatin1String("</a>");
    return xml;
}

// Every read on a handle that came out of a failed parse or lookup: none may crash, all answer
// null, false or the default.
void CheckNullReads(const CGenericDS& ds)
{
    CGenericDS copy = ds;
    QVERIFY(copy.IsNull());
    QCOMPARE(copy.GetName(), QString());
    QCOMPARE(copy.GetChildrenCount(), 0);
    QVERIFY(copy.GetChild(0).IsNull());
    QVERIFY(copy.GetChildByName(QStringLiteral("a")).IsNull());
    QVERIFY(copy.CreateChild(QStringLiteral("a")).IsNull());
    QCOMPARE(copy.SetValue(QStringLiteral("v")), false);
    QString out = QStringLiteral("untouched");
    QCOMPARE(copy.GetValue(out), false);
    QCOMPARE(out, QStringLiteral("untouched"));
    QCOMPARE(copy.GetValue(), QString());
    QCOMPARE(copy.SetAttribute(QStringLiteral("k"), QStringLiteral("v")), false);
    QCOMPARE(copy.GetAttribute(QStringLiteral("k"), QStringLiteral("dflt")),
             QStringLiteral("dflt"));
    QCOMPARE(copy.RemoveChild(0), false);
    QCOMPARE(copy.RemoveChild(QStringLiteral("a")), true);
}

} // namespace

class tst_GenericDS : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void freshHandleIsNullEverywhere()
    {
        CGenericDS ds;
        CheckNullReads(ds);
        QCOMPARE(ds.GetXml(), QString());
    }

    void failedLookupChainsStayNull()
    {
        CGenericDS ds = Parsed(QStringLiteral("<root><a x=\"1\"/></root>"));
        const CGenericDS deep = ds.GetChild(5).GetChildByName(QStringLiteral("a")).GetChild(0);
        CheckNullReads(deep);
        CheckNullReads(ds.GetChild(-1));
        CheckNullReads(ds.GetChild(0).GetChild(0));
        // The failed lookups did not touch the document.
        QCOMPARE(ds.GetChild(0).GetAttribute(QStringLiteral("x")), QStringLiteral("1"));
    }

    void getChild_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name"); // empty: a null handle

        const QString mixed = QStringLiteral("<r>text<a/>more<!--note--><b/><?pi data?><c/></r>");
        QTest::newRow("text first") << mixed << 3 << 0 << "a";
        QTest::newRow("after comment") << mixed << 3 << 1 << "b";
        QTest::newRow("after instruction") << mixed << 3 << 2 << "c";
        QTest::newRow("one past the end") << mixed << 3 << 3 << "";
        QTest::newRow("negative") << mixed << 3 << -1 << "";
        QTest::newRow("huge index") << mixed << 3 << 2147483647 << "";
        QTest::newRow("only text") << QStringLiteral("<r>just text</r>") << 0 << 0 << "";
        QTest::newRow("no children") << QStringLiteral("<r/>") << 0 << 0 << "";
        QTest::newRow("grandchildren not counted")
            << QStringLiteral("<r><a><x/><y/></a></r>") << 1 << 0 << "a";
    }
    void getChild()
    {
        QFETCH(QString, xml);
        QFETCH(int, count);
        QFETCH(int, index);
        QFETCH(QString, name);
        const CGenericDS ds = Parsed(xml);
        QCOMPARE(ds.GetChildrenCount(), count);
        const CGenericDS child = ds.GetChild(index);
        QCOMPARE(child.IsNull(), name.isEmpty());
        QCOMPARE(child.GetName(), name);
    }

    void getChildByName_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("id"); // the found element's id attribute; empty: null handle

        QTest::newRow("direct child") << "<r><x id='1'/></r>"
                                      << "x"
                                      << "1";
        QTest::newRow("grandchild") << "<r><a><b><x id='2'/></b></a></r>"
                                    << "x"
                                    << "2";
        QTest::newRow("document order wins over depth")
            << "<r><a><x id='deep'/></a><x id='shallow'/></r>"
            << "x"
            << "deep";
        QTest::newRow("after a finished branch") << "<r><a><b/></a><c><x id='3'/></c></r>"
                                                 << "x"
                                                 << "3";
        QTest::newRow("the element itself is not a descendant") << "<x><y/></x>"
                                                                << "x"
                                                                << "";
        QTest::newRow("nested namesake") << "<x><x id='inner'/></x>"
                                         << "x"
                                         << "inner";
        QTest::newRow("case matters") << "<r><X id='1'/></r>"
                                      << "x"
                                      << "";
        QTest::newRow("wildcard is a plain name") << "<r><a id='1'/></r>"
                                                  << "*"
                                                  << "";
        QTest::newRow("no children") << "<r/>"
                                     << "x"
                                     << "";
        QTest::newRow("text only") << "<r>x</r>"
                                   << "x"
                                   << "";
        QTest::newRow("empty tag") << "<r><a/></r>"
                                   << ""
                                   << "";
    }
    void getChildByName()
    {
        QFETCH(QString, xml);
        QFETCH(QString, tag);
        QFETCH(QString, id);
        const CGenericDS found = Parsed(xml).GetChildByName(tag);
        QCOMPARE(found.IsNull(), id.isEmpty());
        QCOMPARE(found.GetAttribute(QStringLiteral("id")), id);
    }

    void getChildByNameStaysInsideTheSubtree()
    {
        const CGenericDS ds = Parsed(QStringLiteral("<r><a><b/></a><x id='outside'/></r>"));
        QVERIFY(ds.GetChild(0).GetChildByName(QStringLiteral("x")).IsNull());
        QCOMPARE(
            ds.GetChildByName(QStringLiteral("a")).GetChildByName(QStringLiteral("b")).GetName(),
            QStringLiteral("b"));
    }

    void removeChildByName()
    {
        CGenericDS ds = Parsed(QStringLiteral("<r><a><x/></a><b/><b/></r>"));
        const QString before = ds.GetXml();
        // The first "x" is a grandchild: found, but not removable from here.
        QCOMPARE(ds.RemoveChild(QStringLiteral("x")), true);
        QCOMPARE(ds.GetXml(), before);
        QCOMPARE(ds.RemoveChild(QStringLiteral("missing")), true);
        QCOMPARE(ds.GetXml(), before);
        QCOMPARE(ds.RemoveChild(QStringLiteral("b")), true);
        QCOMPARE(ds.GetChildrenCount(), 2);
        QCOMPARE(ds.GetChild(1).GetName(), QStringLiteral("b"));
        // From the right element the grandchild goes.
        QCOMPARE(ds.GetChild(0).RemoveChild(QStringLiteral("x")), true);
        QCOMPARE(ds.GetChild(0).GetChildrenCount(), 0);
    }

    void removeChildByIndex_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("remaining");
        QTest::newRow("first") << 0 << true << "b,c";
        QTest::newRow("middle") << 1 << true << "a,c";
        QTest::newRow("last") << 2 << true << "a,b";
        QTest::newRow("past the end") << 3 << false << "a,b,c";
        QTest::newRow("negative") << -1 << false << "a,b,c";
    }
    void removeChildByIndex()
    {
        QFETCH(int, index);
        QFETCH(bool, removed);
        QFETCH(QString, remaining);
        CGenericDS ds = Parsed(QStringLiteral("<r>t<a/>u<b/><c/></r>"));
        QCOMPARE(ds.RemoveChild(index), removed);
        QStringList names;
        for (int i = 0; i < ds.GetChildrenCount(); ++i)
            names << ds.GetChild(i).GetName();
        QCOMPARE(names.join(QLatin1Char(',')), remaining);
        QCOMPARE(ds.GetValue(), QStringLiteral("t")); // text nodes are never counted or removed
    }

    void setValueTwiceKeepsOneTextNode()
    {
        CGenericDS ds;
        ds.CreateASRoot(QStringLiteral("r"));
        CGenericDS item = ds.CreateChild(QStringLiteral("item"));
        QVERIFY(item.SetValue(QStringLiteral("first")));
        QVERIFY(item.SetValue(QStringLiteral("second")));
        QCOMPARE(item.GetValue(), QStringLiteral("second"));
        QVERIFY(ds.GetXml().contains(QLatin1String("<item>second</item>")));
        QVERIFY(!ds.GetXml().contains(QLatin1String("first")));
    }

    void setValueReplacesTheFirstTextChild()
    {
        CGenericDS ds = Parsed(QStringLiteral("<r><a/>one<b/>two</r>"));
        QVERIFY(ds.SetValue(QStringLiteral("1")));
        QCOMPARE(ds.GetXml(), QStringLiteral("<r>\n <a/>1<b/>two</r>\n"));
    }

    void getValue()
    {
        CGenericDS ds = Parsed(
            QStringLiteral("<r><e/><t>hello</t><c><![CDATA[<raw>]]></c><m><x/>tail</m></r>"));
        QString out = QStringLiteral("untouched");
        QCOMPARE(ds.GetChild(0).GetValue(out), false);
        QCOMPARE(out, QStringLiteral("untouched"));
        QCOMPARE(ds.GetChild(1).GetValue(out), true);
        QCOMPARE(out, QStringLiteral("hello"));
        QCOMPARE(ds.GetChild(2).GetValue(), QStringLiteral("<raw>"));
        QCOMPARE(ds.GetChild(3).GetValue(), QStringLiteral("tail"));
        // Only direct text counts: the root holds elements only.
        QCOMPARE(ds.GetValue(out), false);
    }

    void attributes()
    {
        CGenericDS ds;
        ds.CreateASRoot(QStringLiteral("r"));
        QCOMPARE(ds.GetAttribute(QStringLiteral("k"), QStringLiteral("dflt")),
                 QStringLiteral("dflt"));
        QVERIFY(ds.SetAttribute(QStringLiteral("k"), QStringLiteral("v1")));
        QVERIFY(ds.SetAttribute(QStringLiteral("k"), QStringLiteral("v2")));
        QCOMPARE(ds.GetAttribute(QStringLiteral("k"), QStringLiteral("dflt")),
                 QStringLiteral("v2"));
        QVERIFY(ds.SetAttribute(QStringLiteral("empty"), QString()));
        QCOMPARE(ds.GetAttribute(QStringLiteral("empty"), QStringLiteral("dflt")), QString());
        QCOMPARE(ds.GetName(), QStringLiteral("r"));
    }

    void copiesShareTheTree()
    {
        CGenericDS fresh;
        CGenericDS early = fresh; // taken before anything exists
        fresh.CreateASRoot(QStringLiteral("root"));
        QVERIFY(early.GetXml().contains(QLatin1String("<root/>")));

        CGenericDS copy = fresh;
        copy.CreateChild(QStringLiteral("a"))
            .SetAttribute(QStringLiteral("id"), QStringLiteral("7"));
        QCOMPARE(fresh.GetChildrenCount(), 1);
        CGenericDS child = fresh.GetChild(0);
        child.SetValue(QStringLiteral("text"));
        QCOMPARE(copy.GetChildByName(QStringLiteral("a")).GetValue(), QStringLiteral("text"));
        CGenericDS assigned;
        assigned = child;
        assigned.CreateChild(QStringLiteral("b"));
        QCOMPARE(fresh.GetChild(0).GetChild(0).GetName(), QStringLiteral("b"));
    }

    void getXmlIndentsByOneSpace()
    {
        CGenericDS ds;
        QVERIFY(ds.CreateASRoot(QStringLiteral("root")));
        CGenericDS a = ds.CreateChild(QStringLiteral("a"));
        a.CreateChild(QStringLiteral("b")).SetValue(QStringLiteral("v"));
        a.CreateChild(QStringLiteral("c")).CreateChild(QStringLiteral("d"));
        QCOMPARE(
            ds.GetXml(),
            QStringLiteral("<?xml version=\"1.0\" encoding=\"GB2312\"?>\n"
                           "<root>\n <a>\n  <b>v</b>\n  <c>\n   <d/>\n  </c>\n </a>\n</root>\n"));
    }

    void phaseXmlEmptyKeepsThePreviousDocument()
    {
        CGenericDS ds = Parsed(QStringLiteral("<keep><a/></keep>"));
        QCOMPARE(ds.PhaseXml(QString()), false);
        QCOMPARE(ds.PhaseXml(QStringLiteral("")), false);
        QCOMPARE(ds.GetName(), QStringLiteral("keep"));
        QCOMPARE(ds.GetChildrenCount(), 1);
    }

    void phaseXml_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("root");
        QTest::addColumn<int>("children");

        QTest::newRow("plain") << "<r><a/><b/></r>" << true << "r" << 2;
        QTest::newRow("declaration")
            << "<?xml version=\"1.0\" encoding=\"GB2312\"?><r/>" << true << "r" << 0;
        QTest::newRow("prefixed names") << "<ns:r><ns:a/></ns:r>" << true << "ns:r" << 1;
        QTest::newRow("unclosed") << "<r><a>" << false << "" << 0;
        QTest::newRow("mismatched") << "<r></q>" << false << "" << 0;
        QTest::newRow("plain text") << "not xml at all" << false << "" << 0;
        QTest::newRow("declaration only") << "<?xml version=\"1.0\"?>" << false << "" << 0;
        QTest::newRow("two roots") << "<a/><b/>" << false << "" << 0;
        QTest::newRow("broken attribute") << "<r a=1/>" << false << "" << 0;
        // Qt's DOM parser is lenient here; the verdict is its own.
        QTest::newRow("embedded zero") << QString::fromLatin1("<r>\0</r>", 8) << true << "r" << 0;
        QTest::newRow("nested to the limit") << Nested(CGenericDS::kMaxDepth) << true << "a" << 1;
        QTest::newRow("nested past the limit")
            << Nested(CGenericDS::kMaxDepth + 1) << false << "" << 0;
        QTest::newRow("open tags past the limit")
            << QString(QStringLiteral("<a>")).repeated(CGenericDS::kMaxDepth + 10) << false << ""
            << 0;
    }
    void phaseXml()
    {
        QFETCH(QString, xml);
        QFETCH(bool, ok);
        QFETCH(QString, root);
        QFETCH(int, children);
        CGenericDS ds = Parsed(QStringLiteral("<previous/>"));
        QCOMPARE(ds.PhaseXml(xml), ok);
        if (ok) {
            QCOMPARE(ds.GetName(), root);
            QCOMPARE(ds.GetChildrenCount(), children);
        }
        // Whatever the parse made of it, chained reads and edits stay safe.
        ds.GetChild(0).GetChild(0).GetAttribute(QStringLiteral("x"));
        ds.GetChildByName(QStringLiteral("a")).SetValue(QStringLiteral("v"));
        ds.RemoveChild(QStringLiteral("a"));
        ds.RemoveChild(0);
        ds.GetValue();
        QVERIFY(ok || !ds.GetXml().contains(QLatin1String("previous")));
    }

    void phaseXmlBinaryGarbage()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 20; ++round) {
            QByteArray bytes(4096, Qt::Uninitialized);
            for (char& byte : bytes)
                byte = char(random.bounded(256));
            CGenericDS ds;
            const bool latin = ds.PhaseXml(QString::fromLatin1(bytes));
            const bool utf8 = ds.PhaseXml(QStringLiteral("<r>") + QString::fromUtf8(bytes));
            QVERIFY(!latin);
            QVERIFY(!utf8);
            ds.GetChild(0).GetChildByName(QStringLiteral("r")).GetValue();
            ds.GetXml();
        }
    }

    void phaseXmlHugeDocuments()
    {
        const int size = 10 * 1024 * 1024;
        QString wide = QStringLiteral("<root>");
        const QString item = QStringLiteral("<item id=\"%1\">text</item>");
        int items = 0;
        while (wide.size() < size)
            wide += item.arg(items++);
        wide += QLatin1String("</root>");
        CGenericDS ds;
        QVERIFY(ds.PhaseXml(wide));
        QCOMPARE(ds.GetChildrenCount(), items);
        QCOMPARE(ds.GetChild(items - 1).GetAttribute(QStringLiteral("id")),
                 QString::number(items - 1));
        QCOMPARE(ds.GetChildByName(QStringLiteral("item")).GetValue(), QStringLiteral("text"));
        QVERIFY(ds.GetXml().size() > size);

        // Ten megabytes of nothing but open tags must not run the stack out.
        QVERIFY(!ds.PhaseXml(QString(QStringLiteral("<a>")).repeated(size / 3)));
        QVERIFY(ds.IsNull());
        QVERIFY(!ds.PhaseXml(Nested(size / 7)));
        CheckNullReads(ds.GetChild(0));

        QString garbage(size, QLatin1Char('<'));
        QVERIFY(!ds.PhaseXml(garbage));
        QVERIFY(!ds.PhaseXml(QStringLiteral("<r>") + QString(size, QLatin1Char('x'))));
        ds.GetChild(0).GetValue();
    }

    void saveXmlWritesGb2312()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("layout.xml"));

        CGenericDS ds;
        ds.CreateASRoot(QStringLiteral("layout"));
        CGenericDS window = ds.CreateChild(QStringLiteral("window"));
        window.SetAttribute(QStringLiteral("name"), QString::fromUtf8("主窗口"));
        window.SetValue(QString::fromUtf8("中文"));
        QVERIFY(ds.SaveXML(path));

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes.startsWith("<?xml version=\"1.0\" encoding=\"GB2312\"?>\n<layout>"),
                 bytes.left(80).constData());
        QVERIFY(bytes.contains("\xD6\xD0\xCE\xC4")); // 中文 in GB2312
        QVERIFY(!bytes.contains("\xE4\xB8\xAD")); // not the UTF-8 form of 中
        QVERIFY(bytes.contains("<window name=\"\xD6\xF7\xB4\xB0\xBF\xDA\">")); // no indentation

        CGenericDS loaded;
        QVERIFY(loaded.LoadXML(path));
        QCOMPARE(loaded.GetName(), QStringLiteral("layout"));
        QCOMPARE(loaded.GetChild(0).GetValue(), QString::fromUtf8("中文"));
        QCOMPARE(loaded.GetChild(0).GetAttribute(QStringLiteral("name")),
                 QString::fromUtf8("主窗口"));
    }

    void saveXmlFailsWhereNothingCanBeWritten()
    {
        QTemporaryDir dir;
        CGenericDS ds;
        ds.CreateASRoot(QStringLiteral("r"));
        QCOMPARE(ds.SaveXML(dir.filePath(QStringLiteral("missing/folder/x.xml"))), false);
        QCOMPARE(ds.SaveXML(QString()), false);
        QCOMPARE(ds.SaveXML(dir.path()), false); // a folder
    }

    void loadXmlFailuresLeaveTheHandle()
    {
        QTemporaryDir dir;
        CGenericDS ds = Parsed(QStringLiteral("<keep><a/></keep>"));
        QCOMPARE(ds.LoadXML(dir.filePath(QStringLiteral("missing.xml"))), false);
        QCOMPARE(ds.LoadXML(QString()), false);
        QCOMPARE(ds.LoadXML(QStringLiteral("")), false);
        QCOMPARE(ds.GetName(), QStringLiteral("keep"));
        QCOMPARE(ds.GetChildrenCount(), 1);
    }

    void loadXmlReportsNoParseError()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.xml"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<r><unclosed></r>");
        file.close();
        CGenericDS ds = Parsed(QStringLiteral("<keep/>"));
        QCOMPARE(ds.LoadXML(path), true);
        // The document holds what the parser built before it gave up.
        QVERIFY(!ds.GetXml().contains(QLatin1String("keep")));
        QCOMPARE(ds.GetChildByName(QStringLiteral("keep")).IsNull(), true);
        ds.GetChild(0).GetChild(0).GetValue();
    }

    void loadXmlUtf8WithoutDeclarationSavesAsUtf8()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("plain.xml"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<r>\xE4\xB8\xAD</r>");
        file.close();
        CGenericDS ds;
        QVERIFY(ds.LoadXML(path));
        QCOMPARE(ds.GetValue(), QString::fromUtf8("中"));
        // Without a declaration the bytes follow what a reader assumes: UTF-8.
        const QString out = dir.filePath(QStringLiteral("out.xml"));
        QVERIFY(ds.SaveXML(out));
        QFile saved(out);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("\xE4\xB8\xAD"));
    }
};

QTEST_GUILESS_MAIN(tst_GenericDS)
#include "tst_genericds.moc"
