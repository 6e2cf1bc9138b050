#include "PageCommon.h"
#include "Pages.h"
#include "SampleWindows.h"

#include "NimbGUIToolkit.h"

#include <QDateTime>
#include <QGridLayout>
#include <QRandomGenerator>
#include <QTimer>

using namespace TesselGUIToolkit;

namespace {

using Segment = struTimeSliderData::TimeSegmentParam;

// Record types of the sample site, each with the colour the client gives its bars.
enum RecordLevel { Continuous = 1, Event = 2, Command = 3, Alarm = 4 };
QColor LevelColor(int level)
{
    switch (level) {
    case Continuous: return QColor(0x3b, 0x8e, 0xea);
    case Event: return QColor(0xf5, 0xa6, 0x23);
    case Command: return QColor(0x2e, 0xbd, 0x6b);
    default: return QColor(0xe8, 0x4a, 0x4a);
    }
}

constexpr int kChannels = 16;

// The client's recording index: which days hold recordings (a few days lost to maintenance).
bool DayHasRecordings(const QDate& day)
{
    return day <= QDate::currentDate() && day.day() % 11 != 4;
}

Segment MakeSegment(qint64 begin, qint64 end, int level)
{
    Segment segment;
    segment.llBegin = begin;
    segment.llEnd = end;
    segment.nLevel = level;
    segment.brushFill = QBrush(LevelColor(level));
    segment.brushSecond = segment.brushFill;
    return segment;
}

// One channel's recordings of a day: continuous recording with a few gaps, motion events in
// busy hours, some command recordings and rare alarms. Seeded by day and channel, so the
// same day always shows the same footage.
QVector<Segment> DaySegments(const QDate& day, int channel)
{
    QVector<Segment> segments;
    if (!DayHasRecordings(day))
        return segments;
    QRandomGenerator random(quint32(day.toJulianDay() * 131 + channel));
    const qint64 start = QDateTime(day, QTime(0, 0)).toSecsSinceEpoch();
    qint64 t = start + random.bounded(600);
    const qint64 dayEnd = start + 86400;
    while (t < dayEnd) { // continuous blocks of 40 min to 5 h with short gaps
        const qint64 end = qMin(dayEnd, t + 2400 + random.bounded(16000));
        segments << MakeSegment(t, end, Continuous);
        t = end + 60 + random.bounded(channel % 3 == 0 ? 3600 : 600);
    }
    for (int i = 0; i < 60 + random.bounded(80); ++i) { // short motion events, busier by day
        const int hour = 6 + random.bounded(16);
        const qint64 begin = start + hour * 3600 + random.bounded(3600);
        segments << MakeSegment(begin, begin + 10 + random.bounded(170), Event);
    }
    for (int i = 0; i < 3; ++i) {
        const qint64 begin = start + random.bounded(86000);
        segments << MakeSegment(begin, begin + 300 + random.bounded(900), Command);
    }
    if (channel % 4 == 1) {
        const qint64 begin = start + 14 * 3600 + random.bounded(1800);
        segments << MakeSegment(begin, begin + 240, Alarm);
    }
    return segments;
}

QVector<Segment> Marks(const QDate& day, int count, int seed)
{
    QVector<Segment> marks;
    QRandomGenerator random(quint32(day.toJulianDay() + seed));
    const qint64 start = QDateTime(day, QTime(0, 0)).toSecsSinceEpoch();
    for (int i = 0; i < count; ++i) {
        const qint64 at = start + 7 * 3600 + random.bounded(14 * 3600);
        Segment mark = MakeSegment(at, at + 600, Event);
        mark.strText = QStringLiteral("Mark %1").arg(i + 1);
        marks << mark;
    }
    return marks;
}

// The one clock that every time line on the page follows.
class PlaybackClock : public QObject
{
public:
    PlaybackClock(CMultiTimeSlider* multi, CSingleTimeSlider* single, CAnimationProgressBar* ruler,
                  CLabel* label, QObject* parent)
        : QObject(parent)
        , m_pMulti(multi)
        , m_pSingle(single)
        , m_pRuler(ruler)
        , m_pLabel(label)
    {
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] { Seek(m_uTime + 1); });
        timer->start(1000);
    }
    void Seek(qint64 time)
    {
        if (time <= 0)
            return;
        m_uTime = static_cast<unsigned int>(time);
        m_pMulti->SetSyncTime(m_uTime);
        m_pSingle->OnPlayTime(m_uTime);
        m_pRuler->SetPlayBackTime(m_uTime);
        m_pLabel->SetSuffixText(QDateTime::fromSecsSinceEpoch(m_uTime).toString(
            QStringLiteral("yyyy/MM/dd hh:mm:ss")));
    }

private:
    CMultiTimeSlider* m_pMulti;
    CSingleTimeSlider* m_pSingle;
    CAnimationProgressBar* m_pRuler;
    CLabel* m_pLabel;
    unsigned int m_uTime = 0;
};

void LoadDay(const QDate& day, CMultiTimeSlider* multi, CSingleTimeSlider* single)
{
    multi->SetTimeRange(day, day);
    single->SetTimeRange(day, day);
    multi->ClearAllTimeRectSeries();
    multi->ClearTag();
    multi->ClearLock();
    QMap<unsigned int, QVector<Segment>> rows;
    for (int channel = 1; channel <= kChannels; ++channel)
        rows.insert(unsigned(channel - 1), DaySegments(day, channel));
    multi->AddTime(rows);
    QVector<Segment> tags = Marks(day, 5, 7);
    QVector<Segment> locks = Marks(day, 2, 99);
    multi->AddTag(tags);
    multi->AddLock(locks);
    QList<Segment> first = DaySegments(day, 1).toList();
    single->Reset();
    single->AddTime(first);
}

} // namespace

QWidget* CreatePlaybackPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("PlaybackPage"));
    page->setStyleSheet(QStringLiteral("#PlaybackPage { background: #1b2129; }"
                                       "#PlaybackPage QLabel { color: #d8dee6; }"));
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);

    const QDate today = QDate::currentDate();
    auto* calendar = new CCalendarWidget(page);
    calendar->setFixedSize(280, 260);
    calendar->SetDateRange(today.addYears(-1), today);
    for (QDate day = today.addDays(-62); day <= today; day = day.addDays(1))
        if (DayHasRecordings(day))
            calendar->SetDayMarkColor(day, LevelColor(Continuous));
    calendar->SetSelectedDate(today);

    auto* clockLabel = new CLabel(QStringLiteral("Playing "), page);
    auto* legend = new CLabel(page);
    legend->setTextFormat(Qt::RichText);
    legend->setText(QStringLiteral(
        "<span style='color:#3b8eea'>&#9632;</span> continuous &nbsp;"
        "<span style='color:#f5a623'>&#9632;</span> event<br>"
        "<span style='color:#2ebd6b'>&#9632;</span> command &nbsp;"
        "<span style='color:#e84a4a'>&#9632;</span> alarm"));
    auto* left = new QVBoxLayout;
    left->addWidget(calendar);
    left->addWidget(clockLabel);
    left->addWidget(legend);
    left->addStretch();
    layout->addLayout(left, 0, 0, 4, 1);

    auto* multi = new CMultiTimeSlider(page);
    multi->SetTimeSliderCount(kChannels);
    QStringList names;
    for (int channel = 1; channel <= kChannels; ++channel)
        names << SampleChannelName(channel);
    multi->SetChartNames(names);
    multi->AddTimeLevels({Continuous, Event, Command, Alarm});
    multi->OpenSynTime();
    multi->setFixedHeight(430); // the header band, 16 rows of 20 px and the time text
    layout->addWidget(multi, 0, 1);

    auto* single = new CSingleTimeSlider(page);
    single->setFixedHeight(70);
    layout->addWidget(single, 1, 1);

    auto* ruler = new CAnimationProgressBar(page);
    ruler->setFixedHeight(56);
    ruler->SetCurrentLevel(CAnimationProgressBar::Total2Hours);
    layout->addWidget(ruler, 2, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(3, 1);

    auto* clock = new PlaybackClock(multi, single, ruler, clockLabel, page);
    LoadDay(today, multi, single);
    clock->Seek(QDateTime(today, QTime(14, 3, 22)).toSecsSinceEpoch());

    QObject::connect(calendar, &CCalendarWidget::SignalClicked, page, [=](const QDate& day) {
        LoadDay(day, multi, single);
        clock->Seek(QDateTime(day, QTime(8, 0)).toSecsSinceEpoch());
    });
    QObject::connect(multi, QOverload<time_t>::of(&CMultiTimeSlider::SignalMouseClick), clock,
                     [clock](time_t time) { clock->Seek(time); });
    QObject::connect(single, &CSingleTimeSlider::SignalMouseClick, clock,
                     [clock](time_t time) { clock->Seek(time); });
    QObject::connect(ruler, &CAnimationProgressBar::SignalClickedAtTime, clock,
                     [clock](qint64 time) { clock->Seek(time); });
    return page;
}
