#include "Core/Toolkit.h"
#include "ItemView/StandardItem.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
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
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>
#include <memory>

using namespace TesselGUIToolkit;

namespace {

class CEventCounter : public QObject
{
public:
    int m_nCount = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User) {
            ++m_nCount;
            return true;
        }
        return QObject::event(event);
    }
};

// Each pixel names its own position, so a crop can be read back from its first pixel.
QImage CoordinateImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x, y, 0));
    return image;
}

QRect CropOf(const QImage& crop)
{
    const QRgb first = crop.pixel(0, 0);
    return QRect(qRed(first), qGreen(first), crop.width(), crop.height());
}

void WriteSvg(const QString& path, const QString& colour)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"20\" "
                       "viewBox=\"0 0 40 20\"><rect width=\"40\" height=\"20\" fill=\"%1\"/>"
                       "</svg>")
            .arg(colour)
            .toUtf8());
}

QList<QStandardItem*> Row(const QStringList& texts)
{
    QList<QStandardItem*> items;
    for (const QString& text : texts)
        items << new QStandardItem(text);
    return items;
}

QStringList ColumnTexts(const QStandardItem* parent, int column = 0)
{
    QStringList texts;
    for (int row = 0; row < parent->rowCount(); ++row) {
        const QStandardItem* item = parent->child(row, column);
        texts << (item ? item->text() : QStringLiteral("-"));
    }
    return texts;
}

enum RegionKind { Full, Left, Right, Top };

} // namespace

Q_DECLARE_METATYPE(RegionKind)

class tst_Toolkit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // The library sets both when it is loaded, before anything else can.
        QCOMPARE(GetGuiTextCodec(), QTextCodec::codecForLocale());
        QCOMPARE(GetGuiLocale(), QLocale::system());
        m_pOriginalCodec = GetGuiTextCodec();
        m_defaultLocale = QLocale();
    }
    void cleanup()
    {
        InitGuiTextCodec(m_pOriginalCodec);
        InitGuiLocale(QLocale::system());
        QLocale::setDefault(m_defaultLocale);
    }

    // --- Address checks ------------------------------------------------------------------

    void parseIp4_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "192.168.1.10" << true;
        QTest::newRow("zeros") << "0.0.0.0" << true;
        QTest::newRow("all 255") << "255.255.255.255" << true;
        QTest::newRow("leading zeros") << "001.002.003.004" << true;
        QTest::newRow("mixed leading zeros") << "192.168.001.010" << true;
        QTest::newRow("four digits with zero") << "1.2.3.0255" << true;
        QTest::newRow("blanks around a number") << "1.2.3.4 " << true; // toUInt trims
        QTest::newRow("three parts") << "1.2.3" << false;
        QTest::newRow("five parts") << "1.2.3.4.5" << false;
        QTest::newRow("256") << "1.2.3.256" << false;
        QTest::newRow("first 256") << "256.0.0.0" << false;
        QTest::newRow("empty part") << "1..3.4" << false;
        QTest::newRow("trailing dot") << "1.2.3.4." << false;
        QTest::newRow("only dots") << "..." << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters") << "a.b.c.d" << false;
        QTest::newRow("hex") << "0x1.2.3.4" << false;
        QTest::newRow("negative") << "1.2.3.-4" << false;
        QTest::newRow("overflow") << "4294967297.1.1.1" << false;
        QTest::newRow("comma") << "1,2,3,4" << false;
        QTest::newRow("ipv6") << "::1" << false;
        QTest::newRow("inner blank") << "1.2.3.4 5" << false;
    }
    void parseIp4()
    {
        QFETCH(QString, ip);
        QFETCH(bool, valid);
        QCOMPARE(ParseIp4(ip), valid);
    }

    void isAvailableIpv4_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<bool>("valid");
        QTest::newRow("class A low") << "1.0.0.0" << true;
        QTest::newRow("private") << "10.0.0.1" << true;
        QTest::newRow("loopback") << "127.0.0.1" << true;
        QTest::newRow("class C high") << "223.255.255.255" << true;
        QTest::newRow("leading zeros") << "001.2.3.4" << true;
        QTest::newRow("zero network") << "0.1.2.3" << false;
        QTest::newRow("multicast") << "224.0.0.1" << false;
        QTest::newRow("broadcast") << "255.255.255.255" << false;
        QTest::newRow("malformed") << "1.2.3" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("out of range") << "100.1.1.300" << false;
    }
    void isAvailableIpv4()
    {
        QFETCH(QString, ip);
        QFETCH(bool, valid);
        QCOMPARE(IsAvailableIpv4(ip), valid);
    }

    void parseIpv6_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<bool>("valid");
        QTest::newRow("unspecified") << "::" << true;
        QTest::newRow("loopback") << "::1" << true;
        QTest::newRow("trailing double colon") << "1::" << true;
        QTest::newRow("zone number") << "fe80::1%12" << true;
        QTest::newRow("zone name") << "fe80::1%eth0" << true;
        QTest::newRow("empty zone") << "fe80::1%" << true;
        QTest::newRow("mapped ipv4") << "::ffff:192.168.1.1" << true;
        QTest::newRow("ipv4 after double colon") << "::1.2.3.4" << true;
        QTest::newRow("seven groups with ipv4") << "1:2:3:4:5:6:1.2.3.4" << true;
        QTest::newRow("documentation") << "2001:db8::1" << true;
        QTest::newRow("full") << "1:2:3:4:5:6:7:8" << true;
        QTest::newRow("upper case") << "FFFF:ffff:0:0:0:0:0:1" << true;
        QTest::newRow("double colon inside") << "1:2:3::5:6:7:8" << true;
        QTest::newRow("seven groups") << "1:2:3:4:5:6:7" << false;
        QTest::newRow("single leading colon") << ":1:2:3:4:5:6:7" << false;
        QTest::newRow("single trailing colon") << "1:2:3:4:5:6:7:" << false;
        QTest::newRow("group above ffff") << "1:2:3:4:5:6:7:10000" << false;
        QTest::newRow("five hex digits") << "12345::1" << false;
        QTest::newRow("two double colons") << "1::2::3" << false;
        QTest::newRow("two double colons in eight") << "1:2:3::5::7:8" << false;
        QTest::newRow("triple colon") << ":::" << false;
        QTest::newRow("nine groups") << "1:2:3:4:5:6:7:8:9" << false;
        QTest::newRow("ending double colon, nine parts") << "1:2:3:4:5:6:7::" << false;
        QTest::newRow("two parts") << "1:2" << false;
        QTest::newRow("one group") << "1" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("not hex") << "::g" << false;
        QTest::newRow("six parts with ipv4") << "1:2:3:4:5:1.2.3.4" << false;
        QTest::newRow("ipv4 not last") << "1.2.3.4::" << false;
        QTest::newRow("bad ipv4 tail") << "::1.2.3.256" << false;
        QTest::newRow("short ipv4 tail") << "::ffff:1.2.3" << false;
        QTest::newRow("only a zone") << "%::1" << false;
        QTest::newRow("zone cut at the last percent") << "::1%a%b" << false;
        QTest::newRow("plain ipv4") << "192.168.1.1" << false;
    }
    void parseIpv6()
    {
        QFETCH(QString, ip);
        QFETCH(bool, valid);
        QCOMPARE(ParseIpv6(ip), valid);
        QCOMPARE(ParseIpv6Multicast(ip), valid);
    }

    void isNetMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("valid");
        for (int prefix = 0; prefix <= 32; ++prefix) {
            const quint32 bits = prefix == 0 ? 0u : ~quint32(0) << (32 - prefix);
            const QString mask = QStringLiteral("%1.%2.%3.%4")
                                     .arg(bits >> 24)
                                     .arg((bits >> 16) & 0xFF)
                                     .arg((bits >> 8) & 0xFF)
                                     .arg(bits & 0xFF);
            // /31 and /32 leave no room for hosts and are refused.
            QTest::newRow(qPrintable(QStringLiteral("/%1").arg(prefix))) << mask << (prefix <= 30);
        }
        QTest::newRow("hole") << "255.255.0.255" << false;
        QTest::newRow("hole in second") << "255.0.255.0" << false;
        QTest::newRow("not contiguous") << "255.255.255.1" << false;
        QTest::newRow("first not a mask") << "1.0.0.0" << false;
        QTest::newRow("three parts") << "255.255.255" << false;
        QTest::newRow("five parts") << "255.255.255.0.0" << false;
        QTest::newRow("padded") << "255.255.255.000" << false;
        QTest::newRow("trailing blank") << "255.255.255.0 " << false;
        QTest::newRow("leading blank") << " 255.255.255.0" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("256") << "256.0.0.0" << false;
        QTest::newRow("other separator") << "255,255,255,0" << false;
    }
    void isNetMask()
    {
        QFETCH(QString, mask);
        QFETCH(bool, valid);
        QCOMPARE(IsNetMask(mask), valid);
    }

    void multicast_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<bool>("multicast");
        QTest::addColumn<bool>("ipv4Multicast");
        QTest::newRow("ssdp") << "239.255.255.250" << true << true;
        QTest::newRow("lowest") << "224.0.0.1" << true << true;
        QTest::newRow("inside") << "239.1.2.3" << true << true;
        QTest::newRow("trailing text") << "224.1.1.1 and more" << true << true;
        QTest::newRow("fifth number ignored") << "224.1.1.1.5" << true << true;
        QTest::newRow("reserved") << "240.0.0.1" << false << false;
        QTest::newRow("unicast") << "223.255.255.255" << false << false;
        QTest::newRow("leading text") << "x224.1.1.1" << false << false;
        QTest::newRow("number above 255") << "224.1.1.256" << false << false;
        QTest::newRow("three numbers") << "224.1.1" << false << false;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("ipv6 documentation") << "2001:db8::1" << true << false;
        QTest::newRow("ipv6 multicast") << "ff02::1" << true << false;
        QTest::newRow("ipv6 unspecified") << "::" << true << false;
        QTest::newRow("invalid ipv6") << "1:2:3" << false << false;
    }
    void multicast()
    {
        QFETCH(QString, ip);
        QFETCH(bool, multicast);
        QFETCH(bool, ipv4Multicast);
        QCOMPARE(IsMulticast(ip), multicast);
        QCOMPARE(ParseIpv4Multicast(ip), ipv4Multicast);
    }

    void parseMacAddress_data()
    {
        QTest::addColumn<QString>("mac");
        QTest::addColumn<bool>("valid");
        QTest::newRow("mixed case") << "00:1A:2b:3C:4d:5E" << true;
        QTest::newRow("zeros") << "00:00:00:00:00:00" << true;
        QTest::newRow("broadcast") << "FF:FF:FF:FF:FF:FF" << true;
        QTest::newRow("dashes") << "00-1A-2B-3C-4D-5E" << false;
        QTest::newRow("five pairs") << "00:1A:2B:3C:4D" << false;
        QTest::newRow("seven pairs") << "00:1A:2B:3C:4D:5E:6F" << false;
        QTest::newRow("missing colon") << "001A:2B:3C:4D:5E" << false;
        QTest::newRow("single digit") << "0:1A:2B:3C:4D:5E" << false;
        QTest::newRow("not hex") << "G0:1A:2B:3C:4D:5E" << false;
        QTest::newRow("trailing blank") << "00:1A:2B:3C:4D:5E " << false;
        QTest::newRow("no separators") << "001A2B3C4D5E" << false;
        QTest::newRow("empty") << "" << false;
    }
    void parseMacAddress()
    {
        QFETCH(QString, mac);
        QFETCH(bool, valid);
        QCOMPARE(ParseMacAddress(mac), valid);
    }

    void isInputValid_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("validV2");
        QTest::newRow("empty") << "" << true << true;
        QTest::newRow("plain") << "camera 01" << true << true;
        QTest::newRow("apostrophe") << "it's" << false << true;
        QTest::newRow("backslash") << "a\\b" << false << false;
        QTest::newRow("slash") << "a/b" << false << false;
        QTest::newRow("colon") << "a:b" << false << false;
        QTest::newRow("asterisk") << "a*b" << false << false;
        QTest::newRow("question mark") << "a?b" << false << false;
        QTest::newRow("double quote") << "a\"b" << false << false;
        QTest::newRow("less than") << "a<b" << false << false;
        QTest::newRow("greater than") << "a>b" << false << false;
        QTest::newRow("bar") << "|" << false << false;
        QTest::newRow("other pattern characters") << "()[]{}.+^$-" << true << true;
        QTest::newRow("punctuation") << "%&#@!~`;,=" << true << true;
        QTest::newRow("chinese") << QString::fromUtf8("前门摄像机") << true << true;
    }
    void isInputValid()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(bool, validV2);
        QCOMPARE(IsInputValid(text), valid);
        QCOMPARE(IsInputValidV2(text), validV2);
    }

    void fullStringRoundTrip_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("back");
        QTest::newRow("mixed") << "10.1.20.3"
                               << "010.001.020.003"
                               << "10.1.20.3";
        QTest::newRow("small") << "1.2.3.4"
                               << "001.002.003.004"
                               << "1.2.3.4";
        QTest::newRow("zeros") << "0.0.0.0"
                               << "000.000.000.000"
                               << "0.0.0.0";
        QTest::newRow("largest") << "255.255.255.255"
                                 << "255.255.255.255"
                                 << "255.255.255.255";
        QTest::newRow("already padded") << "192.168.001.010"
                                        << "192.168.001.010"
                                        << "192.168.1.10";
        QTest::newRow("invalid") << "1.2.3"
                                 << ""
                                 << "";
        QTest::newRow("out of range") << "1.2.3.256"
                                      << ""
                                      << "";
    }
    void fullStringRoundTrip()
    {
        QFETCH(QString, ip);
        QFETCH(QString, full);
        QFETCH(QString, back);
        QCOMPARE(IPToFullString(ip), full);
        QCOMPARE(FullStringToIP(full), back);
    }

    void fullStringToIp_data()
    {
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("ip");
        QTest::newRow("zero part") << "001.002.000.004"
                                   << "1.2.0.4";
        QTest::newRow("long zeros") << "0100.00.0.000"
                                    << "100.0.0.0";
        QTest::newRow("three parts unchanged") << "001.002.003"
                                               << "001.002.003";
        QTest::newRow("five parts unchanged") << "1.2.3.4.5"
                                              << "1.2.3.4.5";
        QTest::newRow("no dots unchanged") << "000"
                                           << "000";
        QTest::newRow("empty unchanged") << ""
                                         << "";
        QTest::newRow("letters kept") << "00a.0.0.0"
                                      << "a.0.0.0";
        QTest::newRow("empty parts stay empty") << "..."
                                                << "...";
    }
    void fullStringToIp()
    {
        QFETCH(QString, full);
        QFETCH(QString, ip);
        QCOMPARE(FullStringToIP(full), ip);
    }

    void parseMonthValid_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("valid");
        QTest::newRow("feb 28") << 2 << 28 << true;
        QTest::newRow("feb 29 any year") << 2 << 29 << true;
        QTest::newRow("feb 30") << 2 << 30 << false;
        QTest::newRow("feb 31") << 2 << 31 << false;
        QTest::newRow("apr 30") << 4 << 30 << true;
        QTest::newRow("apr 31") << 4 << 31 << false;
        QTest::newRow("jun 31") << 6 << 31 << false;
        QTest::newRow("sep 31") << 9 << 31 << false;
        QTest::newRow("nov 31") << 11 << 31 << false;
        QTest::newRow("jan 31") << 1 << 31 << true;
        QTest::newRow("dec 31") << 12 << 31 << true;
        QTest::newRow("no range check") << 13 << 45 << true;
        QTest::newRow("negative") << -2 << -30 << true;
    }
    void parseMonthValid()
    {
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(bool, valid);
        QCOMPARE(ParseMonthValid(month, day), valid);
    }

    // --- Texts -----------------------------------------------------------------------------

    void getFileSize_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<quint64>("size");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        const quint64 kb = 1024;
        const quint64 mb = kb * 1024;
        const quint64 gb = mb * 1024;
        const quint64 tb = gb * 1024;
        QTest::newRow("kilobytes by size") << "en_US" << 1536 * 1ull << "" << 2 << "1.50 KB";
        QTest::newRow("german decimal comma") << "de_DE" << 1536 * 1ull << "" << 2 << "1,50 KB";
        QTest::newRow("one byte shows the floor") << "en_US" << 1ull << "MB" << 2 << "0.01 MB";
        QTest::newRow("zero bytes") << "en_US" << 0ull << "MB" << 2 << "0.00 MB";
        QTest::newRow("floor with three decimals") << "en_US" << gb << "TB" << 3 << "0.001 TB";
        QTest::newRow("bytes with group separator")
            << "en_US" << 1000ull << "" << 2 << "1,000 bytes";
        QTest::newRow("german group separator") << "de_DE" << 1000ull << "" << 2 << "1.000 bytes";
        QTest::newRow("just below a kilobyte") << "en_US" << 1023ull << "" << 2 << "1,023 bytes";
        QTest::newRow("zero by size") << "en_US" << 0ull << "" << 2 << "0 bytes";
        QTest::newRow("one kilobyte") << "en_US" << kb << "" << 2 << "1.00 KB";
        QTest::newRow("one megabyte") << "en_US" << mb << "" << 2 << "1.00 MB";
        QTest::newRow("one gigabyte") << "en_US" << gb << "" << 2 << "1.00 GB";
        QTest::newRow("one terabyte") << "en_US" << tb << "" << 2 << "1.00 TB";
        QTest::newRow("forced gigabytes") << "en_US" << 5 * tb << "GB" << 1 << "5,120.0 GB";
        QTest::newRow("forced kilobytes") << "en_US" << 3 * mb << "KB" << 0 << "3,072 KB";
        QTest::newRow("forced bytes") << "en_US" << 1536 * 1ull << "bytes" << 2 << "1,536 bytes";
        QTest::newRow("unit is case-sensitive") << "en_US" << 1536 * 1ull << "kb" << 2 << "1.50 KB";
        QTest::newRow("largest size") << "en_US" << ~0ull << "" << 2 << "16,777,216.00 TB";
        QTest::newRow("negative decimals as zero") << "en_US" << 3 * kb << "" << -3 << "3 KB";
        QTest::newRow("huge decimals clamped")
            << "en_US" << 1536 * 1ull << "" << 100000 << "1.500000000000000 KB";
        QTest::newRow("smallest int decimals")
            << "en_US" << 1ull << "KB" << int(0x80000000) << "1 KB";
    }
    void getFileSize()
    {
        QFETCH(QString, locale);
        QFETCH(quint64, size);
        QFETCH(QString, unit);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(GetFileSize(size, unit, decimals), text);
    }

    void getEventName_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << "None";
        QTest::newRow("2") << 2 << "MouseButtonPress";
        QTest::newRow("12") << 12 << "Paint";
        QTest::newRow("15 unlisted") << 15 << "15";
        QTest::newRow("27") << 27 << "HideToParent";
        QTest::newRow("64") << 64 << "DragResponse";
        QTest::newRow("69") << 69 << "ChildPolished";
        QTest::newRow("77") << 77 << "UpdateRequest";
        QTest::newRow("129") << 129 << "HoverMove";
        QTest::newRow("130 unlisted") << 130 << "130";
        QTest::newRow("user") << 1000 << "1000";
        QTest::newRow("negative") << -1 << "-1";
    }
    void getEventName()
    {
        QFETCH(int, type);
        QFETCH(QString, name);
        QCOMPARE(GetEventName(QEvent::Type(type)), name);
    }

    void parseUrlAndPaths()
    {
        QCOMPARE(ParseUrl(QStringLiteral("http://host/a b")),
                 QStringLiteral("\"http://host/a b\""));
        QCOMPARE(ParseUrl(QStringLiteral("a&quot;b")), QStringLiteral("\"a\"b\""));
        QCOMPARE(ParseUrl(QString()), QStringLiteral("\"\""));
        QCOMPARE(ParseUrl(QStringLiteral("%1%2")), QStringLiteral("\"%1%2\""));

        const QString dir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        QCOMPARE(GetTargetPath(), dir);
        QCOMPARE(GetResources(), dir);
        QCOMPARE(GetTargetPathFile(QStringLiteral("skin/a.qss")),
                 dir + QStringLiteral("skin/a.qss"));
        QCOMPARE(GetTargetPathFile(QStringLiteral("/etc/hosts")), QStringLiteral("/etc/hosts"));
        QCOMPARE(GetTargetPathFile(QString()), dir);
        QCOMPARE(ParsePathName(QStringLiteral("C:\\x/y")), QStringLiteral("C:\\x/y"));
    }

    // --- Codec and locale ------------------------------------------------------------------

    void conversionsUseTheGuiCodec()
    {
        QTextCodec* latin1 = QTextCodec::codecForName("ISO-8859-1");
        QVERIFY(latin1);
        InitGuiTextCodec(latin1);
        QCOMPARE(GetGuiTextCodec(), latin1);
        const QString word = QString::fromUtf8("été");
        QCOMPARE(ConvertToUnicode("\xE9t\xE9"), word);
        QCOMPARE(ConvertFromUnicode(word), QByteArray("\xE9t\xE9"));
        QCOMPARE(QStringToString(word), std::string("\xE9t\xE9"));
        QCOMPARE(StringToQString(std::string("\xE9t\xE9")), word);

        // An explicit codec wins over the GUI codec.
        QTextCodec* utf8 = QTextCodec::codecForName("UTF-8");
        QCOMPARE(ConvertToUnicode("\xC3\xA9t\xC3\xA9", utf8), word);
        QCOMPARE(ConvertFromUnicode(word, utf8), word.toUtf8());
        QCOMPARE(QStringToString(word, latin1), std::string("\xE9t\xE9"));
    }

    void conversionsStopAtZero()
    {
        const std::string withZero("ab\0cd", 5);
        QCOMPARE(StringToQString(withZero, QTextCodec::codecForName("ISO-8859-1")),
                 QStringLiteral("ab"));
        const QString text = QString::fromLatin1("ab\0cd", 5);
        QCOMPARE(ConvertFromUnicode(text, QTextCodec::codecForName("ISO-8859-1")).size(), 5);
        QCOMPARE(QStringToString(text), std::string("ab"));
        // UTF-16 puts a zero byte after every ASCII letter (Qt writes a byte order mark first).
        QCOMPARE(QStringToString(QStringLiteral("AB"), QTextCodec::codecForName("UTF-16LE")),
                 std::string("\xFF\xFE"
                             "A"));
    }

    void conversionsSurviveNulls()
    {
        QCOMPARE(ConvertToUnicode(nullptr), QString());
        QCOMPARE(ConvertToUnicode(nullptr, QTextCodec::codecForName("UTF-8")), QString());
        QCOMPARE(ConvertToUnicode(""), QString());
        InitGuiTextCodec(nullptr);
        QCOMPARE(GetGuiTextCodec(), static_cast<QTextCodec*>(nullptr));
        QCOMPARE(ConvertToUnicode("abc"), QStringLiteral("abc"));
        QCOMPARE(ConvertFromUnicode(QStringLiteral("abc")), QByteArray("abc"));
        QCOMPARE(QStringToString(QStringLiteral("abc")), std::string("abc"));
        QCOMPARE(StringToQString(std::string()), QString());
    }

    void guiLocale()
    {
        InitGuiLocale(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(GetGuiLocale().name(), QStringLiteral("de_DE"));
        QLocale copy = GetGuiLocale();
        copy.setNumberOptions(QLocale::OmitGroupSeparator);
        QCOMPARE(GetGuiLocale().numberOptions(),
                 QLocale::NumberOptions(QLocale::DefaultNumberOptions));
    }

    // --- Regions -------------------------------------------------------------------------

    void roundedRegions_data()
    {
        QTest::addColumn<RegionKind>("kind");
        QTest::addColumn<int>("radius");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("inside");
        // The rectangle is (10, 20) to (109, 79).
        const QPoint tl(10, 20), tr(109, 20), bl(10, 79), br(109, 79), centre(60, 50);
        struct Corners
        {
            RegionKind kind;
            const char* name;
            bool tl, tr, bl, br;
        };
        const Corners table[] = {{Full, "full", false, false, false, false},
                                 {Left, "left", false, true, false, true},
                                 {Right, "right", true, false, true, false},
                                 {Top, "top", false, false, true, true}};
        for (const Corners& c : table) {
            const QString n = QString::fromLatin1(c.name);
            QTest::newRow(qPrintable(n + " top-left")) << c.kind << 10 << tl << c.tl;
            QTest::newRow(qPrintable(n + " top-right")) << c.kind << 10 << tr << c.tr;
            QTest::newRow(qPrintable(n + " bottom-left")) << c.kind << 10 << bl << c.bl;
            QTest::newRow(qPrintable(n + " bottom-right")) << c.kind << 10 << br << c.br;
            QTest::newRow(qPrintable(n + " centre")) << c.kind << 10 << centre << true;
            QTest::newRow(qPrintable(n + " top edge")) << c.kind << 10 << QPoint(60, 20) << true;
            QTest::newRow(qPrintable(n + " left edge")) << c.kind << 10 << QPoint(10, 50) << true;
            QTest::newRow(qPrintable(n + " beside")) << c.kind << 10 << QPoint(110, 50) << false;
            QTest::newRow(qPrintable(n + " above")) << c.kind << 10 << QPoint(60, 19) << false;
            QTest::newRow(qPrintable(n + " zero radius corner")) << c.kind << 0 << tl << true;
            QTest::newRow(qPrintable(n + " negative radius stays inside"))
                << c.kind << -5 << QPoint(9, 50) << false;
        }
        QTest::newRow("full inside the arc") << Full << 10 << QPoint(15, 25) << true;
        QTest::newRow("huge radius is a round end") << Full << 1000000 << QPoint(60, 21) << true;
    }
    void roundedRegions()
    {
        QFETCH(RegionKind, kind);
        QFETCH(int, radius);
        QFETCH(QPoint, point);
        QFETCH(bool, inside);
        const QRect rect(10, 20, 100, 60);
        QRegion region;
        switch (kind) {
        case Full:
            region = RoundedRect(rect, radius);
            break;
        case Left:
            region = RoundedLeftRect(rect, radius);
            break;
        case Right:
            region = RoundedRightRect(rect, radius);
            break;
        case Top:
            region = RoundedTopRect(rect, radius);
            break;
        }
        QCOMPARE(region.contains(point), inside);
        QCOMPARE(region.boundingRect(), rect);
    }

    void roundedRegionOfEmptyRect()
    {
        QVERIFY(RoundedRect(QRect(), 4).isEmpty());
        QVERIFY(RoundedLeftRect(QRect(0, 0, -5, 10), 4).isEmpty());
        QVERIFY(RoundedRightRect(QRect(0, 0, 0, 10), 4).isEmpty());
        QVERIFY(RoundedTopRect(QRect(0, 0, 10, 0), 4).isEmpty());
    }

    // --- Pictures ------------------------------------------------------------------------

    void customRectImage_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<float>("ratio");
        QTest::addColumn<bool>("expand");
        QTest::addColumn<QRect>("crop"); // null: a null image
        // The picture is 200 x 100.
        QTest::newRow("wide to square")
            << QRect(50, 20, 40, 20) << 1.0f << false << QRect(50, 10, 40, 40);
        QTest::newRow("tall to 16:9")
            << QRect(100, 10, 20, 60) << 16.0f / 9.0f << false << QRect(57, 10, 106, 60);
        QTest::newRow("past the right edge")
            << QRect(190, 40, 30, 10) << 2.0f << false << QRect(170, 38, 30, 15);
        QTest::newRow("past the bottom")
            << QRect(10, 90, 40, 20) << 2.0f << false << QRect(10, 80, 40, 20);
        QTest::newRow("wider than the picture")
            << QRect(0, 0, 300, 10) << 30.0f << false << QRect(0, 0, 200, 10);
        QTest::newRow("negative top takes the full height")
            << QRect(10, -5, 10, 20) << 0.5f << false << QRect(10, 0, 10, 100);
        QTest::newRow("outside the picture")
            << QRect(500, 500, 10, 10) << 1.0f << false << QRect(190, 90, 10, 10);
        QTest::newRow("expanded") << QRect(80, 40, 20, 20) << 1.0f << true << QRect(60, 20, 60, 60);
        QTest::newRow("expanded at the corner")
            << QRect(0, 0, 20, 20) << 1.0f << true << QRect(0, 0, 60, 60);
        QTest::newRow("expanded beyond the picture")
            << QRect(150, 50, 40, 40) << 1.0f << true << QRect(80, 0, 120, 100);
        QTest::newRow("zero ratio, tall: whole picture")
            << QRect(10, 10, 20, 40) << 0.0f << false << QRect(0, 0, 200, 100);
        QTest::newRow("zero ratio, wide: full height")
            << QRect(10, 10, 40, 20) << 0.0f << false << QRect(10, 0, 40, 100);
        QTest::newRow("tiny negative ratio is zero")
            << QRect(10, 10, 20, 40) << -0.0000001f << true << QRect(0, 0, 200, 100);
        QTest::newRow("invalid rect") << QRect(10, 10, -5, 10) << 1.0f << false << QRect();
        QTest::newRow("null rect") << QRect() << 1.0f << false << QRect();
        QTest::newRow("negative ratio") << QRect(10, 10, 20, 20) << -1.0f << false << QRect();
        QTest::newRow("huge ratio")
            << QRect(10, 10, 20, 40) << 1e30f << true << QRect(0, 0, 200, 100);
        QTest::newRow("nan ratio")
            << QRect(10, 10, 40, 20) << std::numeric_limits<float>::quiet_NaN() << false
            << QRect(0, 0, 200, 100);
    }
    void customRectImage()
    {
        QFETCH(QRect, rect);
        QFETCH(float, ratio);
        QFETCH(bool, expand);
        QFETCH(QRect, crop);
        const QImage result = GetCustomRectImage(CoordinateImage(200, 100), rect, ratio, expand);
        QCOMPARE(result.isNull(), crop.isNull());
        if (!crop.isNull())
            QCOMPARE(CropOf(result), crop);
    }

    void customRectImageOfNullImage()
    {
        QVERIFY(GetCustomRectImage(QImage(), QRect(0, 0, 10, 10), 1.0f, false).isNull());
        QVERIFY(GetCustomRectImage(QImage(), QRect(0, 0, 10, 10), 1.0f, true).isNull());
    }

    void customRectImageByReader()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("picture.png"));
        QVERIFY(CoordinateImage(200, 100).save(path));

        QImageReader reader(path);
        const QPixmap pixmap =
            GetCustomRectImageByImageReader(reader, QRect(100, 10, 20, 60), 16.0f / 9.0f, false);
        QCOMPARE(CropOf(pixmap.toImage()), QRect(57, 10, 106, 60));

        QImageReader again(path);
        QVERIFY(GetCustomRectImageByImageReader(again, QRect(10, 10, -1, 5), 1.0f, false).isNull());
        QImageReader missing(dir.filePath(QStringLiteral("missing.png")));
        QVERIFY(GetCustomRectImageByImageReader(missing, QRect(0, 0, 10, 10), 1.0f, true).isNull());
    }

    void pixmapCache()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cached.png"));
        QImage image(12, 8, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(path));

        const QPixmap first = QStringCovertPixmap(path);
        QCOMPARE(first.size(), QSize(12, 8));
        QVERIFY(QFile::remove(path));
        const QPixmap second = QStringCovertPixmap(path); // served from the cache
        QCOMPARE(second.cacheKey(), first.cacheKey());

        const QString missing = dir.filePath(QStringLiteral("missing.png"));
        QVERIFY(QStringCovertPixmap(missing).isNull());
        QPixmap cached;
        QVERIFY(!QPixmapCache::find(missing, &cached));
        QVERIFY(QStringCovertPixmap(QString()).isNull());
    }

    void svgPixmaps()
    {
        QTemporaryDir dir;
        const QString red = dir.filePath(QStringLiteral("red.svg"));
        const QString blue = dir.filePath(QStringLiteral("blue.svg"));
        WriteSvg(red, QStringLiteral("#ff0000"));
        WriteSvg(blue, QStringLiteral("#0000ff"));

        const QPixmap natural = GetHighDpiSvgPixmap(red, QSize(-1, -1));
        QCOMPARE(natural.size(), QSize(40, 20));
        QCOMPARE(natural.toImage().pixelColor(20, 10), QColor(Qt::red));
        QCOMPARE(GetHighDpiSvgPixmap(red, QSize(-1, 5)).size(), QSize(40, 20));
        QCOMPARE(GetHighDpiSvgPixmap(red, QSize(80, 40)).size(), QSize(80, 40));
        QVERIFY(GetHighDpiSvgPixmap(dir.filePath(QStringLiteral("missing.svg")), QSize(-1, -1))
                    .isNull());
        QVERIFY(GetHighDpiSvgPixmap(red, QSize(0, 0)).isNull());
        QVERIFY(GetHighDpiSvgPixmap(QString(), QSize(16, 16)).isNull());

        const QIcon icon = GetHighDpiSvgIcon(red, blue, QSize(40, 20));
        QCOMPARE(icon.pixmap(QSize(40, 20), QIcon::Normal).toImage().pixelColor(20, 10),
                 QColor(Qt::red));
        QCOMPARE(icon.pixmap(QSize(40, 20), QIcon::Selected).toImage().pixelColor(20, 10),
                 QColor(Qt::blue));
        QVERIFY(GetHighDpiSvgIcon(QString(), QString(), QSize(16, 16)).isNull());
    }

    // --- Drag and drop, models -------------------------------------------------------------

    void dragFiles()
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt")),
                      QUrl(QStringLiteral("http://example.com/x")),
                      QUrl::fromLocalFile(QStringLiteral("/tmp/b c.mp4"))});
        QCOMPARE(GetDragFiles(&mime),
                 QStringList({QStringLiteral("/tmp/a.txt"), QStringLiteral("/tmp/b c.mp4")}));
        QCOMPARE(GetDragFiles(nullptr), QStringList());
        QMimeData text;
        text.setText(QStringLiteral("/tmp/a.txt"));
        QCOMPARE(GetDragFiles(&text), QStringList());
    }

    void sortIndexByRow()
    {
        QStandardItemModel model(5, 2);
        QModelIndexList indexes{model.index(3, 1), model.index(0, 0), model.index(4, 0),
                                model.index(1, 1)};
        std::sort(indexes.begin(), indexes.end(), SortIndexByRow);
        QList<int> rows;
        for (const QModelIndex& index : indexes)
            rows << index.row();
        QCOMPARE(rows, QList<int>({0, 1, 3, 4}));
    }

    void checkCount_data()
    {
        QTest::addColumn<QString>("parent"); // text of the parent row; empty: the root
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("count");
        QTest::newRow("all checked") << "" << -1 << QVariant() << 4;
        QTest::newRow("role matches x")
            << "" << int(Qt::UserRole) << QVariant(QStringLiteral("x")) << 3;
        QTest::newRow("role matches y")
            << "" << int(Qt::UserRole) << QVariant(QStringLiteral("y")) << 1;
        QTest::newRow("nothing matches")
            << "" << int(Qt::UserRole) << QVariant(QStringLiteral("z")) << 0;
        QTest::newRow("no role with a value") << "" << -1 << QVariant(QStringLiteral("x")) << 0;
        QTest::newRow("role without data") << "" << int(Qt::UserRole + 1) << QVariant() << 0;
        QTest::newRow("below a checked parent") << "A" << -1 << QVariant() << 1;
        QTest::newRow("below an unchecked parent") << "B" << -1 << QVariant() << 1;
    }
    void checkCount()
    {
        QFETCH(QString, parent);
        QFETCH(int, role);
        QFETCH(QVariant, value);
        QFETCH(int, count);
        // A  checked x            (counted)
        //   A1 checked x          (counted)
        //   A2 unchecked x
        //     A2a checked x       (never reached: its parent is unchecked)
        // B  unchecked x
        //   B1 checked x          (never reached from the root)
        // C  partially checked y  (counted)
        //   C1 checked x          (counted)
        QStandardItemModel model;
        auto add = [](QStandardItem* parent, const QString& text, Qt::CheckState state,
                      const QString& data) {
            auto* item = new QStandardItem(text);
            item->setCheckable(true);
            item->setCheckState(state);
            item->setData(data, Qt::UserRole);
            parent->appendRow(item);
            return item;
        };
        QStandardItem* a = add(model.invisibleRootItem(), "A", Qt::Checked, "x");
        add(a, "A1", Qt::Checked, "x");
        QStandardItem* a2 = add(a, "A2", Qt::Unchecked, "x");
        add(a2, "A2a", Qt::Checked, "x");
        QStandardItem* b = add(model.invisibleRootItem(), "B", Qt::Unchecked, "x");
        add(b, "B1", Qt::Checked, "x");
        QStandardItem* c = add(model.invisibleRootItem(), "C", Qt::PartiallyChecked, "y");
        add(c, "C1", Qt::Checked, "x");

        QModelIndex parentIndex;
        if (!parent.isEmpty())
            parentIndex = model.findItems(parent).value(0)->index();
        QCOMPARE(GetCheckCount(&model, parentIndex, role, value), count);
    }

    void checkCountOfBadArguments()
    {
        QCOMPARE(GetCheckCount(nullptr, QModelIndex(), -1, QVariant()), 0);
        QStandardItemModel model;
        model.appendRow(Row({QStringLiteral("checked")}));
        model.appendRow(Row({QStringLiteral("unchecked")}));
        model.item(0)->setCheckState(Qt::Checked);
        QStandardItemModel other;
        other.appendRow(Row({QStringLiteral("elsewhere")}));
        QCOMPARE(GetCheckCount(&model), 1);
        QCOMPARE(GetCheckCount(&model, other.index(0, 0)), 0); // an index of another model
    }

    void copyModelData_data()
    {
        QTest::addColumn<uint>("row");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("append") << 0xFFFFFFFFu << QStringList{"t0", "t1", "t2", "a", "b"};
        QTest::newRow("at the front") << 0u << QStringList{"a", "b", "t0", "t1", "t2"};
        QTest::newRow("in the middle") << 1u << QStringList{"t0", "a", "b", "t1", "t2"};
        QTest::newRow("before the last") << 2u << QStringList{"t0", "t1", "a", "b", "t2"};
        QTest::newRow("at the row count") << 3u << QStringList{"t0", "t1", "t2", "a", "b"};
        QTest::newRow("far past the end") << 99u << QStringList{"t0", "t1", "t2", "a", "b"};
    }
    void copyModelData()
    {
        QFETCH(uint, row);
        QFETCH(QStringList, texts);
        QStandardItemModel source;
        auto* a = new CStandardItem(QStringLiteral("a"));
        a->SetExtraValue(42);
        a->setData(QStringLiteral("payload"), Qt::UserRole);
        auto* child = new CStandardItem(QStringLiteral("a.child"));
        child->SetExtraValue(QStringLiteral("c"));
        child->appendRow(new QStandardItem(QStringLiteral("a.grandchild")));
        a->appendRow(child);
        source.appendRow({a, new QStandardItem(QStringLiteral("a2"))});
        source.appendRow(new QStandardItem(QStringLiteral("b")));

        QStandardItemModel target;
        for (const char* text : {"t0", "t1", "t2"})
            target.appendRow(new QStandardItem(QString::fromLatin1(text)));

        CopyModelData(&source, QModelIndex(), &target, QModelIndex(), row);
        QCOMPARE(ColumnTexts(target.invisibleRootItem()), texts);

        const QStandardItem* copy = target.findItems(QStringLiteral("a")).value(0);
        QVERIFY(copy);
        QVERIFY(copy != a);
        QCOMPARE(copy->type(), int(CStandardItem::Type));
        QCOMPARE(static_cast<const CStandardItem*>(copy)->GetExtraValue(), QVariant(42));
        QCOMPARE(copy->data(Qt::UserRole), QVariant(QStringLiteral("payload")));
        QCOMPARE(target.item(copy->row(), 1)->text(), QStringLiteral("a2"));
        QCOMPARE(copy->rowCount(), 1);
        QCOMPARE(copy->child(0)->type(), int(CStandardItem::Type));
        QCOMPARE(static_cast<const CStandardItem*>(copy->child(0))->GetExtraValue(),
                 QVariant(QStringLiteral("c")));
        QCOMPARE(copy->child(0)->child(0)->text(), QStringLiteral("a.grandchild"));
        QCOMPARE(copy->child(0)->child(0)->type(), int(QStandardItem::Type));

        // The source is read only.
        QCOMPARE(source.rowCount(), 2);
        QCOMPARE(source.item(0), static_cast<QStandardItem*>(a));
        QCOMPARE(a->rowCount(), 1);
    }

    void copyModelDataIntoItselfAndUnderAParent()
    {
        QStandardItemModel model;
        model.appendRow(Row({QStringLiteral("a")}));
        model.item(0)->appendRow(Row({QStringLiteral("a.child")}));
        model.appendRow(Row({QStringLiteral("b")}));

        // Copying the root rows under "a": the copy of "a" holds only what "a" held before.
        CopyModelData(&model, QModelIndex(), &model, model.index(0, 0), 0xFFFFFFFFu);
        QCOMPARE(ColumnTexts(model.item(0)), QStringList({"a.child", "a", "b"}));
        QCOMPARE(ColumnTexts(model.item(0)->child(1)), QStringList({"a.child"}));
        QCOMPARE(model.rowCount(), 2);

        // Copying the children of one row under another, at a position.
        QStandardItemModel target;
        target.appendRow(Row({QStringLiteral("x")}));
        target.item(0)->appendRow(Row({QStringLiteral("x.0")}));
        target.item(0)->appendRow(Row({QStringLiteral("x.1")}));
        CopyModelData(&model, model.index(0, 0), &target, target.index(0, 0), 1);
        QCOMPARE(ColumnTexts(target.item(0)), QStringList({"x.0", "a.child", "a", "b", "x.1"}));
    }

    void copyModelDataKeepsSparseRows()
    {
        QStandardItemModel source(2, 3);
        source.setItem(0, 1, new QStandardItem(QStringLiteral("only middle")));
        source.setItem(1, 0, new QStandardItem(QStringLiteral("first")));
        source.setItem(1, 2, new QStandardItem(QStringLiteral("last")));
        QStandardItemModel target;
        CopyModelData(&source, QModelIndex(), &target, QModelIndex(), 0xFFFFFFFFu);
        // Only the columns that hold items are copied, side by side from column 0.
        QCOMPARE(target.rowCount(), 2);
        QCOMPARE(target.item(0, 0)->text(), QStringLiteral("only middle"));
        QCOMPARE(target.item(1, 1)->text(), QStringLiteral("last"));
        QVERIFY(!source.item(0, 0)); // nothing was created in the source
    }

    void copyModelDataBadArguments()
    {
        QStandardItemModel source;
        source.appendRow(new QStandardItem(QStringLiteral("a")));
        QStandardItemModel target;
        QStandardItemModel other(3, 3);
        CopyModelData(nullptr, QModelIndex(), &target, QModelIndex(), 0);
        CopyModelData(&source, QModelIndex(), nullptr, QModelIndex(), 0);
        QCOMPARE(target.rowCount(), 0);
        CopyModelData(&source, other.index(1, 1), &target, QModelIndex(), 0);
        QCOMPARE(target.rowCount(), 0);
        // A target parent of another model means the root.
        CopyModelData(&source, QModelIndex(), &target, other.index(1, 1), 0);
        QCOMPARE(ColumnTexts(target.invisibleRootItem()), QStringList({"a"}));
        QVERIFY(!other.item(1, 1)); // nothing was created there
    }

    void standardItem()
    {
        CStandardItem item(QStringLiteral("cam"));
        QCOMPARE(item.type(), int(QStandardItem::UserType + 1));
        QCOMPARE(item.GetExtraValue(), QVariant());
        item.SetExtraValue(QStringLiteral("id-7"));
        item.setData(3, Qt::UserRole);
        std::unique_ptr<QStandardItem> clone(item.clone());
        QCOMPARE(clone->type(), int(CStandardItem::Type));
        QCOMPARE(static_cast<CStandardItem*>(clone.get())->GetExtraValue(),
                 QVariant(QStringLiteral("id-7")));
        QCOMPARE(clone->text(), QStringLiteral("cam"));
        QCOMPARE(clone->data(Qt::UserRole), QVariant(3));

        // As the prototype of a model, new rows come out as toolkit items.
        QStandardItemModel model(0, 1);
        model.setItemPrototype(new CStandardItem());
        model.insertRows(0, 1);
        model.setData(model.index(0, 0), QStringLiteral("made by the model"));
        QCOMPARE(model.item(0)->type(), int(CStandardItem::Type));
    }

    // --- Screens and windows ---------------------------------------------------------------

    void availablePoint_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QPoint>("expected");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::newRow("inside") << screen.center() << screen.center();
        QTest::newRow("top-left corner") << screen.topLeft() << screen.topLeft();
        QTest::newRow("left of the screen") << QPoint(screen.left() - 50, screen.top() + 10)
                                            << QPoint(screen.left(), screen.top() + 10);
        QTest::newRow("far below right")
            << screen.bottomRight() + QPoint(5000, 5000) << screen.bottomRight();
        QTest::newRow("above") << QPoint(screen.left() + 7, -100000)
                               << QPoint(screen.left() + 7, screen.top());
    }
    void availablePoint()
    {
        QFETCH(QPoint, point);
        QFETCH(QPoint, expected);
        QCOMPARE(GetAvailablePoint(point), expected);
    }

    void availableGeometry()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QWidget widget;
        const QRect inside(screen.left() + 10, screen.top() + 10, 100, 50);
        QCOMPARE(GetAvailableGeometry(inside, &widget), inside);
        QCOMPARE(GetAvailableGeometry(inside, nullptr), inside);

        // Past the right and bottom edges only the left and top move, by the excess plus one.
        const QRect overhanging(screen.right() - 99, screen.bottom() - 99, 200, 200);
        const QRect result = GetAvailableGeometry(overhanging, &widget);
        QCOMPARE(result.bottomRight(), overhanging.bottomRight());
        QCOMPARE(result.left(), overhanging.left() - 101);
        QCOMPARE(result.top(), overhanging.top() - 101);
    }

    void borderAvailableGeometry_data()
    {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QPoint>("topLeft");
        const QRect s = QGuiApplication::primaryScreen()->geometry();
        // The pop-up is 100 x 50.
        QTest::newRow("below") << QRect(s.left() + 10, s.top() + 10, 80, 20)
                               << QPoint(s.left() + 10, s.top() + 29);
        QTest::newRow("above near the bottom") << QRect(s.left() + 10, s.bottom() - 39, 80, 20)
                                               << QPoint(s.left() + 10, s.bottom() - 89);
        QTest::newRow("no room above either")
            << QRect(s.left() + 10, s.top() + 20, 80, s.height() - 30)
            << QPoint(s.left() + 10, s.bottom() - 10);
        QTest::newRow("right edge")
            << QRect(s.right() - 49, s.top() + 10, 40, 20) << QPoint(s.right() - 100, s.top() + 29);
        QTest::newRow("left of the screen")
            << QRect(s.left() - 20, s.top() + 10, 40, 20) << QPoint(s.left(), s.top() + 29);
    }
    void borderAvailableGeometry()
    {
        QFETCH(QRect, anchor);
        QFETCH(QPoint, topLeft);
        QWidget popup;
        popup.resize(100, 50);
        const QRect result = GetBorderAvailableGeometry(anchor, &popup);
        QCOMPARE(result.topLeft(), topLeft);
        QCOMPARE(result.size(), QSize(100, 50));
    }

    void borderAvailableGeometryActivatesTheLayout()
    {
        QWidget popup;
        auto* layout = new QVBoxLayout(&popup);
        auto* content = new QWidget;
        content->setMinimumSize(150, 80);
        layout->addWidget(content);
        popup.resize(10, 10);
        const QRect result = GetBorderAvailableGeometry(QRect(10, 10, 50, 20), &popup);
        QVERIFY(result.width() >= 150);
        QVERIFY(result.height() >= 80);
        QCOMPARE(result.size(), popup.size());
        QCOMPARE(GetBorderAvailableGeometry(QRect(10, 10, 50, 20), nullptr), QRect());
    }

    void moveToScreenCenter()
    {
        const QRect s = QGuiApplication::primaryScreen()->geometry();
        QWidget widget;
        widget.resize(201, 101);
        MoveToScreenCenter(&widget);
        QCOMPARE(widget.pos(),
                 QPoint(s.left() + (s.width() - 201) / 2, s.top() + (s.height() - 101) / 2));
        MoveToScreenCenter(nullptr);
    }

    void independentWindow()
    {
        QWidget main;
        auto* child = new QWidget(&main);
        auto* dialog = new QDialog(child);
        auto* inner = new QWidget(dialog);
        QCOMPARE(GetIndependentWindow(inner), static_cast<QWidget*>(dialog));
        QCOMPARE(GetIndependentWindow(dialog), static_cast<QWidget*>(dialog));
        QCOMPARE(GetIndependentWindow(child), &main);
        QCOMPARE(GetIndependentWindow(inner, "QDialog"), &main);
        QCOMPARE(GetIndependentWindow(inner, "QWidget"), static_cast<QWidget*>(nullptr));
        QCOMPARE(GetIndependentWindow(inner, "NoSuchClass"), static_cast<QWidget*>(dialog));
        QCOMPARE(GetIndependentWindow(nullptr), static_cast<QWidget*>(nullptr));
        QCOMPARE(GetIndependentWindow(nullptr, "QDialog"), static_cast<QWidget*>(nullptr));
    }

    void parentWindow()
    {
        QWidget main;
        auto* child = new QWidget(&main);
        auto* plain = new QObject(child);
        QCOMPARE(GetParentWindow(plain), child);
        QCOMPARE(GetParentWindow(&main), &main);

        auto* menu = new QMenu(&main); // a pop-up
        auto* inMenu = new QObject(menu);
        QCOMPARE(GetParentWindow(inMenu), &main);
        for (Qt::WindowType type : {Qt::Tool, Qt::ToolTip, Qt::SplashScreen}) {
            auto* window = new QWidget(&main, type);
            QCOMPARE(GetParentWindow(window), &main);
        }
        auto* dialog = new QWidget(&main, Qt::Dialog);
        QCOMPARE(GetParentWindow(dialog), dialog);

        QObject orphan;
        QObject orphanChild(&orphan);
        QCOMPARE(GetParentWindow(&orphanChild), static_cast<QWidget*>(nullptr));
        QCOMPARE(GetParentWindow(nullptr), static_cast<QWidget*>(nullptr));
    }

    // --- Waiting -------------------------------------------------------------------------

    void qWaitProcessesEvents()
    {
        CEventCounter counter;
        QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
        TesselGUIToolkit::qWait(0);
        QCOMPARE(counter.m_nCount, 1);

        bool fired = false;
        QTimer::singleShot(5, &counter, [&fired] { fired = true; });
        TesselGUIToolkit::qWait(60);
        QVERIFY(fired);
        TesselGUIToolkit::qWait(-10);
    }

    void qSleepProcessesNothing()
    {
        CEventCounter counter;
        QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
        TesselGUIToolkit::qSleep(5);
        TesselGUIToolkit::qSleep(0);
        TesselGUIToolkit::qSleep(-1000);
        QCOMPARE(counter.m_nCount, 0);
        QCoreApplication::sendPostedEvents(&counter);
        QCOMPARE(counter.m_nCount, 1);
    }

private:
    QTextCodec* m_pOriginalCodec = nullptr;
    QLocale m_defaultLocale;
};

QTEST_MAIN(tst_Toolkit)
#include "tst_toolkit.moc"
