#include "Core/GenericDS.h"

#include "TestSupport.h"

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

QString Names(const CGenericDS& ds)
{
    QStringList names;
    for (int i = 0; i < ds.GetChildrenCount(); ++i)
        names << ds.GetChild(i).GetName();
    return names.join(QLatin1Char(','));
}

// Every call on a handle from a failed parse or lookup answers null, false or the default.
void CheckNullReads(CGenericDS ds)
{
    QVERIFY(ds.IsNull() && ds.GetName().isEmpty() && ds.GetChildrenCount() == 0);
    QVERIFY(ds.GetChild(0).IsNull() && ds.GetChildByName("a").IsNull());
    QVERIFY(ds.CreateChild("a").IsNull());
    QString out = QStringLiteral("untouched");
    QVERIFY(!ds.SetValue("v") && !ds.GetValue(out) && ds.GetValue().isEmpty());
    QCOMPARE(out, QStringLiteral("untouched"));
    QVERIFY(!ds.SetAttribute("k", "v"));
    QCOMPARE(ds.GetAttribute("k", "default"), QStringLiteral("default"));
    QVERIFY(!ds.RemoveChild(0) && ds.RemoveChild("a"));
}

} // namespace

class tst_GenericDS : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nullHandles()
    {
        CheckNullReads(CGenericDS());
        QCOMPARE(CGenericDS().GetXml(), QString());
        const CGenericDS ds = Parsed("<root><a x=\"1\"/></root>");
        CheckNullReads(ds.GetChild(5).GetChildByName("a").GetChild(0));
        CheckNullReads(ds.GetChild(-1));
        QCOMPARE(ds.GetChild(0).GetAttribute("x"), QStringLiteral("1")); // the tree is untouched
    }

    void lookups()
    {
        // Only element children count; text, comments and instructions are skipped.
        const CGenericDS ds = Parsed("<r>text<a/>more<!--note--><b/><?pi data?><c><x/></c></r>");
        QCOMPARE(Names(ds), QStringLiteral("a,b,c"));
        QVERIFY(ds.GetChild(3).IsNull() && ds.GetChild(-1).IsNull());

        // The first descendant in document order, at any depth, never the element itself.
        auto found = [](const char* xml, const char* tag) {
            return Parsed(xml).GetChildByName(tag).GetAttribute("id", "null");
        };
        QCOMPARE(found("<r><a><x id='deep'/></a><x id='shallow'/></r>", "x"), "deep");
        QCOMPARE(found("<r><a><b/></a><c><x id='3'/></c></r>", "x"), "3");
        QCOMPARE(found("<x><x id='inner'/></x>", "x"), "inner");
        QCOMPARE(found("<x><y/></x>", "x"), "null");
        QCOMPARE(found("<r><X id='1'/></r>", "x"), "null"); // case matters
        QCOMPARE(found("<r><a id='1'/></r>", "*"), "null"); // no wildcard
        QCOMPARE(found("<r>x</r>", "x"), "null");
        QCOMPARE(found("<r><a/></r>", ""), "null");
        const CGenericDS tree = Parsed("<r><a><b/></a><x id='outside'/></r>");
        QVERIFY(tree.GetChild(0).GetChildByName("x").IsNull()); // only inside the subtree
    }

    void removeChild()
    {
        CGenericDS ds = Parsed("<r><a><x/></a><b/><b/></r>");
        QVERIFY(ds.RemoveChild("x")); // found, but a grandchild: stays
        QVERIFY(ds.RemoveChild("missing"));
        QVERIFY(ds.RemoveChild("b"));
        QCOMPARE(Names(ds), QStringLiteral("a,b"));
        QCOMPARE(Names(ds.GetChild(0)), QStringLiteral("x"));
        QVERIFY(ds.GetChild(0).RemoveChild("x"));
        QCOMPARE(ds.GetChild(0).GetChildrenCount(), 0);

        // By index: text nodes are neither counted nor removed.
        const QPair<int, const char*> removals[] = {
            {0, "b,c"}, {1, "a,c"}, {2, "a,b"}, {3, "a,b,c"}, {-1, "a,b,c"}};
        for (const auto& removal : removals) {
            CGenericDS children = Parsed("<r>t<a/>u<b/><c/></r>");
            QCOMPARE(children.RemoveChild(removal.first), removal.first >= 0 && removal.first < 3);
            QCOMPARE(Names(children), QString(removal.second));
            QCOMPARE(children.GetValue(), QStringLiteral("t"));
        }
    }

    void valuesAttributesAndCopies()
    {
        CGenericDS ds;
        CGenericDS early = ds; // copies share the document, even one taken before it exists
        QVERIFY(ds.CreateASRoot("root"));
        CGenericDS a;
        a = CGenericDS(ds).CreateChild("a");
        QVERIFY(a.CreateChild("b").SetValue("first"));
        QVERIFY(ds.GetChild(0).GetChild(0).SetValue("v")); // replaces the text
        a.CreateChild("c").CreateChild("d");
        QCOMPARE(early.GetXml(),
                 "<?xml version=\"1.0\" encoding=\"GB2312\"?>\n"
                 "<root>\n <a>\n  <b>v</b>\n  <c>\n   <d/>\n  </c>\n </a>\n</root>\n");
        CGenericDS mixed = Parsed("<r><a/>one<b/>two</r>");
        QVERIFY(mixed.SetValue("1")); // the first text child
        QCOMPARE(mixed.GetXml(), QStringLiteral("<r>\n <a/>1<b/>two</r>\n"));

        const CGenericDS values =
            Parsed("<r><e/><t>hi</t><c><![CDATA[<raw>]]></c><m><x/>tail</m></r>");
        QString out = QStringLiteral("untouched");
        QVERIFY(!values.GetChild(0).GetValue(out) && out == "untouched");
        QVERIFY(values.GetChild(1).GetValue(out) && out == "hi");
        QCOMPARE(values.GetChild(2).GetValue(), QStringLiteral("<raw>"));
        QCOMPARE(values.GetChild(3).GetValue(), QStringLiteral("tail"));
        QVERIFY(!values.GetValue(out)); // only direct text counts

        QCOMPARE(a.GetAttribute("k", "default"), QStringLiteral("default"));
        QVERIFY(a.SetAttribute("k", "v1") && a.SetAttribute("k", "v2") && a.SetAttribute("e", ""));
        QCOMPARE(ds.GetChild(0).GetAttribute("k", "default"), QStringLiteral("v2"));
        QCOMPARE(a.GetAttribute("e", "default"), QString());
    }

    void phaseXml()
    {
        CGenericDS ds = Parsed("<keep><a/></keep>");
        QVERIFY(!ds.PhaseXml(QString())); // an empty text keeps the document
        QCOMPARE(Names(ds), QStringLiteral("a"));
        const int depth = CGenericDS::kMaxDepth;
        // clang-format off
        const struct { QString xml; bool ok; const char* names; } rows[] = {
            {"<r><a/><b/></r>", true, "a,b"}, {"<?xml version=\"1.0\"?><r/>", true, ""},
            {"<ns:r><ns:a/></ns:r>", true, "ns:a"}, {QString::fromLatin1("<r>\0</r>", 8), true, ""},
            {QString("<a>").repeated(depth) + QString("</a>").repeated(depth), true, "a"},
            {QString("<a>").repeated(depth + 1) + QString("</a>").repeated(depth + 1), false, ""},
            {QString("<a>").repeated(200000), false, ""}, {"<r><a>", false, ""},
            {"<r></q>", false, ""}, {"not xml", false, ""}, {"<?xml version=\"1.0\"?>", false, ""},
            {"<a/><b/>", false, ""}, {"<r a=1/>", false, ""}};
        // clang-format on
        for (const auto& row : rows) {
            CGenericDS parsed = Parsed("<previous/>");
            QCOMPARE(parsed.PhaseXml(row.xml), row.ok);
            QCOMPARE(row.ok ? Names(parsed) : QString(), QString(row.names));
            QVERIFY(!parsed.GetXml().contains("previous"));
            parsed.GetChildByName("a").GetChild(0).SetValue("v"); // chains stay safe
        }

        // 10 MB of elements parse with every child reachable; binary noise does not parse.
        const int count = 1 << 20;
        CGenericDS big;
        QVERIFY(big.PhaseXml("<r>" + QString("<i v=\"1\"/>").repeated(count) + "</r>"));
        QCOMPARE(big.GetChildrenCount(), count);
        QCOMPARE(big.GetChild(count - 1).GetAttribute("v", "none"), QStringLiteral("1"));
        QByteArray noise(4096, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char(i * 37 + 11);
        CGenericDS binary = Parsed("<previous/>");
        QVERIFY(!binary.PhaseXml(QString::fromLatin1(noise)));
        CheckNullReads(binary.GetChild(0));
    }

    void files()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("layout.xml");
        CGenericDS ds;
        ds.CreateASRoot("layout");
        CGenericDS window = ds.CreateChild("window");
        window.SetAttribute("name", QString::fromUtf8("主窗口"));
        window.SetValue(QString::fromUtf8("中文"));
        QVERIFY(ds.SaveXML(path));
        // GB2312 bytes, and no indentation.
        QCOMPARE(TestSupport::ReadFile(path),
                 "<?xml version=\"1.0\" encoding=\"GB2312\"?>\n<layout>\n<window "
                 "name=\"\xD6\xF7\xB4\xB0\xBF\xDA\">\xD6\xD0\xCE\xC4</window>\n</layout>\n");
        CGenericDS loaded = Parsed("<keep/>");
        QVERIFY(loaded.LoadXML(path));
        QCOMPARE(loaded.GetChild(0).GetValue(), QString::fromUtf8("中文"));
        QCOMPARE(loaded.GetChild(0).GetAttribute("name"), QString::fromUtf8("主窗口"));
        for (const QString& bad : {dir.filePath("missing/x.xml"), QString(), dir.path()})
            QVERIFY(!ds.SaveXML(bad) && !loaded.LoadXML(bad));
        QCOMPARE(loaded.GetName(), QStringLiteral("layout")); // failures leave the handle

        // A parse error is not reported: the document holds what the parser built.
        QVERIFY(loaded.LoadXML(TestSupport::WriteFile(dir.filePath("bad.xml"), "<r><a></r>")));
        QVERIFY(!loaded.GetXml().contains("layout"));
        // Without a declaration the bytes are UTF-8, read and written alike.
        QVERIFY(ds.LoadXML(TestSupport::WriteFile(dir.filePath("u.xml"), "<r>\xE4\xB8\xAD</r>")));
        QCOMPARE(ds.GetValue(), QString::fromUtf8("中"));
        QVERIFY(ds.SaveXML(path));
        QCOMPARE(TestSupport::ReadFile(path), "<r>\xE4\xB8\xAD</r>\n");
    }
};

QTEST_GUILESS_MAIN(tst_GenericDS)
#include "tst_genericds.moc"
