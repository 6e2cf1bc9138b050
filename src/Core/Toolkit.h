#pragma once

#include "nimbguitoolkit_export.h"

#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QLocale>
#include <QModelIndex>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <string>

class QAbstractItemModel;
class QImageReader;
class QMimeData;
class QObject;
class QStandardItemModel;
class QTextCodec;
class QWidget;

/// Toolkit-wide free functions. All are meant for the GUI thread; none logs or throws. Only the
/// GUI text codec and the GUI locale are state: both are set when the library is loaded (the
/// system locale's codec and the system locale) and replaced only by the client.
namespace TesselGUIToolkit {

// --- GUI text codec and locale -------------------------------------------------------------

/// Stores the codec the toolkit converts 8-bit text with; not owned, not checked. A null codec
/// makes the conversions below fall back to the system locale's codec.
NIMBGUITOOLKIT_EXPORT void InitGuiTextCodec(QTextCodec* codec);
NIMBGUITOOLKIT_EXPORT QTextCodec* GetGuiTextCodec();
NIMBGUITOOLKIT_EXPORT void InitGuiLocale(const QLocale& locale);
NIMBGUITOOLKIT_EXPORT QLocale GetGuiLocale();

/// Decodes the zero-terminated bytes with `codec`, or the GUI codec when it is null. A null
/// `text` gives an empty string.
NIMBGUITOOLKIT_EXPORT QString ConvertToUnicode(const char* text, QTextCodec* codec = nullptr);
/// As ConvertToUnicode on the characters before the first zero byte.
NIMBGUITOOLKIT_EXPORT QString StringToQString(const std::string& text, QTextCodec* codec = nullptr);
NIMBGUITOOLKIT_EXPORT QByteArray ConvertFromUnicode(const QString& text,
                                                    QTextCodec* codec = nullptr);
/// The encoded bytes up to the first zero byte (a UTF-16 codec therefore gives at most one byte).
NIMBGUITOOLKIT_EXPORT std::string QStringToString(const QString& text, QTextCodec* codec = nullptr);

// --- Paths -----------------------------------------------------------------------------------

/// The executable's folder with a trailing "/".
NIMBGUITOOLKIT_EXPORT QString GetTargetPath();
/// `name` when it is absolute, else GetTargetPath() + name.
NIMBGUITOOLKIT_EXPORT QString GetTargetPathFile(const QString& name);
/// Same as GetTargetPath().
NIMBGUITOOLKIT_EXPORT QString GetResources();
/// The path unchanged.
NIMBGUITOOLKIT_EXPORT QString ParsePathName(QString path);

// --- Address and input checks ------------------------------------------------------------

/// Four dot-separated decimal numbers of at most 255 each; leading zeros are allowed.
NIMBGUITOOLKIT_EXPORT bool ParseIp4(const QString& ip);
/// ParseIp4 with a first number from 1 to 223 (class A to C host addresses).
NIMBGUITOOLKIT_EXPORT bool IsAvailableIpv4(const QString& ip);
/// IPv6 text with an optional zone ("%eth0"), "::" and an IPv4 tail.
NIMBGUITOOLKIT_EXPORT bool ParseIpv6(const QString& ip);
/// One of the contiguous masks 0.0.0.0 to 255.255.255.252.
NIMBGUITOOLKIT_EXPORT bool IsNetMask(const QString& mask);
/// Every valid IPv6 text, or an IPv4 multicast address as ParseIpv4Multicast checks it.
NIMBGUITOOLKIT_EXPORT bool IsMulticast(const QString& ip);
/// Text that starts with a dotted quad whose first number is from 224 to 239; what follows the
/// quad is not examined.
NIMBGUITOOLKIT_EXPORT bool ParseIpv4Multicast(const QString& ip);
/// Same as ParseIpv6 (no prefix test).
NIMBGUITOOLKIT_EXPORT bool ParseIpv6Multicast(const QString& ip);
/// Six colon-separated pairs of hexadecimal digits of either case.
NIMBGUITOOLKIT_EXPORT bool ParseMacAddress(const QString& mac);
/// False when the text holds any of ' \ / : * ? " < > |; true for an empty text.
NIMBGUITOOLKIT_EXPORT bool IsInputValid(const QString& text);
/// As IsInputValid but the apostrophe is allowed (the characters a file name may not hold).
NIMBGUITOOLKIT_EXPORT bool IsInputValidV2(const QString& text);
/// "10.1.20.3" gives "010.001.020.003"; an empty text when ParseIp4 fails.
NIMBGUITOOLKIT_EXPORT QString IPToFullString(const QString& ip);
/// The inverse of IPToFullString: leading zeros of each part are dropped ("000" keeps "0"). A
/// text without exactly four dot-separated parts comes back unchanged.
NIMBGUITOOLKIT_EXPORT QString FullStringToIP(const QString& fullIp);
/// The url wrapped in double quotes.
NIMBGUITOOLKIT_EXPORT QString ParseUrl(const QString& url);
/// False only for February 30/31 and the 31st of April, June, September and November; no
/// range check otherwise (February 29 is always accepted).
NIMBGUITOOLKIT_EXPORT bool ParseMonthValid(int month, int day);

// --- Texts -----------------------------------------------------------------------------------

/// "1.50 KB" style text in the default QLocale. `unit` is "TB", "GB", "MB", "KB" or "bytes";
/// any other text picks the unit from the size. A non-empty file never shows as zero: the value
/// is at least one step of the last decimal. `decimals` is clamped to 0..15.
NIMBGUITOOLKIT_EXPORT QString GetFileSize(quint64 size, const QString& unit = QString(),
                                          int decimals = 2);
/// The name of an event type ("MouseButtonPress"), or its decimal number for unlisted types.
NIMBGUITOOLKIT_EXPORT QString GetEventName(QEvent::Type type);

// --- Regions with rounded corners (window masks) -------------------------------------------
// A negative radius counts as 0; an empty or invalid rectangle gives an empty region.

NIMBGUITOOLKIT_EXPORT QRegion RoundedRect(const QRect& rect, int radius);
NIMBGUITOOLKIT_EXPORT QRegion RoundedLeftRect(const QRect& rect, int radius);
NIMBGUITOOLKIT_EXPORT QRegion RoundedRightRect(const QRect& rect, int radius);
NIMBGUITOOLKIT_EXPORT QRegion RoundedTopRect(const QRect& rect, int radius);

// --- Pictures --------------------------------------------------------------------------------

/// The picture at `path` through QPixmapCache (dithered conversion); null for a missing or
/// unreadable file, which is not cached.
NIMBGUITOOLKIT_EXPORT QPixmap QStringCovertPixmap(const QString& path);
/// The SVG rendered for the screen's device pixel ratio. A negative width or height means the
/// SVG's own default size. Null for a missing file or an empty size.
NIMBGUITOOLKIT_EXPORT QPixmap GetHighDpiSvgPixmap(const QString& path,
                                                  const QSize& size = QSize(-1, -1));
/// Icon with `normalPath` for QIcon::Normal and `selectedPath` for QIcon::Selected (state Off).
NIMBGUITOOLKIT_EXPORT QIcon GetHighDpiSvgIcon(const QString& normalPath,
                                              const QString& selectedPath, const QSize& size);
/// The part of `image` around `rect` with the aspect `ratio` (width / height), pushed inside the
/// picture; `expand` widens it to three times its size around its centre. Null for a null image,
/// an invalid rect or a ratio below zero. A crop that comes out empty (a zero ratio) copies the
/// whole picture, as QImage::copy does for a null rectangle.
NIMBGUITOOLKIT_EXPORT QImage GetCustomRectImage(const QImage& image, const QRect& rect,
                                                const float& ratio, const bool& expand);
/// The same crop read through `reader` (its clip rectangle is set).
NIMBGUITOOLKIT_EXPORT QPixmap GetCustomRectImageByImageReader(QImageReader& reader,
                                                              const QRect& rect, const float& ratio,
                                                              const bool& expand);

// --- Drag and drop, models -------------------------------------------------------------------

/// Local paths of the mime data's URLs in order, skipping non-local ones; empty for null.
NIMBGUITOOLKIT_EXPORT QStringList GetDragFiles(const QMimeData* mimeData);
/// Row order, for sorting selections.
NIMBGUITOOLKIT_EXPORT bool SortIndexByRow(const QModelIndex& a, const QModelIndex& b);
/// Counts the checked (or partially checked) items under `parent` (column 0) whose `role` data
/// equals `value` (role -1: counts them all when `value` is invalid), descending only into
/// checked items. 0 for a null model.
NIMBGUITOOLKIT_EXPORT int GetCheckCount(QAbstractItemModel* model,
                                        const QModelIndex& parent = QModelIndex(), int role = -1,
                                        const QVariant& value = QVariant());
/// Copies the rows under `sourceParent` with their subtrees to `targetParent`, inserting them at
/// `row` onwards (appending when `row` is 0xFFFFFFFF or past the end). CStandardItems stay
/// CStandardItems with their extra value, other items are cloned. Nothing happens for a null
/// model or an index of another model as `sourceParent`; a `targetParent` of another model means
/// the root. Copying a subtree into itself copies it as it was before the call.
NIMBGUITOOLKIT_EXPORT void CopyModelData(QStandardItemModel* source,
                                         const QModelIndex& sourceParent,
                                         QStandardItemModel* target,
                                         const QModelIndex& targetParent,
                                         unsigned int row = 0xFFFFFFFFu);

// --- Screen geometry and windows -----------------------------------------------------------

/// `point` when some screen's available geometry holds it, else clamped into the available
/// geometry of the screen under it (the primary screen when none is).
NIMBGUITOOLKIT_EXPORT QPoint GetAvailablePoint(QPoint point);
/// `rect` moved to GetAvailablePoint(rect.topLeft()); when it then passes the right or bottom edge
/// of the widget's screen (the primary screen for a null widget), only its left or top
/// coordinate moves back by the excess plus one, so the rectangle grows.
NIMBGUITOOLKIT_EXPORT QRect GetAvailableGeometry(const QRect& rect, const QWidget* widget);
/// Where to show `popup` for the global anchor rectangle: under the anchor, or above it when
/// there is no room below; kept inside the screen horizontally. Only the top-left is meant to be
/// used. A null rectangle for a null popup.
NIMBGUITOOLKIT_EXPORT QRect GetBorderAvailableGeometry(const QRect& anchor, const QWidget* popup);
/// Centres the widget on its screen; nothing for null.
NIMBGUITOOLKIT_EXPORT void MoveToScreenCenter(QWidget* widget);
/// The widget itself or its first ancestor that is a window and, when `className` is given, does
/// not inherit `className`; null for null or when there is none.
NIMBGUITOOLKIT_EXPORT QWidget* GetIndependentWindow(QWidget* widget,
                                                    const char* className = nullptr);
/// The object itself or its first ancestor that is a widget other than a pop-up, tool, tool tip
/// or splash window; null for null or when there is none.
NIMBGUITOOLKIT_EXPORT QWidget* GetParentWindow(QObject* object);

// --- Waiting ---------------------------------------------------------------------------------

/// Processes events and sleeps in 10 ms steps until `ms` milliseconds have passed; at least one
/// round runs, so qWait(0) handles the pending events once.
NIMBGUITOOLKIT_EXPORT void qWait(int ms);
/// Blocks the calling thread for `ms` milliseconds without processing events; nothing for ms <= 0.
NIMBGUITOOLKIT_EXPORT void qSleep(int ms);

} // namespace TesselGUIToolkit
