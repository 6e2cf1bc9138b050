#include "WidgetLayout/SelectCutNum.h"
#include "WidgetLayout/WidgetLayoutMgr.h"

#include "WidgetLayout/OffscreenPlatformWarnings.h"

#include <QCursor>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace TesselGUIToolkit;

namespace {

struct ButtonRow
{
    const char* name;
    int type;
    int row;
    int column;
};

const ButtonRow kTable[] = {
    {"m_pBtn1_1", 1, 1, 0},      {"m_pBtn2_4", 2, 1, 1},      {"m_pBtn3_6", 3, 1, 2},
    {"m_pBtn3_9", 4, 1, 3},      {"m_pBtn4_8", 5, 1, 4},      {"m_pBtn4_13", 7, 1, 5},
    {"m_pBtn4_16", 8, 2, 0},     {"m_pBtn5_25", 15, 2, 1},    {"m_pBtn7_32", 16, 2, 2},
    {"m_pBtn6_36", 18, 2, 3},    {"m_pBtn8_64", 17, 2, 4},    {"m_pBtn4x3_4", 100, 4, 0},
    {"m_pBtn4x3_6", 101, 4, 1},  {"m_pBtn4x3_9", 102, 4, 2},  {"m_pBtn4x3_12", 103, 4, 3},
    {"m_pBtn8x6_7", 104, 4, 4},  {"m_pBtn8x6_16", 105, 4, 5}, {"m_pBtn8x6_24", 106, 5, 0},
    {"m_pBtn8x6_36", 107, 5, 1}, {"m_pBtn8x6_48", 108, 5, 2},
};

// Descriptions with the given window counts; only the count matters to the panel.
QString DescriptionFile(const QTemporaryDir& dir, const QMap<int, int>& counts)
{
    QString text = QStringLiteral("<?xml version=\"1.0\"?>\n<Config>\n");
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it) {
        text += QStringLiteral("<ElementConfig><Name>t%1</Name><Type>%1</Type>"
                               "<WndSize>%2</WndSize><RowStretch>1</RowStretch>"
                               "<ColumnStretch>1</ColumnStretch><ElementItems>"
                               "<Element type=\"QWidget\" id=\"0\" row=\"0\" column=\"0\" "
                               "rowSpan=\"1\" columnSpan=\"1\"/></ElementItems></ElementConfig>\n")
                    .arg(it.key())
                    .arg(it.value());
    }
    text += QStringLiteral("</Config>\n");
    const QString path = dir.filePath(QStringLiteral("layouts.xml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(text.toUtf8());
    return path;
}

// A manager holding the descriptions; the windows and host only serve its Init.
struct Manager
{
    explicit Manager(const QStringList& files)
    {
        window = new QWidget(&host);
        initialised = manager.Init(files, &host, QList<QWidget*>{window}, 1);
    }
    QWidget host;
    QWidget* window = nullptr;
    CWidgetLayoutMgr manager;
    bool initialised = false;
};

const QMap<int, int> kCounts{{1, 1}, {2, 4}, {3, 6}, {4, 9}, {8, 16}, {15, 25},
                             {16, 32}, {18, 36}, {17, 64}, {100, 4}, {108, 48}};

QStringList HiddenButtons(const CSelectCutNum& panel)
{
    QStringList hidden;
    for (const ButtonRow& row : kTable) {
        if (panel.findChild<QToolButton*>(QString::fromLatin1(row.name))->isHidden())
            hidden.append(QString::fromLatin1(row.name));
    }
    return hidden;
}

} // namespace

class tst_SelectCutNum : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { OffscreenPlatformWarnings::Install(); }
    void cleanupTestCase() { OffscreenPlatformWarnings::Remove(); }

    void buttonsSitInTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        for (const ButtonRow& row : kTable)
            QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.type << row.row
                                    << row.column;
    }
    void buttonsSitInTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(int, type);
        QFETCH(int, row);
        QFETCH(int, column);

        CSelectCutNum panel(nullptr);
        auto* button = panel.findChild<QToolButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->size(), QSize(33, 28));
        QCOMPARE(button->iconSize(), QSize(21, 19));
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(panel.GetButton(type), button);
        QCOMPARE(panel.GetButtonType(button), type);

        auto* grid = qobject_cast<QGridLayout*>(panel.layout());
        QVERIFY(grid);
        int r = -1, c = -1, rowSpan = -1, columnSpan = -1;
        grid->getItemPosition(grid->indexOf(button), &r, &c, &rowSpan, &columnSpan);
        QCOMPARE(QList<int>({r, c, rowSpan, columnSpan}), QList<int>({row, column, 1, 1}));

        QSignalSpy clicked(&panel, &CSelectCutNum::SignalClickedBtn);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), type);
    }

    void panelFrame()
    {
        auto* extra = new CFrame;
        CSelectCutNum panel(nullptr, extra);
        const Qt::WindowFlags flags = panel.windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Popup);
        QVERIFY(flags & Qt::FramelessWindowHint);
        QVERIFY(flags & Qt::WindowStaysOnTopHint);

        auto* grid = qobject_cast<QGridLayout*>(panel.layout());
        QCOMPARE(grid->contentsMargins(), QMargins(3, 3, 3, 3));
        QCOMPARE(grid->horizontalSpacing(), 0);
        QCOMPARE(grid->verticalSpacing(), 0);

        const struct
        {
            QWidget* widget;
            int row;
        } places[] = {{panel.findChild<QLabel*>("m_pStanderdLabel"), 0},
                      {panel.findChild<QLabel*>("m_pWideLabel"), 3},
                      {extra, 6}};
        for (const auto& place : places) {
            QVERIFY(place.widget);
            int r = -1, c = -1, rowSpan = -1, columnSpan = -1;
            grid->getItemPosition(grid->indexOf(place.widget), &r, &c, &rowSpan, &columnSpan);
            QCOMPARE(QList<int>({r, c, rowSpan, columnSpan}), QList<int>({place.row, 0, 1, 6}));
        }
        QCOMPARE(extra->parentWidget(), &panel);
        auto* standard = panel.findChild<QLabel*>("m_pStanderdLabel");
        auto* wide = panel.findChild<QLabel*>("m_pWideLabel");
        QCOMPARE(standard->text(), QStringLiteral("Standard Screen Layout:"));
        QCOMPARE(wide->text(), QStringLiteral("Wide Screen Layout:"));
        QCOMPARE(standard->height(), 30);
        QCOMPARE(wide->height(), 30);
    }

    void supportedTypesInButtonOrder()
    {
        CSelectCutNum panel(nullptr);
        QVector<CSelectCutNum::SplitType> types{999, 998};
        panel.GetSupportSplitType(types);
        QVector<CSelectCutNum::SplitType> expected;
        for (const ButtonRow& row : kTable)
            expected.append(row.type);
        QCOMPARE(types, expected);
    }

    void clicksFromElsewhereAreIgnored()
    {
        CSelectCutNum panel(nullptr);
        QSignalSpy clicked(&panel, &CSelectCutNum::SignalClickedBtn);
        QPushButton stranger;
        connect(&stranger, &QPushButton::clicked, &panel, &CSelectCutNum::OnBtnClicked);
        QTest::mouseClick(&stranger, Qt::LeftButton);
        panel.OnBtnClicked();
        QCOMPARE(clicked.count(), 0);
    }

    void maxWindowNumberHidesLargeDivisions_data()
    {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QStringList>("hidden");
        const QStringList all{"m_pBtn1_1",    "m_pBtn2_4",   "m_pBtn3_6",   "m_pBtn3_9",
                              "m_pBtn4_16",   "m_pBtn5_25",  "m_pBtn7_32",  "m_pBtn6_36",
                              "m_pBtn8_64",   "m_pBtn4x3_4", "m_pBtn8x6_48"};
        QTest::newRow("16") << 16 << QStringList{"m_pBtn5_25", "m_pBtn7_32", "m_pBtn6_36",
                                                 "m_pBtn8_64", "m_pBtn8x6_48"};
        QTest::newRow("36") << 36 << QStringList{"m_pBtn8_64", "m_pBtn8x6_48"};
        QTest::newRow("64") << 64 << QStringList();
        QTest::newRow("4") << 4 << QStringList{"m_pBtn3_6", "m_pBtn3_9", "m_pBtn4_16",
                                               "m_pBtn5_25", "m_pBtn7_32", "m_pBtn6_36",
                                               "m_pBtn8_64", "m_pBtn8x6_48"};
        // buttons without a description count 0 windows and stay
        QTest::newRow("0") << 0 << all;
        QStringList everything;
        for (const ButtonRow& row : kTable)
            everything.append(QString::fromLatin1(row.name));
        QTest::newRow("negative") << -1 << everything;
    }
    void maxWindowNumberHidesLargeDivisions()
    {
        QFETCH(int, maximum);
        QFETCH(QStringList, hidden);

        QTemporaryDir dir;
        Manager manager({DescriptionFile(dir, kCounts)});
        QVERIFY(manager.initialised);
        CSelectCutNum panel(&manager.manager);
        panel.SetMaxWndNum(maximum);
        QStringList expected;
        for (const ButtonRow& row : kTable) {
            if (hidden.contains(QString::fromLatin1(row.name)))
                expected.append(QString::fromLatin1(row.name));
        }
        QCOMPARE(HiddenButtons(panel), expected);

        panel.SetMaxWndNum(64);
        QCOMPARE(HiddenButtons(panel), QStringList());
    }

    void buttonTextsShowWindowCounts()
    {
        QTemporaryDir dir;
        auto manager = std::make_unique<Manager>(QStringList{DescriptionFile(dir, kCounts)});
        CSelectCutNum panel(&manager->manager);
        panel.UpdateBtnText();
        for (const ButtonRow& row : kTable) {
            const auto* button = panel.findChild<QToolButton*>(QString::fromLatin1(row.name));
            QCOMPARE(button->text(), QString::number(kCounts.value(row.type, 0)));
        }

        // a manager that went away counts nothing
        manager.reset();
        panel.UpdateBtnText();
        panel.SetMaxWndNum(0);
        for (const ButtonRow& row : kTable) {
            const auto* button = panel.findChild<QToolButton*>(QString::fromLatin1(row.name));
            QCOMPARE(button->text(), QStringLiteral("0"));
            QVERIFY(!button->isHidden());
        }
    }

    void shippedDescriptionsMatchTheButtonNames()
    {
        const QStringList files = CWidgetLayoutMgr::DefaultLayoutFiles(NIMB_LAYOUTS_DIR);
        QVERIFY(!files.isEmpty());
        Manager manager(files);
        QVERIFY(manager.initialised);
        CSelectCutNum panel(&manager.manager);
        panel.UpdateBtnText();
        const QRegularExpression count(QStringLiteral("_(\\d+)$"));
        for (const ButtonRow& row : kTable) {
            const QString name = QString::fromLatin1(row.name);
            const auto* button = panel.findChild<QToolButton*>(name);
            QCOMPARE(button->text(), count.match(name).captured(1));
        }
    }

    void closesWhenAnotherWindowIsActivated()
    {
        CSelectCutNum panel(nullptr);
        panel.move(100, 100);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));

        // a click on the panel's own area leaves it open
        QCursor::setPos(panel.mapToGlobal(QPoint(5, 5)));
        QVERIFY(panel.IsMouseIn());
        QTest::mouseClick(panel.findChild<QLabel*>("m_pWideLabel"), Qt::LeftButton);
        QEvent activation(QEvent::ActivationChange);
        QApplication::sendEvent(&panel, &activation);
        QVERIFY(panel.isVisible());
        QVERIFY(!panel.testAttribute(Qt::WA_NoMouseReplay));

        QCursor::setPos(panel.mapToGlobal(QPoint(-20, -20)));
        QVERIFY(!panel.IsMouseIn());
        QApplication::sendEvent(&panel, &activation);
        QVERIFY(!panel.isVisible());
        QVERIFY(panel.testAttribute(Qt::WA_NoMouseReplay));
    }
};

QTEST_MAIN(tst_SelectCutNum)
#include "tst_selectcutnum.moc"
