#include "WidgetLayout/WidgetLayoutTables_p.h"

#include <QStringList>

#include <climits>

namespace TesselGUIToolkit {
namespace Detail {

    namespace {

        // One row of a "window count -> division" table: counts from `first` to `last` give `type`.
        struct CountRange
        {
            int first;
            int last;
            int type;
        };

        template <size_t N> int Lookup(const CountRange (&table)[N], int count, int otherwise)
        {
            for (const CountRange& range : table) {
                if (count >= range.first && count <= range.last)
                    return range.type;
            }
            return otherwise;
        }

        // "More" (and anything the table does not list) falls back to the 2 x 2 division.
        constexpr int kFallback = 2;

        // The groups that have a table: 1, 7, 8, 9 and 10; every other group falls back.
        template <size_t A, size_t B, size_t C, size_t D, size_t E>
        int LookupInGroup(int group, int count, const CountRange (&group1)[A],
                          const CountRange (&group7)[B], const CountRange (&group8)[C],
                          const CountRange (&group9)[D], const CountRange (&group10)[E])
        {
            switch (group) {
            case 1:
                return Lookup(group1, count, kFallback);
            case 7:
                return Lookup(group7, count, kFallback);
            case 8:
                return Lookup(group8, count, kFallback);
            case 9:
                return Lookup(group9, count, kFallback);
            case 10:
                return Lookup(group10, count, kFallback);
            default:
                return kFallback;
            }
        }

        int VideoWithin(int group, int count)
        {
            static const CountRange group1[] = {{1, 1, 1},   {2, 4, 2},    {5, 9, 4},
                                                {10, 16, 8}, {17, 25, 15}, {26, 36, 18},
                                                {37, 64, 17}};
            static const CountRange group7[] = {{1, 6, 350},   {7, 8, 351},   {9, 9, 352},
                                                {10, 10, 353}, {11, 12, 354}, {13, 16, 355},
                                                {17, 17, 356}};
            static const CountRange group8[] = {
                {1, 2, 400}, {3, 3, 401}, {4, 5, 402}, {6, 6, 403}, {7, 8, 404}};
            static const CountRange group9[] = {
                {1, 2, 450}, {3, 3, 451}, {4, 5, 452}, {6, 6, 453}, {7, 8, 454}};
            static const CountRange group10[] = {
                {1, 4, 501},   {5, 5, 502},   {6, 6, 503},   {7, 7, 504},   {8, 12, 506},
                {13, 13, 507}, {14, 24, 508}, {25, 32, 509}, {33, 36, 510}, {37, 48, 511}};
            return LookupInGroup(group, count, group1, group7, group8, group9, group10);
        }

        int MapWithin(int group, int count)
        {
            static const CountRange group1[] = {{1, 1, 1}};
            static const CountRange group7[] = {{1, 6, 350},   {7, 8, 351},   {9, 10, 353},
                                                {11, 12, 354}, {13, 16, 355}, {17, 17, 356}};
            static const CountRange group8[] = {{1, 2, 400}, {3, 3, 401}, {4, 5, 402}};
            static const CountRange group9[] = {{1, 2, 450}, {3, 3, 451}, {4, 5, 452}};
            static const CountRange group10[] = {{1, 4, 500}};
            return LookupInGroup(group, count, group1, group7, group8, group9, group10);
        }

        bool ColumnsContain(const struLayoutElementData& cell, int column)
        {
            // 64-bit: spans come from files and column + columnSpan may not fit an int.
            return column >= cell.column
                && static_cast<long long>(column)
                < static_cast<long long>(cell.column) + static_cast<long long>(cell.columnSpan);
        }

    } // namespace

    int SplitGroupOf(int splitType)
    {
        static const CountRange groups[] = {
            {0, 18, 1},    {50, 56, 2},   {60, 61, 3},   {100, 111, 4}, {201, 205, 5},
            {301, 307, 6}, {350, 356, 7}, {400, 404, 8}, {450, 454, 9}, {500, 511, 10}};
        return Lookup(groups, splitType, 0);
    }

    int MaximumWndCountInGroup(int group, int windowType)
    {
        // Columns: preview, playback, map.
        static const int maxima[][3] = {{64, 16, 1}, {1, 1, 0}, {17, 16, 17},
                                        {8, 8, 5},   {8, 8, 5}, {48, 13, 4}};
        if (windowType < 1 || windowType > 3)
            return 0;
        int row = -1;
        switch (group) {
        case 1:
            row = 0;
            break;
        case 5:
            row = 1;
            break;
        case 7:
            row = 2;
            break;
        case 8:
            row = 3;
            break;
        case 9:
            row = 4;
            break;
        case 10:
            row = 5;
            break;
        default:
            return 0;
        }
        return maxima[row][windowType - 1];
    }

    int VideoLayoutByWndCountWithinGroup(int group, int count, int windowType)
    {
        if (count > MaximumWndCountInGroup(group, windowType)) {
            if (count > MaximumWndCountInGroup(1, windowType))
                return 17;
            group = 1;
        }
        if (count <= 0)
            return kFallback;
        return VideoWithin(group, count);
    }

    int MapLayoutByWndCountWithinGroup(int group, int count, int windowType)
    {
        if (count > MaximumWndCountInGroup(group, windowType)) {
            if (count > MaximumWndCountInGroup(7, windowType))
                return 356;
            group = 7;
        }
        if (count <= 0)
            return kFallback;
        return MapWithin(group, count);
    }

    int LayoutByWndCount(int count, int view, int currentType, int windowType)
    {
        const int group = SplitGroupOf(currentType);
        switch (view) {
        case 1:
        case 2:
            return VideoLayoutByWndCountWithinGroup(group, count, windowType);
        case 3:
            // The map takes a cell of its own.
            return MapLayoutByWndCountWithinGroup(group, count == INT_MAX ? count : count + 1,
                                                  windowType);
        default:
            return kFallback;
        }
    }

    int ConvertLayoutByWndCount(int count, int from, int to)
    {
        if (count < 0)
            return 0;
        static const CountRange intoMap[] = {
            {0, 0, 1},   {1, 1, 450}, {2, 2, 451},   {3, 3, 501},   {4, 4, 402},  {5, 5, 350},
            {6, 7, 351}, {8, 9, 353}, {10, 11, 354}, {12, 15, 355}, {16, 16, 356}};
        static const CountRange outOfMap[] = {{0, 1, 1}, {2, 2, 450},   {3, 4, 2},  {5, 6, 453},
                                              {7, 9, 4}, {10, 12, 506}, {13, 16, 8}};
        static const CountRange previewToPlayback[] = {
            {0, 1, 1},     {2, 2, 400},   {3, 3, 401}, {4, 4, 2}, {5, 5, 402},
            {6, 6, 403},   {7, 7, 504},   {8, 8, 404}, {9, 9, 4}, {10, 10, 353},
            {11, 12, 506}, {13, 13, 507}, {14, 16, 8}};
        if (to == 3)
            return Lookup(intoMap, count, 1);
        if (from == 3)
            return Lookup(outOfMap, count, 2);
        if (from == 1 && to == 2)
            return Lookup(previewToPlayback, count, 1);
        return 0;
    }

    QVector<int> SupportSplit(int view)
    {
        switch (view) {
        case 1:
            return {1,   2,   4,   8,   15,  18,  17,  350, 351, 352, 353, 354,
                    355, 356, 400, 401, 402, 403, 404, 450, 451, 452, 453, 454,
                    500, 501, 502, 503, 504, 505, 506, 507, 508, 509, 510, 511};
        case 2:
            return {1,   2,   4,   8,   350, 351, 352, 353, 354, 355, 400, 401, 402, 403,
                    404, 450, 451, 452, 453, 454, 500, 501, 502, 503, 504, 505, 506, 507};
        case 3:
            return {1, 350, 351, 353, 354, 355, 356, 400, 401, 402, 450, 451, 452, 500, 501};
        default:
            return {};
        }
    }

    int SuitableLayoutType(int min, int max, const QVector<int>& candidates,
                           const std::function<int(int)>& wndCountOf)
    {
        if (min > max)
            return 0;
        int best = 0;
        int bestCount = 0;
        bool found = false;
        for (const int candidate : candidates) {
            const int count = wndCountOf(candidate);
            if (count < min || count > max)
                continue;
            if (!found || count < bestCount) {
                best = candidate;
                bestCount = count;
                found = true;
            }
        }
        return best;
    }

    int FirstWindowCell(const QVector<struLayoutElementData>& cells,
                        const std::function<bool(int)>& holds)
    {
        for (int i = 0; i < cells.size(); ++i) {
            if (IsWindowCell(cells.at(i)) && holds(cells.at(i).id))
                return i;
        }
        return -1;
    }

    int NeighbourIndex(const QVector<struLayoutElementData>& cells, int from, int direction)
    {
        if (from < 0 || from >= cells.size())
            return -1;
        const struLayoutElementData& cell = cells.at(from);
        const int index = cell.id;
        const int count = cells.size();
        switch (direction) {
        case 0:
            return index == 0 ? count - 1 : index - 1;
        case 2:
            return index == count - 1 ? 0 : index + 1;
        case 1:
        case 3: {
            const long long edge = direction == 1
                ? static_cast<long long>(cell.row)
                : static_cast<long long>(cell.row) + static_cast<long long>(cell.rowSpan);
            for (const struLayoutElementData& other : cells) {
                if (!IsWindowCell(other) || !ColumnsContain(other, cell.column))
                    continue;
                const long long otherEdge = direction == 1
                    ? static_cast<long long>(other.row) + static_cast<long long>(other.rowSpan)
                    : static_cast<long long>(other.row);
                if (otherEdge == edge)
                    return other.id;
            }
            return index;
        }
        default:
            return -1;
        }
    }

    QVector<int> ParseStretch(const QString& text)
    {
        // An empty text still splits into one empty part, so it names row 0 with stretch 0.
        QVector<int> result;
        const QStringList parts = text.split(QLatin1Char(','));
        const int count = qMin(parts.size(), kMaxGridLines);
        result.reserve(count);
        for (int i = 0; i < count; ++i) {
            bool ok = false;
            const int value = parts.at(i).toInt(&ok, 10);
            // QGridLayout refuses negative stretch with a warning; a damaged file should not be
            // louder than an absent factor.
            result.append(ok && value > 0 ? value : 0);
        }
        return result;
    }

} // namespace Detail
} // namespace TesselGUIToolkit
