#include "WidgetLayout/LayoutElementConfig.h"
#include "WidgetLayout/WidgetLayoutMgr.h"
#include "WidgetLayout/WidgetLayoutTables_p.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QWidget>

using namespace TesselGUIToolkit;

namespace {

// The division selector's buttons: the name gives the grid ("R" for R x R, "CxR" for C columns
// by R rows) and the window count.
const struct
{
    const char* button;
    int type;
} kSelectorButtons[] = {
    {"m_pBtn1_1", 1},      {"m_pBtn2_4", 2},      {"m_pBtn3_6", 3},      {"m_pBtn3_9", 4},
    {"m_pBtn4_8", 5},      {"m_pBtn4_13", 7},     {"m_pBtn4_16", 8},     {"m_pBtn5_25", 15},
    {"m_pBtn7_32", 16},    {"m_pBtn6_36", 18},    {"m_pBtn8_64", 17},    {"m_pBtn4x3_4", 100},
    {"m_pBtn4x3_6", 101},  {"m_pBtn4x3_9", 102},  {"m_pBtn4x3_12", 103}, {"m_pBtn8x6_7", 104},
    {"m_pBtn8x6_16", 105}, {"m_pBtn8x6_24", 106}, {"m_pBtn8x6_36", 107}, {"m_pBtn8x6_48", 108},
};

QStringList Files()
{
    return CWidgetLayoutMgr::DefaultLayoutFiles(QStringLiteral(NIMB_LAYOUTS_DIR));
}

// Every shipped description by type; `duplicates` names types described more than once.
QMap<int, CLayoutElementConfig> LoadAll(QList<int>* duplicates = nullptr)
{
    QMap<int, CLayoutElementConfig> all;
    for (const QString& file : Files()) {
        QVector<CLayoutElementConfig> configs;
        CLayoutElementConfig::LoadDocument(file, configs);
        for (const CLayoutElementConfig& config : qAsConst(configs)) {
            if (duplicates && all.contains(config.GetLayoutType()))
                duplicates->append(config.GetLayoutType());
            all.insert(config.GetLayoutType(), config);
        }
    }
    return all;
}

QVector<int> Stretch(const QString& text, bool* ok)
{
    QVector<int> values;
    *ok = true;
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool numeric = false;
        values.append(part.toInt(&numeric));
        *ok = *ok && numeric && values.last() > 0;
    }
    return values;
}

QSet<int> TypesThatNeedADescription()
{
    QSet<int> types;
    for (int view = 1; view <= 3; ++view) {
        QVector<int> offered;
        CWidgetLayoutMgr::GetSupportSplit(offered, view);
        for (int type : offered)
            types.insert(type);
    }
    for (const auto& button : kSelectorButtons)
        types.insert(button.type);
    return types;
}

} // namespace

class tst_DefaultLayouts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filesLoad()
    {
        const QStringList files = Files();
        QVERIFY2(!files.isEmpty(), NIMB_LAYOUTS_DIR);
        for (const QString& file : files) {
            QVector<CLayoutElementConfig> configs;
            QVERIFY(CLayoutElementConfig::LoadDocument(file, configs));
            QVERIFY2(!configs.isEmpty(), qPrintable(file)); // parsed, not silently dropped
        }
        QList<int> duplicates;
        LoadAll(&duplicates);
        QVERIFY2(duplicates.isEmpty(),
                 qPrintable(QStringLiteral("described twice: %1").arg(duplicates.size())));
    }

    void description_data()
    {
        QTest::addColumn<int>("type");
        const QMap<int, CLayoutElementConfig> all = LoadAll();
        for (auto it = all.cbegin(); it != all.cend(); ++it)
            QTest::addRow("%d %s", it.key(), qPrintable(it->GetLayoutName())) << it.key();
    }
    void description()
    {
        QFETCH(int, type);
        const CLayoutElementConfig config = LoadAll().value(type);
        QVERIFY(!config.GetLayoutName().isEmpty());

        bool rowsOk = false;
        bool columnsOk = false;
        const int rows = Stretch(config.GetLayoutRowstretch(), &rowsOk).size();
        const int columns = Stretch(config.GetLayoutColumnstretch(), &columnsOk).size();
        QVERIFY2(rowsOk && columnsOk, "every stretch factor is a positive number");

        QVector<int> owner(rows * columns, -1);
        QVector<int> seen(config.WndSize(), 0);
        int windowCells = 0;
        for (const struLayoutElementData& cell : config.GetElementItems()) {
            QCOMPARE(cell.type, QStringLiteral("QWidget"));
            ++windowCells;
            QVERIFY2(cell.id >= 0 && cell.id < config.WndSize(),
                     qPrintable(QString::number(cell.id)));
            ++seen[cell.id];
            QVERIFY(cell.rowSpan >= 1 && cell.columnSpan >= 1);
            QVERIFY(cell.row >= 0 && cell.row + cell.rowSpan <= rows);
            QVERIFY(cell.column >= 0 && cell.column + cell.columnSpan <= columns);
            for (int r = cell.row; r < cell.row + cell.rowSpan; ++r) {
                for (int c = cell.column; c < cell.column + cell.columnSpan; ++c) {
                    QVERIFY2(owner[r * columns + c] < 0,
                             qPrintable(QStringLiteral("overlap at %1,%2").arg(r).arg(c)));
                    owner[r * columns + c] = cell.id;
                }
            }
        }
        QCOMPARE(windowCells, config.WndSize());
        for (int id = 0; id < seen.size(); ++id)
            QVERIFY2(seen[id] == 1, qPrintable(QStringLiteral("id %1").arg(id)));
        QVERIFY2(!owner.contains(-1), "every grid unit belongs to a window");
        QCOMPARE(config.GetLayoutVirtualWndCount(), rows * columns);

        // Display index 0 is the window at the top-left corner.
        QCOMPARE(owner[0], 0);
    }

    void everyOfferedTypeIsDescribed_data()
    {
        QTest::addColumn<int>("type");
        QList<int> types = TypesThatNeedADescription().values();
        std::sort(types.begin(), types.end());
        for (int type : qAsConst(types))
            QTest::addRow("%d", type) << type;
    }
    void everyOfferedTypeIsDescribed()
    {
        QFETCH(int, type);
        QVERIFY(LoadAll().contains(type));
    }

    void selectorButtonsMatchGeometry_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("windows");
        const QRegularExpression name(QStringLiteral("^m_pBtn(\\d+)(?:x(\\d+))?_(\\d+)$"));
        for (const auto& button : kSelectorButtons) {
            const QRegularExpressionMatch match = name.match(QLatin1String(button.button));
            QVERIFY(match.hasMatch());
            const int first = match.captured(1).toInt();
            const int rows = match.captured(2).isEmpty() ? first : match.captured(2).toInt();
            QTest::newRow(button.button)
                << button.type << rows << first << match.captured(3).toInt();
        }
    }
    void selectorButtonsMatchGeometry()
    {
        QFETCH(int, type);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(int, windows);
        const CLayoutElementConfig config = LoadAll().value(type);
        QCOMPARE(config.WndSize(), windows);
        QCOMPARE(config.GetLayoutRowstretch().split(QLatin1Char(',')).size(), rows);
        QCOMPARE(config.GetLayoutColumnstretch().split(QLatin1Char(',')).size(), columns);
    }

    void chosenDivisionsHoldTheirWindows()
    {
        // Whatever the tables choose for n windows must be described and show at least n.
        const QMap<int, CLayoutElementConfig> all = LoadAll();
        auto holds = [&](int type, int count) {
            return all.contains(type) && all.value(type).WndSize() >= count;
        };
        for (int windowType = 0; windowType <= 3; ++windowType) {
            for (int group = 0; group <= 10; ++group) {
                for (int n = -1; n <= 70; ++n) {
                    const int video =
                        Detail::VideoLayoutByWndCountWithinGroup(group, n, windowType);
                    const int map = Detail::MapLayoutByWndCountWithinGroup(group, n, windowType);
                    QVERIFY2(all.contains(video), qPrintable(QString::number(video)));
                    QVERIFY2(all.contains(map), qPrintable(QString::number(map)));
                }
            }
        }
        // The tables proper, row by row, against the window counts.
        for (int n = 1; n <= 64; ++n) {
            QVERIFY(holds(Detail::VideoLayoutByWndCountWithinGroup(1, n, 1), n));
            if (n <= 17) {
                QVERIFY(holds(Detail::VideoLayoutByWndCountWithinGroup(7, n, 1), n));
                QVERIFY(holds(Detail::MapLayoutByWndCountWithinGroup(7, n, 3), n));
            }
            if (n <= 8) {
                QVERIFY(holds(Detail::VideoLayoutByWndCountWithinGroup(8, n, 1), n));
                QVERIFY(holds(Detail::VideoLayoutByWndCountWithinGroup(9, n, 1), n));
            }
            if (n <= 5) {
                QVERIFY(holds(Detail::MapLayoutByWndCountWithinGroup(8, n, 3), n));
                QVERIFY(holds(Detail::MapLayoutByWndCountWithinGroup(9, n, 3), n));
            }
            if (n <= 48)
                QVERIFY(holds(Detail::VideoLayoutByWndCountWithinGroup(10, n, 1), n));
            if (n <= 4)
                QVERIFY(holds(Detail::MapLayoutByWndCountWithinGroup(10, n, 3), n));
        }
        for (int n = 0; n <= 16; ++n) {
            QVERIFY(holds(CWidgetLayoutMgr::GetLayoutByWndCount(n, 1, 3), n + 1)); // + the map
            QVERIFY(holds(CWidgetLayoutMgr::GetLayoutByWndCount(n, 3, 1), n));
            QVERIFY(holds(CWidgetLayoutMgr::GetLayoutByWndCount(n, 1, 2), n));
        }
    }

    void everyDescriptionShows()
    {
        QWidget host;
        host.resize(1600, 900);
        QList<QWidget*> windows;
        for (int i = 0; i < 64; ++i)
            windows << new QWidget(&host);
        CWidgetLayoutMgr mgr;
        QVERIFY(mgr.Init(Files(), &host, windows, 17));
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        for (int type : mgr.GetLayoutTypes()) {
            QVERIFY(mgr.ReDisplay(type));
            auto* grid = qobject_cast<QGridLayout*>(host.layout());
            QVERIFY(grid);
            QCOMPARE(grid->count(), mgr.GetWndCountByType(type));
            grid->activate();
            // Equal stretches: every placed window gets a share of the host in proportion to
            // its cells, and windows never overlap.
            QRegion covered;
            for (int i = 0; i < grid->count(); ++i) {
                const QRect rect = grid->itemAt(i)->geometry();
                QVERIFY(!rect.isEmpty());
                QVERIFY2(!covered.intersects(rect), qPrintable(QString::number(type)));
                covered += rect;
            }
            for (int i = 0; i < 64; ++i)
                QCOMPARE(windows[i]->isVisible(), i < mgr.GetWndCountByType(type));
        }
    }
};

QTEST_MAIN(tst_DefaultLayouts)
#include "tst_defaultlayouts.moc"
