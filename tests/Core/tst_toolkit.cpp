#include "Core/Toolkit.h"
#include "ItemView/StandardItem.h"

#include "TestSupport.h"

#include <QDialog>
#include <QImageReader>
#include <QMenu>
#include <QMimeData>
#include <QPixmapCache>
#include <QScreen>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>
#include <QTimer>

#include <algorithm>
#include <limits>

using namespace TesselGUIToolkit;

using Check = bool (*)(const QString&);
Q_DECLARE_METATYPE(Check)

namespace {

void AddChecks(const char* name, Check check, const QStringList& accepted,
               const QStringList& rejected)
{
    for (const QStringList* inputs : {&accepted, &rejected}) {
        for (const QString& input : *inputs)
            QTest::addRow("%s \"%s\"", name, qUtf8Printable(input))
                << check << input << (inputs == &accepted);
    }
}

QStringList NetMasks(int firstPrefix, int lastPrefix)
{
    QStringList masks;
    for (int prefix = firstPrefix; prefix <= lastPrefix; ++prefix) {
        const quint32 bits = prefix == 0 ? 0u : ~quint32(0) << (32 - prefix);
        QStringList parts;
        for (int shift : {24, 16, 8, 0})
            parts << QString::number(bits >> shift & 0xFF);
        masks << parts.join('.');
    }
    return masks;
}

// Each pixel names its own position, so a crop can be read back from its first pixel.
QImage CoordinateImage()
{
    QImage image(200, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            image.setPixel(x, y, qRgb(x, y, 0));
    return image;
}

QRect CropOf(const QImage& crop)
{
    return QRect(qRed(crop.pixel(0, 0)), qGreen(crop.pixel(0, 0)), crop.width(), crop.height());
}

QString Texts(const QStandardItem* parent)
{
    QStringList texts;
    for (int row = 0; row < parent->rowCount(); ++row)
        texts << (parent->child(row) ? parent->child(row)->text() : QStringLiteral("-"));
    return texts.join(QLatin1Char(' '));
}

QStandardItem* Add(QStandardItem* parent, const QString& text, QStandardItem* item = nullptr)
{
    item = item ? item : new QStandardItem;
    item->setText(text);
    parent->appendRow(item);
    return item;
}

} // namespace

class tst_Toolkit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // The library sets both when it is loaded, before anything else can.
        QCOMPARE(GetGuiTextCodec(), QTextCodec::codecForLocale());
        QCOMPARE(GetGuiLocale(), QLocale::system());
    }
    void cleanup()
    {
        InitGuiTextCodec(QTextCodec::codecForLocale());
        InitGuiLocale(QLocale::system());
        QLocale::setDefault(QLocale::system());
    }

    void checks_data()
    {
        QTest::addColumn<Check>("check");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("ok");
        // clang-format off
        AddChecks("ParseIp4", ParseIp4,
            {"192.168.1.10", "0.0.0.0", "255.255.255.255", "001.002.003.004", "1.2.3.0255",
             "1.2.3.4 "},
            {"1.2.3", "1.2.3.4.5", "1.2.3.256", "256.0.0.0", "1..3.4", "1.2.3.4.", "...", "",
             "a.b.c.d", "0x1.2.3.4", "1.2.3.-4", "4294967297.1.1.1", "1,2,3,4", "::1", "1.2.3.4 5"});
        AddChecks("IsAvailableIpv4", IsAvailableIpv4,
            {"1.0.0.0", "10.0.0.1", "127.0.0.1", "223.255.255.255", "001.2.3.4"},
            {"0.1.2.3", "224.0.0.1", "255.255.255.255", "1.2.3", "", "100.1.1.300"});
        const QStringList ipv6({"::", "::1", "1::", "fe80::1%12", "fe80::1%eth0", "fe80::1%",
            "::ffff:192.168.1.1", "::1.2.3.4", "1:2:3:4:5:6:1.2.3.4", "2001:db8::1",
            "1:2:3:4:5:6:7:8", "FFFF:ffff:0:0:0:0:0:1", "1:2:3::5:6:7:8"});
        const QStringList notIpv6({"1:2:3:4:5:6:7", ":1:2:3:4:5:6:7", "1:2:3:4:5:6:7:",
            "1:2:3:4:5:6:7:10000", "12345::1", "1::2::3", "1:2:3::5::7:8", ":::",
            "1:2:3:4:5:6:7:8:9", "1:2:3:4:5:6:7::", "1:2", "1", "", "::g", "1:2:3:4:5:1.2.3.4",
            "1.2.3.4::", "::1.2.3.256", "::ffff:1.2.3", "%::1", "::1%a%b", "192.168.1.1"});
        AddChecks("ParseIpv6", ParseIpv6, ipv6, notIpv6);
        AddChecks("ParseIpv6Multicast", ParseIpv6Multicast, ipv6, notIpv6);
        // Only the first dotted quad is examined, by both multicast checks alike.
        const QStringList multicast({"239.255.255.250", "224.0.0.1", "239.1.2.3",
            "224.1.1.1 and more", "224.1.1.1.5"});
        const QStringList unicast({"240.0.0.1", "223.255.255.255", "x224.1.1.1", "224.1.1.256",
            "224.1.1", "", "1:2:3"});
        AddChecks("ParseIpv4Multicast", ParseIpv4Multicast, multicast, unicast + ipv6);
        AddChecks("IsMulticast", IsMulticast, multicast + ipv6, unicast);
        // /31 and /32 leave no room for hosts.
        AddChecks("IsNetMask", IsNetMask, NetMasks(0, 30), NetMasks(31, 32) + QStringList({
            "255.255.0.255", "255.0.255.0", "255.255.255.1", "1.0.0.0", "255.255.255",
            "255.255.255.0.0", "255.255.255.000", "255.255.255.0 ", " 255.255.255.0", "",
            "256.0.0.0", "255,255,255,0"}));
        AddChecks("ParseMacAddress", ParseMacAddress,
            {"00:1A:2b:3C:4d:5E", "00:00:00:00:00:00", "FF:FF:FF:FF:FF:FF"},
            {"00-1A-2B-3C-4D-5E", "00:1A:2B:3C:4D", "00:1A:2B:3C:4D:5E:6F", "001A:2B:3C:4D:5E",
             "0:1A:2B:3C:4D:5E", "G0:1A:2B:3C:4D:5E", "00:1A:2B:3C:4D:5E ", "001A2B3C4D5E", ""});
        const QStringList plain({"", "camera 01", "()[]{}.+^$-", "%&#@!~`;,=", "前门摄像机"});
        const QStringList reserved({"a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "|"});
        // clang-format on
        AddChecks("IsInputValid", IsInputValid, plain, reserved + QStringList("it's"));
        AddChecks("IsInputValidV2", IsInputValidV2, plain + QStringList("it's"), reserved);
    }
    void checks()
    {
        QFETCH(Check, check);
        QFETCH(QString, input);
        QFETCH(bool, ok);
        QCOMPARE(check(input), ok);
    }

    void textConversions()
    {
        // clang-format off
        const char* const rows[][3] = { // input, IPToFullString, FullStringToIP
            {"10.1.20.3", "010.001.020.003", "10.1.20.3"}, {"0.0.0.0", "000.000.000.000", "0.0.0.0"},
            {"010.001.020.003", "010.001.020.003", "10.1.20.3"}, {"", "", ""},
            {"192.168.001.010", "192.168.001.010", "192.168.1.10"}, {"1.2.3", "", "1.2.3"},
            {"0100.00.0.000", "100.000.000.000", "100.0.0.0"}, {"1.2.3.256", "", "1.2.3.256"},
            {"000", "", "000"}, {"1.2.3.4.5", "", "1.2.3.4.5"}, {"...", "", "..."},
            {"00a.0.0.0", "", "a.0.0.0"}};
        // clang-format on
        for (const auto& row : rows) {
            QCOMPARE(IPToFullString(row[0]), QString(row[1]));
            QCOMPARE(FullStringToIP(row[0]), QString(row[2]));
        }
        QCOMPARE(ParseUrl("a b&quot;%1"), QStringLiteral("\"a b\"%1\""));
        QCOMPARE(ParseUrl(QString()), QStringLiteral("\"\""));
        QCOMPARE(ParsePathName("C:\\x/y"), QStringLiteral("C:\\x/y"));
        const QString dir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        QCOMPARE(GetTargetPath(), dir);
        QCOMPARE(GetResources(), dir);
        QCOMPARE(GetTargetPathFile("skin/a.qss"), dir + "skin/a.qss");
        QCOMPARE(GetTargetPathFile("/etc/hosts"), QStringLiteral("/etc/hosts"));

        // Only the 30th and 31st of February and the 31st of short months fail; no range check.
        for (const auto& date : {QPoint(2, 30), QPoint(2, 31), QPoint(4, 31), QPoint(11, 31)})
            QVERIFY(!ParseMonthValid(date.x(), date.y()));
        for (const auto& date : {QPoint(2, 29), QPoint(4, 30), QPoint(12, 31), QPoint(13, 45)})
            QVERIFY(ParseMonthValid(date.x(), date.y()));
    }

    void fileSizeAndEventName()
    {
        InitGuiLocale(QLocale(QLocale::German)); // sizes follow the default locale, not this one
        auto text = [](const char* locale, quint64 size, const char* unit, int decimals) {
            QLocale::setDefault(QLocale(locale));
            return GetFileSize(size, unit, decimals);
        };
        const quint64 kb = 1024, mb = kb << 10, tb = mb << 20;
        QCOMPARE(text("en_US", 1536, "", 2), "1.50 KB");
        QCOMPARE(text("de_DE", 1536, "", 2), "1,50 KB");
        QCOMPARE(text("en_US", 1, "MB", 2), "0.01 MB"); // a non-empty file never shows as zero
        QCOMPARE(text("en_US", mb << 10, "TB", 3), "0.001 TB");
        QCOMPARE(text("en_US", 1023, "", 2), "1,023 bytes");
        QCOMPARE(text("en_US", 0, "", 2), "0 bytes");
        QCOMPARE(text("en_US", kb, "", 2), "1.00 KB");
        QCOMPARE(text("en_US", tb, "", 2), "1.00 TB");
        QCOMPARE(text("en_US", 5 * tb, "GB", 1), "5,120.0 GB");
        QCOMPARE(text("en_US", 3 * mb, "KB", 0), "3,072 KB");
        QCOMPARE(text("en_US", 1536, "kb", 2), "1.50 KB"); // units are case-sensitive
        QCOMPARE(text("en_US", ~0ull, "", 2), "16,777,216.00 TB");
        QCOMPARE(text("en_US", 1536, "", 100000), "1.500000000000000 KB");
        QCOMPARE(text("en_US", 3 * kb, "KB", std::numeric_limits<int>::min()), "3 KB");

        // clang-format off
        const QPair<int, const char*> names[] = {{0, "None"}, {2, "MouseButtonPress"}, {15, "15"},
            {129, "HoverMove"}, {130, "130"}, {-1, "-1"}};
        // clang-format on
        for (const auto& name : names)
            QCOMPARE(GetEventName(QEvent::Type(name.first)), QString(name.second));
    }

    void codecAndLocale()
    {
        QTextCodec* utf8 = QTextCodec::codecForName("UTF-8");
        InitGuiTextCodec(QTextCodec::codecForName("ISO-8859-1"));
        const QString word = QString::fromUtf8("été");
        QCOMPARE(ConvertToUnicode("\xE9t\xE9"), word);
        QCOMPARE(ConvertFromUnicode(word), QByteArray("\xE9t\xE9"));
        QCOMPARE(ConvertToUnicode("\xC3\xA9t\xC3\xA9", utf8), word); // an explicit codec wins
        QCOMPARE(ConvertFromUnicode(word, utf8), word.toUtf8());
        // Conversions with std::string stop at the first zero byte.
        QCOMPARE(StringToQString(std::string("\xE9\0cd", 4)), QStringLiteral("\u00e9"));
        QCOMPARE(QStringToString(QString::fromLatin1("\xE9\0cd", 4)), std::string("\xE9"));
        // UTF-16 puts a zero byte after every ASCII letter (Qt writes a byte order mark first).
        QCOMPARE(QStringToString("AB", QTextCodec::codecForName("UTF-16LE")),
                 "\xFF\xFE"
                 "A");
        QCOMPARE(ConvertToUnicode(nullptr, utf8), QString());
        InitGuiTextCodec(nullptr); // the system codec then
        QCOMPARE(ConvertToUnicode("abc"), QStringLiteral("abc"));

        InitGuiLocale(QLocale(QLocale::German, QLocale::Germany));
        QLocale copy = GetGuiLocale();
        copy.setNumberOptions(QLocale::OmitGroupSeparator);
        QCOMPARE(GetGuiLocale().name(), QStringLiteral("de_DE"));
        QCOMPARE(GetGuiLocale().numberOptions(), QLocale::NumberOptions());
    }

    void roundedRegions()
    {
        const QRect rect(10, 20, 100, 60);
        const QPoint corners[] = {rect.topLeft(), rect.topRight(), rect.bottomLeft(),
                                  rect.bottomRight()};
        // clang-format off
        const struct { QRegion (*shape)(const QRect&, int); const char* rounded; } kinds[] = {
            {RoundedRect, "1111"}, {RoundedLeftRect, "1010"}, {RoundedRightRect, "0101"},
            {RoundedTopRect, "1100"}}; // top-left, top-right, bottom-left, bottom-right
        // clang-format on
        for (const auto& kind : kinds) {
            const QRegion region = kind.shape(rect, 10);
            QCOMPARE(region.boundingRect(), rect);
            for (int i = 0; i < 4; ++i)
                QVERIFY2(region.contains(corners[i]) == (kind.rounded[i] == '0'), kind.rounded);
            QVERIFY(region.contains(QPoint(15, 25)) && region.contains(QPoint(60, 20)));
            QVERIFY(kind.shape(rect, 1000000).contains(QPoint(60, 21))); // a round end
            QVERIFY(kind.shape(rect, -5).contains(rect.topLeft())); // a negative radius is 0
            QCOMPARE(kind.shape(rect, -5).boundingRect(), rect);
            QVERIFY(kind.shape(QRect(), 4).isEmpty());
            QVERIFY(kind.shape(QRect(0, 0, -5, 10), 4).isEmpty());
        }
    }

    void customRectImage()
    {
        // The crop read back from the 200 x 100 picture; a null rectangle for a null image.
        auto crop = [](QRect rect, float ratio, bool expand) {
            const QImage image = GetCustomRectImage(CoordinateImage(), rect, ratio, expand);
            return image.isNull() ? QRect() : CropOf(image);
        };
        const QRect whole(0, 0, 200, 100);
        QCOMPARE(crop({50, 20, 40, 20}, 1, false), QRect(50, 10, 40, 40)); // wide to square
        QCOMPARE(crop({100, 10, 20, 60}, 16.0f / 9, false), QRect(57, 10, 106, 60));
        QCOMPARE(crop({190, 40, 30, 10}, 2, false), QRect(170, 38, 30, 15)); // past the right
        QCOMPARE(crop({0, 0, 300, 10}, 30, false), QRect(0, 0, 200, 10)); // wider than it
        QCOMPARE(crop({10, -5, 10, 20}, 0.5f, false), QRect(10, 0, 10, 100)); // negative top
        QCOMPARE(crop({500, 500, 10, 10}, 1, false), QRect(190, 90, 10, 10)); // outside
        QCOMPARE(crop({80, 40, 20, 20}, 1, true), QRect(60, 20, 60, 60)); // expanded
        QCOMPARE(crop({150, 50, 40, 40}, 1, true), QRect(80, 0, 120, 100));
        // A zero ratio crops to nothing, which copies the whole picture.
        QCOMPARE(crop({10, 10, 20, 40}, 0, false), whole);
        QCOMPARE(crop({10, 10, 20, 40}, -0.0000001f, true), whole); // a tiny negative is zero
        QCOMPARE(crop({10, 10, 40, 20}, std::numeric_limits<float>::quiet_NaN(), false), whole);
        QCOMPARE(crop({10, 10, -5, 10}, 1, false), QRect()); // invalid rectangle
        QCOMPARE(crop({10, 10, 20, 20}, -1, false), QRect()); // negative ratio
        QVERIFY(GetCustomRectImage(QImage(), QRect(0, 0, 10, 10), 1.0f, false).isNull());
    }

    void picturesFromFiles()
    {
        QTemporaryDir dir;
        const QString png = dir.filePath("picture.png");
        const QString missing = dir.filePath("missing.png");
        QVERIFY(CoordinateImage().save(png));
        QImageReader reader(png);
        const QRect request(100, 10, 20, 60);
        QCOMPARE(
            CropOf(GetCustomRectImageByImageReader(reader, request, 16.0f / 9, false).toImage()),
            QRect(57, 10, 106, 60));
        QImageReader bad(png);
        QVERIFY(GetCustomRectImageByImageReader(bad, QRect(10, 10, -1, 5), 1, false).isNull());

        const QPixmap first = QStringCovertPixmap(png);
        QCOMPARE(first.size(), QSize(200, 100));
        QVERIFY(QFile::remove(png));
        QCOMPARE(QStringCovertPixmap(png).cacheKey(), first.cacheKey()); // served from the cache
        QVERIFY(QStringCovertPixmap(missing).isNull());
        QPixmap cached;
        QVERIFY(!QPixmapCache::find(missing, &cached)); // a failure is not cached

        const QByteArray svg("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"20\">"
                             "<rect width=\"40\" height=\"20\" fill=\"#ff0000\"/></svg>");
        const QString red = TestSupport::WriteFile(dir.filePath("red.svg"), svg);
        const QString blue = TestSupport::WriteFile(dir.filePath("blue.svg"),
                                                    QByteArray(svg).replace("#ff0000", "#0000ff"));
        QCOMPARE(GetHighDpiSvgPixmap(red, QSize(-1, 5)).size(), QSize(40, 20)); // its own size
        QCOMPARE(GetHighDpiSvgPixmap(red, QSize(80, 40)).size(), QSize(80, 40));
        QVERIFY(GetHighDpiSvgPixmap(missing).isNull());
        QVERIFY(GetHighDpiSvgPixmap(red, QSize(0, 0)).isNull());
        const QIcon icon = GetHighDpiSvgIcon(red, blue, QSize(40, 20));
        QCOMPARE(icon.pixmap(40, 20, QIcon::Normal).toImage().pixelColor(20, 10), QColor(Qt::red));
        QCOMPARE(icon.pixmap(40, 20, QIcon::Selected).toImage().pixelColor(20, 10),
                 QColor(Qt::blue));
    }

    void dragFilesAndRowOrder()
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile("/tmp/a.txt"), QUrl("http://example.com/x"),
                      QUrl::fromLocalFile("/tmp/b c.mp4")});
        QCOMPARE(GetDragFiles(&mime), QStringList({"/tmp/a.txt", "/tmp/b c.mp4"}));
        QCOMPARE(GetDragFiles(nullptr), QStringList());
        QStandardItemModel model(5, 2);
        QVERIFY(SortIndexByRow(model.index(1, 1), model.index(3, 0)));
        QVERIFY(!SortIndexByRow(model.index(3, 0), model.index(3, 1)));
    }

    void checkCount()
    {
        // A checked x { A1 checked x, A2 unchecked x { A2a checked x } }, B unchecked x
        // { B1 checked x }, C partially checked y { C1 checked x }: only checked items are
        // entered.
        QStandardItemModel model;
        QHash<QString, QStandardItem*> items{{"", model.invisibleRootItem()}};
        // clang-format off
        const char* const tree[][4] = {{"A", "", "2", "x"}, {"A1", "A", "2", "x"},
            {"A2", "A", "0", "x"}, {"A2a", "A2", "2", "x"}, {"B", "", "0", "x"},
            {"B1", "B", "2", "x"}, {"C", "", "1", "y"}, {"C1", "C", "2", "x"}};
        // clang-format on
        for (const auto& node : tree) {
            QStandardItem* item = Add(items.value(node[1]), node[0]);
            item->setCheckState(Qt::CheckState(QByteArray(node[2]).toInt()));
            item->setData(QString(node[3]), Qt::UserRole);
            items.insert(node[0], item);
        }
        auto count = [&](const char* parent, int role, const QVariant& value) {
            return GetCheckCount(&model, items.value(parent)->index(), role, value);
        };
        const int user = Qt::UserRole;
        QCOMPARE(count("", -1, QVariant()), 4);
        QCOMPARE(count("", user, "x"), 3);
        QCOMPARE(count("", user, "y"), 1);
        QCOMPARE(count("", -1, "x"), 0); // no role with a value
        QCOMPARE(count("", user + 1, QVariant()), 0); // a role without data
        QCOMPARE(count("A", -1, QVariant()), 1);
        QCOMPARE(count("B", -1, QVariant()), 1);
        QCOMPARE(GetCheckCount(nullptr), 0);
        QStandardItemModel other(1, 1);
        QCOMPARE(GetCheckCount(&model, other.index(0, 0)), 0); // an index of another model
    }

    void copyModelData()
    {
        QStandardItemModel source;
        auto* a = new CStandardItem;
        a->SetExtraValue(42);
        a->setData(QStringLiteral("payload"), Qt::UserRole);
        source.appendRow({a, new QStandardItem(QStringLiteral("a2"))});
        Add(Add(a, "a.child", new CStandardItem), "a.grandchild");
        a->setText(QStringLiteral("a"));
        Add(source.invisibleRootItem(), "b");
        // The rows go in from the given row on, or at the end.
        const QPair<uint, const char*> positions[] = {
            {0u, "a b t0 t1"}, {1u, "t0 a b t1"}, {2u, "t0 t1 a b"}, {99u, "t0 t1 a b"}};
        for (const auto& position : positions) {
            QStandardItemModel target;
            for (const char* text : {"t0", "t1"})
                Add(target.invisibleRootItem(), text);
            CopyModelData(&source, QModelIndex(), &target, QModelIndex(), position.first);
            QCOMPARE(Texts(target.invisibleRootItem()), QString(position.second));
        }
        QStandardItemModel target;
        CopyModelData(&source, QModelIndex(), &target, QModelIndex());
        const QStandardItem* copy = target.item(0);
        QCOMPARE(copy->type(), int(CStandardItem::Type));
        QCOMPARE(static_cast<const CStandardItem*>(copy)->GetExtraValue(), QVariant(42));
        QCOMPARE(copy->data(Qt::UserRole), QVariant("payload"));
        QCOMPARE(target.item(0, 1)->text(), QStringLiteral("a2"));
        QCOMPARE(copy->child(0)->type(), int(CStandardItem::Type));
        QCOMPARE(copy->child(0)->child(0)->type(), int(QStandardItem::Type));
        QCOMPARE(Texts(copy->child(0)), QStringLiteral("a.grandchild"));
        QCOMPARE(Texts(source.invisibleRootItem()), QStringLiteral("a b")); // read only

        // Into itself: the copy of "a" holds only what "a" held before.
        CopyModelData(&source, QModelIndex(), &source, source.index(0, 0));
        QCOMPARE(Texts(a), QStringLiteral("a.child a b"));
        QCOMPARE(Texts(a->child(1)), QStringLiteral("a.child"));
        // The children of one row under another row.
        CopyModelData(&source, source.index(0, 0), &target, target.index(1, 0), 0);
        QCOMPARE(Texts(target.item(1)), QStringLiteral("a.child a b"));

        // Bad arguments do nothing, except that a foreign target parent means the root.
        QStandardItemModel empty;
        QStandardItemModel other(3, 3);
        CopyModelData(nullptr, QModelIndex(), &empty, QModelIndex(), 0);
        CopyModelData(&source, QModelIndex(), nullptr, QModelIndex(), 0);
        CopyModelData(&source, other.index(1, 1), &empty, QModelIndex(), 0);
        QCOMPARE(empty.rowCount(), 0);
        CopyModelData(&source, QModelIndex(), &empty, other.index(1, 1), 0);
        QCOMPARE(Texts(empty.invisibleRootItem()), QStringLiteral("a b"));
        QVERIFY(!other.item(1, 1));
    }

    void screenGeometry()
    {
        const QRect a = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(GetAvailablePoint(a.center()), a.center());
        QCOMPARE(GetAvailablePoint({a.left() - 50, a.top() + 9}), QPoint(a.left(), a.top() + 9));
        QCOMPARE(GetAvailablePoint(a.bottomRight() + QPoint(5000, 5000)), a.bottomRight());
        QCOMPARE(GetAvailablePoint({a.left() + 7, -100000}), QPoint(a.left() + 7, a.top()));

        const QRect s = QGuiApplication::primaryScreen()->geometry();
        QWidget widget;
        const QRect inside(s.left() + 10, s.top() + 10, 100, 50);
        QCOMPARE(GetAvailableGeometry(inside, nullptr), inside);
        // Past the right and bottom edges only the left and top move, by the excess plus one.
        const QRect over(s.right() - 99, s.bottom() - 99, 200, 200);
        QCOMPARE(GetAvailableGeometry(over, &widget),
                 QRect(over.topLeft() - QPoint(101, 101), over.bottomRight()));

        // A 100 x 50 pop-up: under the anchor, above it near the bottom, under it again when
        // there is no room above either, and kept inside the screen horizontally.
        widget.resize(100, 50);
        auto popup = [&](int x, int y, int w, int h) {
            return GetBorderAvailableGeometry(QRect(x, y, w, h), &widget).topLeft();
        };
        const int x = s.left() + 10, top = s.top();
        QCOMPARE(popup(x, top + 10, 80, 20), QPoint(x, top + 29));
        QCOMPARE(popup(x, s.bottom() - 39, 80, 20), QPoint(x, s.bottom() - 89));
        QCOMPARE(popup(x, top + 20, 80, s.height() - 30), QPoint(x, s.bottom() - 10));
        QCOMPARE(popup(s.right() - 49, top + 10, 40, 20), QPoint(s.right() - 100, top + 29));
        QCOMPARE(popup(s.left() - 20, top + 10, 40, 20), QPoint(s.left(), top + 29));
        QCOMPARE(GetBorderAvailableGeometry(inside, nullptr), QRect());

        widget.resize(201, 101);
        MoveToScreenCenter(&widget);
        QCOMPARE(widget.pos(), s.topLeft() + QPoint((s.width() - 201) / 2, (s.height() - 101) / 2));
        MoveToScreenCenter(nullptr);
    }

    void windows()
    {
        QWidget main;
        auto* child = new QWidget(&main);
        QWidget* dialog = new QDialog(child);
        auto* inner = new QWidget(dialog);
        QCOMPARE(GetIndependentWindow(inner), dialog);
        QCOMPARE(GetIndependentWindow(child), &main);
        QCOMPARE(GetIndependentWindow(inner, "QDialog"), &main);
        QCOMPARE(GetIndependentWindow(inner, "QWidget"), nullptr);
        QCOMPARE(GetIndependentWindow(inner, "NoSuchClass"), dialog);
        QCOMPARE(GetIndependentWindow(nullptr), nullptr);

        QCOMPARE(GetParentWindow(new QObject(child)), child);
        QCOMPARE(GetParentWindow(new QObject(new QMenu(&main))), &main); // past the pop-up
        for (Qt::WindowType type : {Qt::Tool, Qt::ToolTip, Qt::SplashScreen})
            QCOMPARE(GetParentWindow(new QWidget(&main, type)), &main);
        auto* window = new QWidget(&main, Qt::Dialog);
        QCOMPARE(GetParentWindow(window), window);
        QObject orphan;
        QCOMPARE(GetParentWindow(new QObject(&orphan)), nullptr);
        QCOMPARE(GetParentWindow(nullptr), nullptr);
    }

    void waiting()
    {
        int delivered = 0;
        QTimer::singleShot(0, this, [&delivered] { ++delivered; });
        TesselGUIToolkit::qSleep(20); // blocks without handling events
        QCOMPARE(delivered, 0);
        TesselGUIToolkit::qWait(0); // one round at least
        QCOMPARE(delivered, 1);
        QTimer::singleShot(5, this, [&delivered] { ++delivered; });
        TesselGUIToolkit::qWait(60);
        QCOMPARE(delivered, 2);
    }
};

QTEST_MAIN(tst_Toolkit)
#include "tst_toolkit.moc"
