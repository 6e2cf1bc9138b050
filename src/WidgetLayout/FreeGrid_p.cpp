#include "WidgetLayout/FreeGrid_p.h"

#include <QMap>
#include <QPair>

#include <algorithm>
#include <cmath>
#include <limits>

namespace TesselGUIToolkit {
namespace Detail {

    namespace {

        int ClampToInt(qint64 value)
        {
            return static_cast<int>(qBound<qint64>(std::numeric_limits<int>::min(), value,
                                                   std::numeric_limits<int>::max()));
        }

        // Divisions of possibly negative numbers must truncate towards zero like the C++ operator;
        // qint64 keeps absurd host sizes from overflowing in between.
        qint64 Div(qint64 a, qint64 b)
        {
            return b == 0 ? 0 : a / b;
        }

        int RoundDiv(int value, int divisor) // value >= 0, divisor > 0: nearest, halves up
        {
            return static_cast<int>((static_cast<qint64>(value) * 2 + divisor) / (2LL * divisor));
        }

        bool ReadingOrder(const QRect& a, const QRect& b)
        {
            return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
        }

        int RoundHalfUp(double value)
        {
            return static_cast<int>(std::floor(value + 0.5));
        }

        bool Shifted(int value, int oldStart, int span, int delta)
        {
            return (delta > 0 && value >= oldStart + span) || (delta < 0 && value < oldStart);
        }

        int MapAxis(int value, int oldStart, int span, int delta)
        {
            if (!Shifted(value, oldStart, span, delta))
                return value;
            return delta > 0 ? value - span : value + span;
        }

        // The cells that a moved item newly covers (target minus old) correspond one to one to the
        // cells it leaves (old minus target): along each axis the part of the target outside the
        // old span slides back by the item's span, the rest stays. A rectangle that straddles that
        // fold would be torn apart, so it cannot be carried over this way.
        bool MapIntoLeftCells(const QRect& hit, const QRect& oldRect, const QRect& target,
                              QRect* out)
        {
            const int dx = target.x() - oldRect.x();
            const int dy = target.y() - oldRect.y();
            const int w = oldRect.width();
            const int h = oldRect.height();
            if (Shifted(hit.left(), oldRect.x(), w, dx) != Shifted(hit.right(), oldRect.x(), w, dx)
                || Shifted(hit.top(), oldRect.y(), h, dy)
                    != Shifted(hit.bottom(), oldRect.y(), h, dy))
                return false;
            *out = QRect(QPoint(MapAxis(hit.left(), oldRect.x(), w, dx),
                                MapAxis(hit.top(), oldRect.y(), h, dy)),
                         hit.size());
            return true;
        }

    } // namespace

    FreeCellSize FreeGridCellSize(const QSize& host, int rows, int columns, int spacing,
                                  int aspectWidth, int aspectHeight)
    {
        FreeCellSize size;
        if (aspectWidth <= 0 || aspectHeight <= 0)
            return size;
        const qint64 W = host.width();
        const qint64 H = host.height();
        const qint64 R = std::max(rows, 1);
        const qint64 C = std::max(columns, 1);
        const qint64 s = spacing;

        qint64 w = Div(W - (C - 1) * s, C);
        qint64 h = Div(aspectHeight * w, aspectWidth);
        qint64 spareHeight = H - (R - 1) * s - R * h;
        qint64 spareWidth = 0;
        if (spareHeight < 0) {
            h = Div(H - (R - 1) * s, R);
            w = Div(h * aspectWidth, aspectHeight);
            spareWidth = W - C * w - (C - 1) * s;
            spareHeight = 0;
        }
        size.width = ClampToInt(w);
        size.height = ClampToInt(h);
        size.spareWidth = ClampToInt(spareWidth);
        size.spareHeight = ClampToInt(spareHeight);
        return size;
    }

    namespace {

        bool SuitSearch(const QSize& host, int spacing, int firstColumn, int minRows, int& rows,
                        int& columns, qint64 cellCount)
        {
            QMap<int, QPair<int, int>> byWidth; // cell width -> (rows, columns)
            for (int c = std::max(firstColumn, 1); c <= kFreeGridMaxSpan; ++c) {
                const qint64 needed = (std::max<qint64>(cellCount, 0) + c - 1) / c;
                const qint64 r = std::max<qint64>({needed, minRows, 1});
                if (r > kFreeGridMaxSpan)
                    continue;
                const int width = FreeGridCellSize(host, int(r), c, spacing).width;
                const auto found = byWidth.constFind(width);
                if (found == byWidth.constEnd() || r * c < found->first * found->second)
                    byWidth.insert(width, qMakePair(int(r), c));
            }
            if (byWidth.isEmpty())
                return false;
            const QPair<int, int> best = byWidth.last();
            rows = best.first;
            columns = best.second;
            return true;
        }

    } // namespace

    bool FreeGridSuitLayout(const QSize& host, int spacing, int count, int minRows, int minColumns,
                            int& rows, int& columns)
    {
        rows = minRows;
        columns = minColumns;
        return SuitSearch(host, spacing, minColumns, minRows, rows, columns, count);
    }

    bool FreeGridSuitLayoutByAddition(const QSize& host, int spacing, int count, int rows0,
                                      int columns0, int& rows, int& columns)
    {
        rows = rows0;
        columns = columns0;
        const qint64 cells =
            qint64(std::max(rows0, 0)) * std::max(columns0, 0) + std::max(count, 0);
        return SuitSearch(host, spacing, std::max(columns0, 1), rows0, rows, columns, cells);
    }

    QVector<QRect> FreeGridMapArrangement(int others, int& rows, int& columns)
    {
        const int n = qBound(0, others, 16);
        QVector<QRect> cells;
        cells.reserve(n + 1);
        if (n == 0) {
            rows = columns = 1;
            cells << QRect(0, 0, 1, 1);
        } else if (n == 1) {
            rows = 1;
            columns = 2;
            cells << QRect(0, 0, 1, 1) << QRect(1, 0, 1, 1);
        } else if (n <= 4) {
            rows = columns = n;
            cells << QRect(0, 0, n - 1, n);
            for (int r = 0; r < n; ++r)
                cells << QRect(n - 1, r, 1, 1);
        } else if (n <= 13) {
            const int k = n / 2 + 1;
            rows = columns = k;
            cells << QRect(0, 0, k - 1, k - 1);
            for (int r = 0; r < k - 1 && cells.size() <= n; ++r)
                cells << QRect(k - 1, r, 1, 1);
            for (int c = 0; c < k && cells.size() <= n; ++c)
                cells << QRect(c, k - 1, 1, 1);
        } else {
            rows = columns = 5;
            cells << QRect(0, 0, 3, 3);
            for (int r = 0; r < 3; ++r)
                cells << QRect(3, r, 1, 1) << QRect(4, r, 1, 1);
            for (int r = 3; r < 5 && cells.size() <= n; ++r) {
                for (int c = 0; c < 5 && cells.size() <= n; ++c)
                    cells << QRect(c, r, 1, 1);
            }
        }
        return cells;
    }

    int FreeGridPressArea(const QRect& window, const QPoint& point)
    {
        if (!window.contains(point))
            return -1;
        if (window.adjusted(2, 2, -2, -2).contains(point))
            return 0;
        const int w = window.width();
        const int h = window.height();
        const int x1 = w * 70 / 480;
        const int x2 = w * 410 / 480;
        const int y1 = h * 40 / 270;
        const int y2 = h * 230 / 270;
        const QPoint p = point - window.topLeft();
        struct Box
        {
            QRect rect;
            int area;
        };
        const Box boxes[] = {
            {QRect(QPoint(0, 0), QPoint(w - x2, h - y2)), 1},
            {QRect(QPoint(x2, 0), QPoint(w - 1, h - y2)), 2},
            {QRect(QPoint(x2, y2), QPoint(w - 1, h - 1)), 4},
            {QRect(QPoint(0, y2), QPoint(w - x2, h - 1)), 3},
            {QRect(QPoint(0, y1), QPoint(w - x2, h - y1)), 5},
            {QRect(QPoint(x1, 0), QPoint(w - x1, h - y2)), 6},
            {QRect(QPoint(x2, y1), QPoint(w - 1, h - y1)), 7},
            {QRect(QPoint(x1, y2), QPoint(w - x1, h - 1)), 8},
        };
        for (const Box& box : boxes) {
            if (box.rect.contains(p))
                return box.area;
        }
        return 0; // a window too small for the boxes to meet: moving it is the safe reading
    }

    Qt::CursorShape FreeGridAreaCursor(int area)
    {
        switch (area) {
        case 1:
        case 4:
            return Qt::SizeFDiagCursor;
        case 2:
        case 3:
            return Qt::SizeBDiagCursor;
        case 5:
        case 7:
            return Qt::SizeHorCursor;
        case 6:
        case 8:
            return Qt::SizeVerCursor;
        default:
            return Qt::ArrowCursor;
        }
    }

    bool FreeGridAreaMovesLeft(int area)
    {
        return area == 1 || area == 3 || area == 5;
    }

    bool FreeGridAreaMovesTop(int area)
    {
        return area == 1 || area == 2 || area == 6;
    }

    bool FreeGridAreaMovesRight(int area)
    {
        return area == 2 || area == 4 || area == 7;
    }

    bool FreeGridAreaMovesBottom(int area)
    {
        return area == 3 || area == 4 || area == 8;
    }

    QRect FreeGridScaleGeometry(const QRect& window, const QPoint& point, int area)
    {
        int left = window.left();
        int top = window.top();
        int right = window.right();
        int bottom = window.bottom();
        if (FreeGridAreaMovesLeft(area))
            left = std::min(point.x(), right);
        if (FreeGridAreaMovesRight(area))
            right = std::max(point.x(), left);
        if (FreeGridAreaMovesTop(area))
            top = std::min(point.y(), bottom);
        if (FreeGridAreaMovesBottom(area))
            bottom = std::max(point.y(), top);
        return QRect(QPoint(left, top), QPoint(right, bottom));
    }

    int FreeGridCountCells(int extent, int cell, int spacing)
    {
        const int pitch = cell + spacing;
        if (pitch < 1)
            return 0;
        return std::max(1, RoundDiv(std::max(extent + spacing, 0), pitch));
    }

    QVector<QRect> FreeGridCellsFromGeometry(const QVector<QRect>& geometries, const QSize& cell,
                                             int spacing, bool rightToLeft, int* rows, int* columns)
    {
        QVector<QRect> cells;
        const int pitchX = cell.width() + spacing;
        const int pitchY = cell.height() + spacing;
        if (geometries.isEmpty() || cell.width() < 1 || cell.height() < 1 || pitchX < 1
            || pitchY < 1)
            return cells;
        QRect united;
        for (const QRect& g : geometries)
            united = united.united(g);
        cells.reserve(geometries.size());
        for (const QRect& g : geometries) {
            const int dx = rightToLeft ? united.right() - g.right() : g.left() - united.left();
            const int column = RoundDiv(std::max(dx, 0), pitchX);
            const int row = RoundDiv(std::max(g.top() - united.top(), 0), pitchY);
            cells << QRect(column, row, FreeGridCountCells(g.width(), cell.width(), spacing),
                           FreeGridCountCells(g.height(), cell.height(), spacing));
        }
        if (rows)
            *rows = FreeGridCountCells(united.height(), cell.height(), spacing);
        if (columns)
            *columns = FreeGridCountCells(united.width(), cell.width(), spacing);
        return cells;
    }

    bool FreeGridFrame::IsValid() const
    {
        return rows >= 1 && columns >= 1 && area.width() >= columns && area.height() >= rows
            && spacing >= 0;
    }

    double FreeGridFrame::PitchX() const
    {
        return double(area.width() + spacing) / std::max(columns, 1);
    }

    double FreeGridFrame::PitchY() const
    {
        return double(area.height() + spacing) / std::max(rows, 1);
    }

    QRect FreeGridFrame::CellsToPixels(const QRect& cells) const
    {
        const double px = PitchX();
        const double py = PitchY();
        const int left = area.left() + RoundHalfUp(cells.x() * px);
        const int top = area.top() + RoundHalfUp(cells.y() * py);
        const int right = area.left() + RoundHalfUp((cells.x() + cells.width()) * px) - spacing - 1;
        const int bottom =
            area.top() + RoundHalfUp((cells.y() + cells.height()) * py) - spacing - 1;
        return QRect(QPoint(left, top), QPoint(std::max(left, right), std::max(top, bottom)));
    }

    QPointF FreeGridFrame::ToUnits(const QPoint& pixel) const
    {
        return QPointF((pixel.x() - area.left()) / PitchX(), (pixel.y() - area.top()) / PitchY());
    }

    QPoint FreeGridFrame::CellAt(const QPoint& pixel) const
    {
        const QPointF units = ToUnits(pixel);
        return QPoint(int(std::floor(units.x())), int(std::floor(units.y())));
    }

    QPoint FreeGridFrame::NearestCorner(const QPoint& pixel) const
    {
        const QPointF units = ToUnits(pixel);
        return QPoint(RoundHalfUp(units.x()), RoundHalfUp(units.y()));
    }

    QRect FreeGridScaleCells(const QRect& cells, int area, const QPointF& pointerUnits, bool* ok)
    {
        if (ok)
            *ok = false;
        if (area < 1 || area > 8 || !cells.isValid())
            return QRect();
        int left = cells.left();
        int right = cells.right() + 1; // exclusive edges make the counts plain differences
        int top = cells.top();
        int bottom = cells.bottom() + 1;
        const auto count = [](double distance, int* out) {
            const int n = RoundHalfUp(distance);
            if (n < 0)
                return false;
            *out = std::max(n, 1);
            return true;
        };
        int n = 0;
        if (FreeGridAreaMovesLeft(area)) {
            if (!count(right - pointerUnits.x(), &n))
                return QRect();
            left = right - n;
        }
        if (FreeGridAreaMovesRight(area)) {
            if (!count(pointerUnits.x() - left, &n))
                return QRect();
            right = left + n;
        }
        if (FreeGridAreaMovesTop(area)) {
            if (!count(bottom - pointerUnits.y(), &n))
                return QRect();
            top = bottom - n;
        }
        if (FreeGridAreaMovesBottom(area)) {
            if (!count(pointerUnits.y() - top, &n))
                return QRect();
            bottom = top + n;
        }
        if (ok)
            *ok = true;
        return QRect(left, top, right - left, bottom - top);
    }

    CFreeGridModel::CFreeGridModel(int rows, int columns)
        : m_nRows(qBound(1, rows, kFreeGridMaxSpan))
        , m_nColumns(qBound(1, columns, kFreeGridMaxSpan))
    {
    }

    bool CFreeGridModel::SetGridSize(int rows, int columns)
    {
        if (rows < 1 || columns < 1 || rows > kFreeGridMaxSpan || columns > kFreeGridMaxSpan)
            return false;
        const QRect grid(0, 0, columns, rows);
        for (const Item& item : qAsConst(m_items)) {
            if (!grid.contains(item.cells))
                return false;
        }
        m_nRows = rows;
        m_nColumns = columns;
        return true;
    }

    bool CFreeGridModel::AddItem(int key, const QRect& cells)
    {
        if (Contains(key) || !cells.isValid() || !QRect(0, 0, m_nColumns, m_nRows).contains(cells)
            || !IsFree(cells, key))
            return false;
        m_items.append(Item{key, cells});
        return true;
    }

    bool CFreeGridModel::RemoveItem(int key)
    {
        const int i = IndexOf(key);
        if (i < 0)
            return false;
        m_items.remove(i);
        return true;
    }

    bool CFreeGridModel::Contains(int key) const
    {
        return IndexOf(key) >= 0;
    }

    QRect CFreeGridModel::ItemRect(int key) const
    {
        const int i = IndexOf(key);
        return i < 0 ? QRect() : m_items.at(i).cells;
    }

    int CFreeGridModel::KeyAt(const QPoint& cell) const
    {
        for (const Item& item : m_items) {
            if (item.cells.contains(cell))
                return item.key;
        }
        return -1;
    }

    QVector<QPoint> CFreeGridModel::IdleCells() const
    {
        QVector<QPoint> cells;
        for (int r = 0; r < m_nRows; ++r) {
            for (int c = 0; c < m_nColumns; ++c) {
                if (KeyAt(QPoint(c, r)) < 0)
                    cells << QPoint(c, r);
            }
        }
        return cells;
    }

    int CFreeGridModel::IndexOf(int key) const
    {
        for (int i = 0; i < m_items.size(); ++i) {
            if (m_items.at(i).key == key)
                return i;
        }
        return -1;
    }

    bool CFreeGridModel::IsFree(const QRect& cells, int ignoreKey) const
    {
        for (const Item& item : m_items) {
            if (item.key != ignoreKey && !item.cells.isNull() && item.cells.intersects(cells))
                return false;
        }
        return true;
    }

    bool CFreeGridModel::PlaceFirstFit(int key, QSize size)
    {
        const int i = IndexOf(key);
        for (int y = 0; y + size.height() <= m_nRows; ++y) {
            for (int x = 0; x + size.width() <= m_nColumns; ++x) {
                const QRect candidate(QPoint(x, y), size);
                if (IsFree(candidate, key)) {
                    m_items[i].cells = candidate;
                    return true;
                }
            }
        }
        return false;
    }

    CFreeGridModel::Result CFreeGridModel::Exchange(int key, int otherKey)
    {
        Result result;
        const int a = IndexOf(key);
        const int b = IndexOf(otherKey);
        if (a < 0 || b < 0) {
            result.outcome = Outcome::Rejected;
            return result;
        }
        if (a == b)
            return result;
        std::swap(m_items[a].cells, m_items[b].cells);
        result.outcome = Outcome::Exchanged;
        result.partner = otherKey;
        return result;
    }

    CFreeGridModel::Result CFreeGridModel::Move(int key, const QPoint& topLeft)
    {
        Result result;
        const int i = IndexOf(key);
        if (i < 0) {
            result.outcome = Outcome::Rejected;
            return result;
        }
        const QRect oldRect = m_items.at(i).cells;
        const QPoint clamped(qBound(0, topLeft.x(), std::max(0, m_nColumns - oldRect.width())),
                             qBound(0, topLeft.y(), std::max(0, m_nRows - oldRect.height())));
        const QRect target(clamped, oldRect.size());
        if (target == oldRect)
            return result;

        QVector<int> hits;
        for (int j = 0; j < m_items.size(); ++j) {
            if (j != i && m_items.at(j).cells.intersects(target))
                hits << j;
        }
        std::sort(hits.begin(), hits.end(), [this](int a, int b) {
            return ReadingOrder(m_items.at(a).cells, m_items.at(b).cells);
        });

        if (hits.isEmpty()) {
            m_items[i].cells = target;
            result.outcome = Outcome::Moved;
            return result;
        }
        if (hits.size() == 1 && m_items.at(hits.first()).cells == target)
            return Exchange(key, m_items.at(hits.first()).key);

        QVector<Displacement> displaced;
        bool carried = true;
        for (int j : qAsConst(hits)) {
            const QRect from = m_items.at(j).cells;
            QRect to;
            if (!target.contains(from)) {
                carried = false;
                break;
            }
            if (!target.intersects(oldRect))
                to = from.translated(oldRect.topLeft() - target.topLeft());
            else if (!MapIntoLeftCells(from, oldRect, target, &to)) {
                carried = false;
                break;
            }
            displaced << Displacement{m_items.at(j).key, from, to};
        }
        if (carried) {
            const QVector<Item> backup = m_items;
            m_items[i].cells = target;
            for (const Displacement& d : qAsConst(displaced))
                m_items[IndexOf(d.key)].cells = d.to;
            if (CheckInvariant()) {
                result.outcome = Outcome::Displaced;
                result.displaced = displaced;
                return result;
            }
            m_items = backup;
        }

        int partner = hits.first();
        int bestArea = -1;
        for (int j : qAsConst(hits)) {
            const QRect common = m_items.at(j).cells.intersected(target);
            const int area = common.width() * common.height();
            if (area > bestArea) {
                bestArea = area;
                partner = j;
            }
        }
        return Exchange(key, m_items.at(partner).key);
    }

    CFreeGridModel::Result CFreeGridModel::Scale(int key, const QRect& cells)
    {
        Result result;
        const int i = IndexOf(key);
        if (i < 0 || cells.width() < 1 || cells.height() < 1) {
            result.outcome = Outcome::Rejected;
            return result;
        }
        if (m_items.at(i).cells == cells)
            return result;
        const QRect bounds = QRect(0, 0, m_nColumns, m_nRows).united(cells);
        if (bounds.width() > kFreeGridMaxSpan || bounds.height() > kFreeGridMaxSpan) {
            result.outcome = Outcome::Rejected;
            return result;
        }

        const QVector<Item> backupItems = m_items;
        const int backupRows = m_nRows;
        const int backupColumns = m_nColumns;
        const auto reject = [&]() {
            m_items = backupItems;
            m_nRows = backupRows;
            m_nColumns = backupColumns;
            Result rejected;
            rejected.outcome = Outcome::Rejected;
            return rejected;
        };

        const QPoint shift = -bounds.topLeft();
        for (Item& item : m_items)
            item.cells.translate(shift);
        m_nRows = bounds.height();
        m_nColumns = bounds.width();
        const QRect scaled = cells.translated(shift);
        m_items[i].cells = scaled;

        QVector<Displacement> displaced;
        for (Item& item : m_items) {
            if (item.key != key && item.cells.intersects(scaled)) {
                displaced << Displacement{item.key, item.cells.translated(-shift), QRect()};
                item.cells = QRect(); // out of the way while the others are placed
            }
        }
        std::sort(displaced.begin(), displaced.end(),
                  [](const Displacement& a, const Displacement& b) {
                      return ReadingOrder(a.from, b.from);
                  });

        const auto placeGrowing = [this](int itemKey, QSize size) {
            const int rows0 = m_nRows;
            const int columns0 = m_nColumns;
            for (;;) {
                if (PlaceFirstFit(itemKey, size))
                    return true;
                if (m_nRows < kFreeGridMaxSpan)
                    ++m_nRows;
                else if (m_nColumns < kFreeGridMaxSpan)
                    ++m_nColumns;
                else
                    break;
            }
            m_nRows = rows0;
            m_nColumns = columns0;
            return false;
        };
        for (Displacement& d : displaced) {
            if (!placeGrowing(d.key, d.from.size()) && !placeGrowing(d.key, QSize(1, 1)))
                return reject();
            d.to = m_items.at(IndexOf(d.key)).cells;
        }
        if (!CheckInvariant())
            return reject();

        result.outcome = Outcome::Scaled;
        result.displaced = displaced;
        result.shift = shift;
        return result;
    }

    bool CFreeGridModel::CheckInvariant(QString* why) const
    {
        const auto fail = [why](const QString& message) {
            if (why)
                *why = message;
            return false;
        };
        if (m_nRows < 1 || m_nColumns < 1 || m_nRows > kFreeGridMaxSpan
            || m_nColumns > kFreeGridMaxSpan)
            return fail(QStringLiteral("grid %1 x %2").arg(m_nRows).arg(m_nColumns));
        const QRect grid(0, 0, m_nColumns, m_nRows);
        for (int i = 0; i < m_items.size(); ++i) {
            const Item& item = m_items.at(i);
            if (item.cells.width() < 1 || item.cells.height() < 1)
                return fail(QStringLiteral("item %1 covers no cell").arg(item.key));
            if (!grid.contains(item.cells))
                return fail(QStringLiteral("item %1 outside the grid").arg(item.key));
            for (int j = i + 1; j < m_items.size(); ++j) {
                if (m_items.at(j).key == item.key)
                    return fail(QStringLiteral("key %1 twice").arg(item.key));
                if (m_items.at(j).cells.intersects(item.cells))
                    return fail(QStringLiteral("items %1 and %2 overlap")
                                    .arg(item.key)
                                    .arg(m_items.at(j).key));
            }
        }
        return true;
    }

} // namespace Detail
} // namespace TesselGUIToolkit
