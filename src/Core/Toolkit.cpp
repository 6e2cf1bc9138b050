#include "Core/Toolkit.h"

#include "ItemView/StandardItem.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLayout>
#include <QMimeData>
#include <QPixmapCache>
#include <QRegExp>
#include <QScreen>
#include <QStandardItemModel>
#include <QSvgRenderer>
#include <QTextCodec>
#include <QThread>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <cmath>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace TesselGUIToolkit {

namespace {

    struct GuiTextSettings
    {
        QTextCodec* pCodec = QTextCodec::codecForLocale();
        QLocale locale = QLocale::system();
    };

    // A function-local static, so that other libraries' static initialisers may already call the
    // codec functions; the flag below still fills it in when the library is loaded.
    GuiTextSettings& Settings()
    {
        static GuiTextSettings settings;
        return settings;
    }

    const bool g_bSettingsLoaded = (Settings(), true);

    QTextCodec* CodecOrGui(QTextCodec* codec)
    {
        if (codec)
            return codec;
        if (QTextCodec* gui = Settings().pCodec)
            return gui;
        return QTextCodec::codecForLocale();
    }

    void SleepMs(int ms)
    {
        if (ms <= 0)
            return;
#ifdef Q_OS_WIN
        ::Sleep(static_cast<DWORD>(ms));
#else
        QThread::msleep(static_cast<unsigned long>(ms));
#endif
    }

    // Screens as QDesktopWidget numbered them: the one holding the point, else the primary one.
    QScreen* ScreenAtPoint(const QPoint& point)
    {
        if (QScreen* screen = QGuiApplication::screenAt(point))
            return screen;
        return QGuiApplication::primaryScreen();
    }

    // The screen sharing the largest area with the widget's frame, else the primary one.
    QScreen* ScreenOfWidget(const QWidget* widget)
    {
        if (!widget)
            return QGuiApplication::primaryScreen();
        QRect frame = widget->frameGeometry();
        if (!widget->isWindow())
            frame.moveTopLeft(widget->mapToGlobal(QPoint(0, 0)));
        QScreen* best = nullptr;
        qint64 bestArea = 0;
        const QList<QScreen*> screens = QGuiApplication::screens();
        for (QScreen* screen : screens) {
            const QRect common = screen->geometry().intersected(frame);
            const qint64 area = qint64(common.width()) * common.height();
            if (area > bestArea) {
                bestArea = area;
                best = screen;
            }
        }
        return best ? best : QGuiApplication::primaryScreen();
    }

    QRect ScreenGeometryOfWidget(const QWidget* widget)
    {
        QScreen* screen = ScreenOfWidget(widget);
        return screen ? screen->geometry() : QRect();
    }

    // --- Aspect-ratio crop. Worked in 64-bit so that absurd ratios cannot overflow; every value
    // that reaches a QRect lies inside the picture.

    struct Box
    {
        qint64 left = 0;
        qint64 top = 0;
        qint64 width = 0;
        qint64 height = 0;

        bool IsValid() const { return width > 0 && height > 0; }
        qint64 Right() const { return left + width - 1; }
        qint64 Bottom() const { return top + height - 1; }
    };

    // Sizes beyond any picture are cut here; the push into the bounds then treats them as "too
    // big".
    qint64 SaturatedLength(double value)
    {
        constexpr double limit = double(qint64(1) << 40);
        if (std::isnan(value))
            return 0;
        return static_cast<qint64>(std::max(-limit, std::min(limit, value)));
    }

    Box PushIntoBounds(Box box, const QSize& size)
    {
        if (!box.IsValid() || size.width() <= 0 || size.height() <= 0)
            return Box();
        const qint64 boundsRight = size.width() - 1;
        const qint64 boundsBottom = size.height() - 1;
        if (box.left >= 0 && box.top >= 0 && box.Right() <= boundsRight
            && box.Bottom() <= boundsBottom)
            return box;
        if (box.Right() > boundsRight)
            box.left -= box.Right() - boundsRight;
        if (box.Bottom() > boundsBottom)
            box.top -= box.Bottom() - boundsBottom;
        if (box.left < 0) {
            box.left = 0;
            box.width = size.width();
        }
        if (box.top < 0) {
            box.top = 0;
            box.height = size.height();
        }
        return box;
    }

    // False when the request is refused; otherwise the crop, which may come out as a null QRect.
    bool CustomCropRect(const QSize& size, const QRect& rect, float ratio, bool expand, QRect* crop)
    {
        if (!rect.isValid() || ratio < -0.000001f)
            return false;

        Box box;
        box.left = rect.left();
        box.top = rect.top();
        box.width = rect.width();
        box.height = rect.height();
        if (box.width < box.height) {
            const qint64 width = SaturatedLength(std::trunc(double(box.height) * double(ratio)));
            box.left = qBound<qint64>(0, box.left - (width - box.width) / 2, size.width());
            box.width = width;
        } else {
            const qint64 height = SaturatedLength(std::trunc(double(box.width) / double(ratio)));
            box.top = qBound<qint64>(0, box.top - (height - box.height) / 2, size.height());
            box.height = height;
        }

        box = PushIntoBounds(box, size);
        if (expand && box.IsValid()) {
            const qint64 width = box.width;
            const qint64 height = box.height;
            box.left = qBound<qint64>(0, box.left - width, size.width());
            box.top = qBound<qint64>(0, box.top - height, size.height());
            box.width = 3 * width;
            box.height = 3 * height;
            box = PushIntoBounds(box, size);
        }
        *crop = box.IsValid() ? QRect(int(box.left), int(box.top), int(box.width), int(box.height))
                              : QRect();
        return true;
    }

    enum RoundedCorner { TopLeft = 1, TopRight = 2, BottomLeft = 4, BottomRight = 8 };

    // `shrunk` are the two rectangles that leave the corners free; the ellipses fill the corners.
    QRegion RoundedRegion(const QRect& rect, int radius, const QRect& first, const QRect& second,
                          int corners)
    {
        QRegion region;
        region += first;
        region += second;
        QRect corner(rect.topLeft(), QSize(2 * radius, 2 * radius));
        if (corners & TopLeft)
            region += QRegion(corner, QRegion::Ellipse);
        if (corners & TopRight) {
            corner.moveTopRight(rect.topRight());
            region += QRegion(corner, QRegion::Ellipse);
        }
        if (corners & BottomLeft) {
            corner.moveBottomLeft(rect.bottomLeft());
            region += QRegion(corner, QRegion::Ellipse);
        }
        if (corners & BottomRight) {
            corner.moveBottomRight(rect.bottomRight());
            region += QRegion(corner, QRegion::Ellipse);
        }
        return region;
    }

    // A negative radius makes no sense; a radius beyond half the shorter side would build ellipses
    // far larger than the rectangle (slow for absurd values) and is taken as a full round end.
    int SaneRadius(const QRect& rect, int radius)
    {
        return qBound(0, radius, std::min(rect.width(), rect.height()) / 2);
    }

    int CountChecked(QAbstractItemModel* model, const QModelIndex& parent, int role,
                     const QVariant& value)
    {
        int count = 0;
        const int rows = model->rowCount(parent);
        for (int row = 0; row < rows; ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            if (!index.isValid() || !index.data(Qt::CheckStateRole).toBool())
                continue;
            if (role != -1) {
                const QVariant data = index.data(role);
                if (data.isValid() && data == value)
                    ++count;
            } else if (!value.isValid()) {
                ++count;
            }
            count += CountChecked(model, index, role, value);
        }
        return count;
    }

    QStandardItem* CopyItem(const QStandardItem* item)
    {
        // CStandardItem's own clone even for a client subclass that clones differently: the copy is
        // a CStandardItem with the extra value.
        if (const auto* own = dynamic_cast<const CStandardItem*>(item))
            return own->CStandardItem::clone();
        return item->clone();
    }

    // The whole subtree of one source row, built detached from any model, so that copying a subtree
    // into itself reads only what was there before.
    QList<QStandardItem*> CopyRow(const QStandardItem* parent, int row)
    {
        QList<QStandardItem*> items;
        const int columns = parent->columnCount();
        for (int column = 0; column < columns; ++column) {
            if (const QStandardItem* item = parent->child(row, column))
                items.append(CopyItem(item));
        }
        const QStandardItem* first = parent->child(row, 0);
        if (first && !items.isEmpty()) {
            const int rows = first->rowCount();
            for (int childRow = 0; childRow < rows; ++childRow) {
                const QList<QStandardItem*> childItems = CopyRow(first, childRow);
                if (!childItems.isEmpty())
                    items.first()->appendRow(childItems);
            }
        }
        return items;
    }

} // namespace

// --- GUI text codec and locale ---------------------------------------------------------------

void InitGuiTextCodec(QTextCodec* codec)
{
    Settings().pCodec = codec;
}

QTextCodec* GetGuiTextCodec()
{
    return Settings().pCodec;
}

void InitGuiLocale(const QLocale& locale)
{
    Settings().locale = locale;
}

QLocale GetGuiLocale()
{
    return Settings().locale;
}

QString ConvertToUnicode(const char* text, QTextCodec* codec)
{
    if (!text)
        return QString();
    return CodecOrGui(codec)->toUnicode(text);
}

QString StringToQString(const std::string& text, QTextCodec* codec)
{
    return ConvertToUnicode(text.c_str(), codec);
}

QByteArray ConvertFromUnicode(const QString& text, QTextCodec* codec)
{
    return CodecOrGui(codec)->fromUnicode(text);
}

std::string QStringToString(const QString& text, QTextCodec* codec)
{
    const QByteArray bytes = ConvertFromUnicode(text, codec);
    return std::string(bytes.constData());
}

// --- Paths -----------------------------------------------------------------------------------

QString GetTargetPath()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

QString GetTargetPathFile(const QString& name)
{
    if (QFileInfo(name).isAbsolute())
        return name;
    return GetTargetPath() + name;
}

QString GetResources()
{
    return GetTargetPath();
}

QString ParsePathName(QString path)
{
    return path;
}

// --- Address and input checks ----------------------------------------------------------------

bool ParseIp4(const QString& ip)
{
    const QStringList parts = ip.split(QLatin1Char('.'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        bool ok = false;
        const uint value = part.toUInt(&ok, 10);
        if (!ok || value > 255)
            return false;
    }
    return true;
}

bool IsAvailableIpv4(const QString& ip)
{
    if (!ParseIp4(ip))
        return false;
    const uint first = ip.section(QLatin1Char('.'), 0, 0).toUInt();
    return first >= 1 && first <= 223;
}

bool ParseIpv6(const QString& ip)
{
    QString text = ip;
    const int zone = text.lastIndexOf(QLatin1Char('%'));
    if (zone >= 0)
        text.truncate(zone);

    const QStringList parts = text.split(QLatin1Char(':'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    const int count = parts.size();
    if (count < 3 || count > 8)
        return false;

    const int doubleColons = text.count(QStringLiteral("::"));
    if (count == 8 && doubleColons > 1)
        return false;
    if (doubleColons != 1) {
        const int needed = text.contains(QLatin1Char('.')) ? 7 : 8;
        if (count < needed)
            return false;
    }

    for (int i = count - 1; i >= 0; --i) {
        const QString& part = parts.at(i);
        if (!part.isEmpty()) {
            bool ok = false;
            const uint value = part.toUInt(&ok, 16);
            if (ok && value < 0x10000)
                continue;
            if (i == count - 1 && ParseIp4(part))
                continue;
            return false;
        }
        if (i == count - 1) {
            if (!parts.at(i - 1).isEmpty())
                return false;
        } else if (i == 0) {
            if (!parts.at(1).isEmpty())
                return false;
        }
    }
    return true;
}

bool IsNetMask(const QString& mask)
{
    static const QString pattern = QStringLiteral("(254|252|248|240|224|192|128|0)\\.0\\.0\\.0|")
        + QStringLiteral("255\\.(254|252|248|240|224|192|128|0)\\.0\\.0|")
        + QStringLiteral("255\\.255\\.(254|252|248|240|224|192|128|0)\\.0|")
        + QStringLiteral("255\\.255\\.255\\.(252|248|240|224|192|128|0)");
    QRegExp regExp(pattern, Qt::CaseSensitive);
    return regExp.exactMatch(mask);
}

bool ParseIpv4Multicast(const QString& ip)
{
    QRegExp regExp(QStringLiteral("(\\d+)(\\.)(\\d+)(\\.)(\\d+)(\\.)(\\d+)"));
    if (regExp.indexIn(ip, 0) != 0)
        return false;
    for (int capture : {1, 3, 5, 7}) {
        if (regExp.cap(capture).toInt() > 255)
            return false;
    }
    const int first = regExp.cap(1).toInt();
    return first >= 224 && first <= 239;
}

bool IsMulticast(const QString& ip)
{
    if (ParseIpv6(ip))
        return true;
    return ParseIpv4Multicast(ip);
}

bool ParseIpv6Multicast(const QString& ip)
{
    return ParseIpv6(ip);
}

bool ParseMacAddress(const QString& mac)
{
    QRegExp regExp(QStringLiteral("[0-9A-Fa-f]{2}:[0-9A-Fa-f]{2}:[0-9A-Fa-f]{2}:"
                                  "[0-9A-Fa-f]{2}:[0-9A-Fa-f]{2}:[0-9A-Fa-f]{2}"));
    return regExp.exactMatch(mac);
}

namespace {

    bool HoldsNoneOf(const QString& text, const QStringList& characters)
    {
        QStringList escaped;
        for (const QString& character : characters)
            escaped.append(QRegExp::escape(character));
        QRegExp regExp(QLatin1Char('(') + escaped.join(QLatin1Char('|')) + QLatin1Char(')'));
        return regExp.indexIn(text, 0) == -1;
    }

} // namespace

bool IsInputValid(const QString& text)
{
    static const QStringList characters{
        QStringLiteral("'"), QStringLiteral("\\"), QStringLiteral("/"),  QStringLiteral(":"),
        QStringLiteral("*"), QStringLiteral("?"),  QStringLiteral("\""), QStringLiteral("<"),
        QStringLiteral(">"), QStringLiteral("|")};
    return HoldsNoneOf(text, characters);
}

bool IsInputValidV2(const QString& text)
{
    static const QStringList characters{
        QStringLiteral("\\"), QStringLiteral("/"), QStringLiteral(":"),
        QStringLiteral("*"),  QStringLiteral("?"), QStringLiteral("\""),
        QStringLiteral("<"),  QStringLiteral(">"), QStringLiteral("|")};
    return HoldsNoneOf(text, characters);
}

QString IPToFullString(const QString& ip)
{
    if (!ParseIp4(ip))
        return QString();
    QStringList parts = ip.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    for (QString& part : parts)
        part = QString::asprintf("%03d", part.toInt());
    return parts.join(QLatin1Char('.'));
}

QString FullStringToIP(const QString& fullIp)
{
    QStringList parts = fullIp.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() != 4)
        return fullIp;
    for (QString& part : parts) {
        int zeros = 0;
        while (zeros < part.size() - 1 && part.at(zeros) == QLatin1Char('0'))
            ++zeros;
        part.remove(0, zeros);
    }
    return parts.join(QLatin1Char('.'));
}

QString ParseUrl(const QString& url)
{
    return QStringLiteral("&quot;%1&quot;")
        .arg(url)
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
}

bool ParseMonthValid(int month, int day)
{
    if (month == 2 && (day == 30 || day == 31))
        return false;
    if ((month == 4 || month == 6 || month == 9 || month == 11) && day == 31)
        return false;
    return true;
}

// --- Texts -----------------------------------------------------------------------------------

QString GetFileSize(quint64 size, const QString& unit, int decimals)
{
    // Doubles carry 15 significant digits; more would only print noise, and a huge count would
    // have QLocale build an enormous string.
    decimals = qBound(0, decimals, 15);
    const double floor = 1.0 / std::pow(10.0, decimals);
    const double base = std::min(double(size), floor);

    struct Unit
    {
        QLatin1String name;
        quint64 divisor; // 1 for bytes
    };
    static const Unit units[] = {{QLatin1String("TB"), quint64(1) << 40},
                                 {QLatin1String("GB"), quint64(1) << 30},
                                 {QLatin1String("MB"), quint64(1) << 20},
                                 {QLatin1String("KB"), quint64(1) << 10},
                                 {QLatin1String("bytes"), 1}};
    const Unit* chosen = nullptr;
    for (const Unit& candidate : units) {
        if (unit == candidate.name)
            chosen = &candidate;
    }
    if (!chosen) {
        chosen = &units[4];
        for (const Unit& candidate : units) {
            if (size >= candidate.divisor) {
                chosen = &candidate;
                break;
            }
        }
    }
    // The default QLocale, not the GUI locale: the client formats sizes as the application does.
    const QLocale locale;
    const QString format = QLatin1String("%1 ") + chosen->name;
    if (chosen->divisor == 1)
        return format.arg(locale.toString(qulonglong(size)));
    const double value = std::max(double(size) / double(chosen->divisor), base);
    return format.arg(locale.toString(value, 'f', decimals));
}

QString GetEventName(QEvent::Type type)
{
    switch (int(type)) {
    case 0:
        return QStringLiteral("None");
    case 1:
        return QStringLiteral("Timer");
    case 2:
        return QStringLiteral("MouseButtonPress");
    case 3:
        return QStringLiteral("MouseButtonRelease");
    case 4:
        return QStringLiteral("MouseButtonDblClick");
    case 5:
        return QStringLiteral("MouseMove");
    case 6:
        return QStringLiteral("KeyPress");
    case 7:
        return QStringLiteral("KeyRelease");
    case 8:
        return QStringLiteral("FocusIn");
    case 9:
        return QStringLiteral("FocusOut");
    case 10:
        return QStringLiteral("Enter");
    case 11:
        return QStringLiteral("Leave");
    case 12:
        return QStringLiteral("Paint");
    case 13:
        return QStringLiteral("Move");
    case 14:
        return QStringLiteral("Resize");
    case 17:
        return QStringLiteral("Show");
    case 18:
        return QStringLiteral("Hide");
    case 19:
        return QStringLiteral("Close");
    case 24:
        return QStringLiteral("WindowActivate");
    case 25:
        return QStringLiteral("WindowDeactivate");
    case 27:
        return QStringLiteral("HideToParent");
    case 31:
        return QStringLiteral("Wheel");
    case 60:
        return QStringLiteral("DragEnter");
    case 61:
        return QStringLiteral("DragMove");
    case 62:
        return QStringLiteral("DragLeave");
    case 63:
        return QStringLiteral("Drop");
    case 64:
        return QStringLiteral("DragResponse");
    case 68:
        return QStringLiteral("ChildAdded");
    case 69:
        return QStringLiteral("ChildPolished");
    case 77:
        return QStringLiteral("UpdateRequest");
    case 127:
        return QStringLiteral("HoverEnter");
    case 128:
        return QStringLiteral("HoverLeave");
    case 129:
        return QStringLiteral("HoverMove");
    default:
        return QString::number(int(type));
    }
}

// --- Regions with rounded corners ------------------------------------------------------------

QRegion RoundedRect(const QRect& rect, int radius)
{
    if (rect.isEmpty())
        return QRegion();
    const int r = SaneRadius(rect, radius);
    return RoundedRegion(rect, r, rect.adjusted(r, 0, -r, 0), rect.adjusted(0, r, 0, -r),
                         TopLeft | TopRight | BottomLeft | BottomRight);
}

QRegion RoundedLeftRect(const QRect& rect, int radius)
{
    if (rect.isEmpty())
        return QRegion();
    const int r = SaneRadius(rect, radius);
    return RoundedRegion(rect, r, rect.adjusted(r, 0, 0, 0), rect.adjusted(0, r, 0, -r),
                         TopLeft | BottomLeft);
}

QRegion RoundedRightRect(const QRect& rect, int radius)
{
    if (rect.isEmpty())
        return QRegion();
    const int r = SaneRadius(rect, radius);
    return RoundedRegion(rect, r, rect.adjusted(0, 0, -r, 0), rect.adjusted(0, r, 0, -r),
                         TopRight | BottomRight);
}

QRegion RoundedTopRect(const QRect& rect, int radius)
{
    if (rect.isEmpty())
        return QRegion();
    const int r = SaneRadius(rect, radius);
    return RoundedRegion(rect, r, rect.adjusted(0, r, 0, 0), rect.adjusted(r, 0, -r, 0),
                         TopLeft | TopRight);
}

// --- Pictures --------------------------------------------------------------------------------

QPixmap QStringCovertPixmap(const QString& path)
{
    // QImage warns about an empty file name; there is nothing to load either way.
    if (path.isEmpty())
        return QPixmap();
    QPixmap pixmap;
    if (QPixmapCache::find(path, &pixmap))
        return pixmap;
    pixmap = QPixmap::fromImage(QImage(path), Qt::OrderedDither | Qt::OrderedAlphaDither);
    if (pixmap.isNull())
        return QPixmap();
    QPixmapCache::insert(path, pixmap);
    return pixmap;
}

QPixmap GetHighDpiSvgPixmap(const QString& path, const QSize& size)
{
    // QSvgRenderer warns about a missing file; a missing picture is an ordinary case here.
    if (path.isEmpty() || !QFileInfo::exists(path))
        return QPixmap();
    QSize pixmapSize = size;
    if (pixmapSize.width() < 0 || pixmapSize.height() < 0)
        pixmapSize = QSvgRenderer(path).defaultSize();
    if (pixmapSize.isEmpty())
        return QPixmap();
    return QIcon(path).pixmap(pixmapSize, QIcon::Normal, QIcon::Off);
}

QIcon GetHighDpiSvgIcon(const QString& normalPath, const QString& selectedPath, const QSize& size)
{
    QIcon icon;
    icon.addPixmap(GetHighDpiSvgPixmap(normalPath, size), QIcon::Normal, QIcon::Off);
    icon.addPixmap(GetHighDpiSvgPixmap(selectedPath, size), QIcon::Selected, QIcon::Off);
    return icon;
}

QImage GetCustomRectImage(const QImage& image, const QRect& rect, const float& ratio,
                          const bool& expand)
{
    QRect crop;
    if (image.isNull() || !CustomCropRect(image.size(), rect, ratio, expand, &crop))
        return QImage();
    return image.copy(crop);
}

QPixmap GetCustomRectImageByImageReader(QImageReader& reader, const QRect& rect, const float& ratio,
                                        const bool& expand)
{
    QRect crop;
    if (!CustomCropRect(reader.size(), rect, ratio, expand, &crop))
        return QPixmap();
    reader.setClipRect(crop);
    return QPixmap::fromImageReader(&reader);
}

// --- Drag and drop, models -------------------------------------------------------------------

QStringList GetDragFiles(const QMimeData* mimeData)
{
    QStringList files;
    if (!mimeData)
        return files;
    const QList<QUrl> urls = mimeData->urls();
    for (const QUrl& url : urls) {
        const QString file = url.toLocalFile();
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

bool SortIndexByRow(const QModelIndex& a, const QModelIndex& b)
{
    return a.row() < b.row();
}

int GetCheckCount(QAbstractItemModel* model, const QModelIndex& parent, int role,
                  const QVariant& value)
{
    if (!model || (parent.isValid() && parent.model() != model))
        return 0;
    return CountChecked(model, parent, role, value);
}

void CopyModelData(QStandardItemModel* source, const QModelIndex& sourceParent,
                   QStandardItemModel* target, const QModelIndex& targetParent, unsigned int row)
{
    if (!source || !target)
        return;
    if (sourceParent.isValid() && sourceParent.model() != source)
        return;
    const QStandardItem* sourceItem =
        sourceParent.isValid() ? source->itemFromIndex(sourceParent) : source->invisibleRootItem();
    if (!sourceItem)
        return;

    QList<QList<QStandardItem*>> rows;
    const int sourceRows = sourceItem->rowCount();
    for (int sourceRow = 0; sourceRow < sourceRows; ++sourceRow)
        rows.append(CopyRow(sourceItem, sourceRow));

    QStandardItem* targetItem = target->itemFromIndex(targetParent);
    if (!targetItem)
        targetItem = target->invisibleRootItem();

    const bool positioned = row != 0xFFFFFFFFu;
    qint64 position = row;
    for (const QList<QStandardItem*>& items : qAsConst(rows)) {
        // A row without any item still takes its place, as an empty row.
        if (positioned && position < targetItem->rowCount())
            targetItem->insertRow(int(position), items);
        else
            targetItem->appendRow(items);
        if (positioned)
            ++position;
    }
}

// --- Screen geometry and windows -------------------------------------------------------------

QPoint GetAvailablePoint(QPoint point)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return point;
    for (const QScreen* screen : screens) {
        if (screen->availableGeometry().contains(point))
            return point;
    }
    const QScreen* screen = ScreenAtPoint(point);
    if (!screen)
        return point;
    const QRect available = screen->availableGeometry();
    point.setX(qBound(available.left(), point.x(), std::max(available.left(), available.right())));
    point.setY(qBound(available.top(), point.y(), std::max(available.top(), available.bottom())));
    return point;
}

QRect GetAvailableGeometry(const QRect& rect, const QWidget* widget)
{
    QRect result(GetAvailablePoint(rect.topLeft()), rect.size());
    const QRect screen = ScreenGeometryOfWidget(widget);
    if (screen.isNull())
        return result;
    if (result.right() + 1 > screen.right())
        result.setLeft(result.left() + (screen.right() - result.right() - 1));
    if (result.bottom() + 1 > screen.bottom())
        result.setTop(result.top() + (screen.bottom() - result.bottom() - 1));
    return result;
}

QRect GetBorderAvailableGeometry(const QRect& anchor, const QWidget* popup)
{
    if (!popup)
        return QRect();
    if (QLayout* layout = popup->layout())
        layout->activate();
    const QSize size = popup->size();
    QRect result(anchor.bottomLeft(), size);
    const QScreen* screen = ScreenAtPoint(anchor.center());
    if (!screen)
        return result;
    const QRect geometry = screen->geometry();

    if (anchor.bottom() + size.height() > geometry.bottom()) {
        const int above = anchor.top() - size.height();
        result.moveTop(above >= geometry.top() ? above : anchor.bottom());
    } else {
        result.moveTop(anchor.bottom());
    }

    int left = std::max(anchor.left(), geometry.left());
    if (left + size.width() > geometry.right())
        left = geometry.right() - size.width();
    result.moveLeft(left);
    return result;
}

void MoveToScreenCenter(QWidget* widget)
{
    if (!widget)
        return;
    const QRect screen = ScreenGeometryOfWidget(widget);
    if (screen.isNull())
        return;
    widget->move(screen.left() + (screen.width() - widget->width()) / 2,
                 screen.top() + (screen.height() - widget->height()) / 2);
}

QWidget* GetIndependentWindow(QWidget* widget, const char* className)
{
    for (QWidget* current = widget; current; current = current->parentWidget()) {
        if (current->isWindow() && (!className || !current->inherits(className)))
            return current;
    }
    return nullptr;
}

QWidget* GetParentWindow(QObject* object)
{
    for (QObject* current = object; current; current = current->parent()) {
        if (!current->isWidgetType())
            continue;
        QWidget* widget = static_cast<QWidget*>(current);
        if (!widget->windowFlags().testFlag(Qt::Popup))
            return widget;
    }
    return nullptr;
}

// --- Waiting ---------------------------------------------------------------------------------

void qWait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, std::max(ms, 0));
        SleepMs(10);
    } while (timer.elapsed() < ms);
}

void qSleep(int ms)
{
    SleepMs(ms);
}

} // namespace TesselGUIToolkit
