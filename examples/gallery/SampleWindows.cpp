#include "SampleWindows.h"

#include "NimbGUIToolkit.h"

#include <QPainter>
#include <QVBoxLayout>

using namespace TesselGUIToolkit;

QString SampleChannelName(int channel)
{
    static const char* const places[] = {"Entrance", "Lobby", "Parking A", "Parking B",
                                         "Loading bay", "Stairs N", "Stairs S", "Server room"};
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(places[(channel - 1) % 8])).arg(channel);
}

SampleCameraWindow::SampleCameraWindow(int channel, QWidget* parent, bool withToolBar)
    : CGUIBaseWidget(parent, true, true)
    , m_nChannel(channel)
{
    SetUnSelectedBorderColor(QColor(0x3a, 0x44, 0x50));
    SetSelectedBorderColor(QColor(0x2d, 0x8c, 0xf0));
    setMinimumSize(40, 24);
    if (!withToolBar)
        return;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addStretch();
    auto* bar = new CPlayWndToolBar(this, CPlayWndToolBar::PreviewWnd);
    bar->setFixedHeight(26);
    bar->setStyleSheet(QStringLiteral(
        "CPlayWndToolBar, TesselGUIToolkit--CPlayWndToolBar { background: rgba(0, 0, 0, 140); }"
        "QToolButton { color: #e6ebf0; background: transparent; border: none; font-size: 14px; }"
        "QToolButton:hover { background: #2d8cf0; }"));
    struct Glyph
    {
        QChar glyph;
        const char* tip;
    };
    const Glyph leading[] = {{QChar(0x25C9), "Snapshot"}, {QChar(0x25CF), "Record"},
                             {QChar(0x266A), "Sound"}, {QChar(0x2922), "Digital zoom"}};
    QList<QWidget*> lead, trail, end;
    for (const Glyph& glyph : leading) {
        auto* button = new CToolButton(bar);
        button->setFixedSize(24, 24);
        CIconFontLoader::Instance().SetIcon(button, glyph.glyph, QString::fromLatin1(glyph.tip), true);
        button->setFont(QFont());
        lead << button;
    }
    auto* close = new CToolButton(bar);
    close->setFixedSize(24, 24);
    CIconFontLoader::Instance().SetIcon(close, QChar(0x2715), QStringLiteral("Close"), true);
    close->setFont(QFont());
    end << close;
    bar->AddWidgets(lead, trail, end);
    layout->addWidget(bar);
}

void SampleCameraWindow::SetDoubleClickHandler(std::function<void(SampleCameraWindow*)> handler)
{
    m_fnDoubleClick = std::move(handler);
}

void SampleCameraWindow::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        const QRect inner = rect().adjusted(3, 3, -3, -3);
        static const QPixmap picture(QStringLiteral(":/TesselDesk/Gallery/camera.svg"));
        painter.drawPixmap(inner, picture);
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPixelSize(11);
        painter.setFont(font);
        painter.drawText(inner.adjusted(6, 3, -6, -3), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("CH %1  %2")
                             .arg(m_nChannel, 2, 10, QLatin1Char('0'))
                             .arg(SampleChannelName(m_nChannel)));
    }
    CGUIBaseWidget::paintEvent(event);
}

void SampleCameraWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_fnDoubleClick)
        m_fnDoubleClick(this);
    CGUIBaseWidget::mouseDoubleClickEvent(event);
}
