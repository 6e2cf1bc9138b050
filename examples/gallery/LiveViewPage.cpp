#include "PageCommon.h"
#include "Pages.h"
#include "SampleWindows.h"

#include "NimbGUIToolkit.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>

using namespace TesselGUIToolkit;

namespace {

// The selector is normally a pop-up that closes when another window becomes active; the
// gallery keeps it on the page, so it swallows those activation changes.
class KeepOpenFilter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->type() == QEvent::ActivationChange;
    }
};

// A button icon drawn from the division's own description: one rectangle per window cell.
QIcon DivisionIcon(const CLayoutElementConfig* config)
{
    QPixmap pixmap(26, 20);
    pixmap.fill(Qt::transparent);
    if (!config)
        return QIcon(pixmap);
    const int rows = qMax(1, config->GetLayoutRowstretch().split(QLatin1Char(',')).size());
    const int columns = qMax(1, config->GetLayoutColumnstretch().split(QLatin1Char(',')).size());
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x1f, 0x26, 0x30));
    painter.setBrush(QColor(0x8f, 0xa3, 0xb8));
    const double cellWidth = 25.0 / columns;
    const double cellHeight = 19.0 / rows;
    for (const struLayoutElementData& cell : config->GetElementItems()) {
        if (cell.type != QLatin1String("QWidget"))
            continue;
        painter.drawRect(QRectF(cell.column * cellWidth, cell.row * cellHeight,
                                cell.columnSpan * cellWidth, cell.rowSpan * cellHeight));
    }
    return QIcon(pixmap);
}

} // namespace

QWidget* CreateLiveViewPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("LiveViewPage"));
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(10);

    auto* host = new QWidget(page);
    host->setObjectName(QStringLiteral("ptr_live_host_"));
    host->setStyleSheet(QStringLiteral("#ptr_live_host_ { background: #0d1117; }"));
    QList<QWidget*> windows;
    QList<SampleCameraWindow*> cameras;
    for (int channel = 1; channel <= 64; ++channel) {
        auto* window = new SampleCameraWindow(channel, host, true);
        windows << window;
        cameras << window;
    }
    auto* manager = new CWidgetLayoutMgr(page);
    manager->SetSpliteWindowType(struViewWindowType::Preview);
    manager->Init(CWidgetLayoutMgr::DefaultLayoutFiles(QStringLiteral(NIMB_GALLERY_LAYOUTS_DIR)),
                  host, windows, 7); // one large window and twelve small ones

    for (SampleCameraWindow* camera : cameras) {
        QObject::connect(camera, &CGUIBaseWidget::SignalWndSelected, host, [camera, cameras] {
            for (SampleCameraWindow* other : cameras)
                other->SetSelected(other == camera);
        });
        camera->SetDoubleClickHandler([manager](SampleCameraWindow* window) {
            if (manager->Maximized(window))
                manager->ShowNormal();
            else
                manager->ShowMaximized(window);
        });
    }
    cameras.first()->SetSelected(true);
    layout->addWidget(host, 1);

    auto* side = new QVBoxLayout;
    auto* selector = new CSelectCutNum(manager, nullptr, page);
    selector->setWindowFlags(Qt::Widget);
    selector->installEventFilter(new KeepOpenFilter(selector));
    selector->setStyleSheet(QStringLiteral(
        "QToolButton { background: #2b3440; border: 1px solid #3d4a5a; border-radius: 2px; }"
        "QToolButton:hover { border-color: #2d8cf0; }"
        "QLabel { color: #333; font-weight: bold; }"));
    QVector<struSplitTypeData::SplitType> offered;
    selector->GetSupportSplitType(offered);
    for (struSplitTypeData::SplitType type : offered) {
        if (QToolButton* button = selector->GetButton(type)) {
            button->setIcon(DivisionIcon(manager->GetLayoutElementConfig(type)));
            button->setIconSize(QSize(26, 20));
        }
    }
    auto* status = new CLabel(QStringLiteral("Division: "), page);
    status->SetSuffixText(QString::number(manager->GetSplitType()));
    QObject::connect(selector, &CSelectCutNum::SignalClickedBtn, manager,
                     [manager](int type) { manager->ReDisplay(type); });
    QObject::connect(manager, &CWidgetLayoutMgr::SignalWidgetLayoutChanged, status,
                     [status, manager](int type, const QString&) {
                         status->SetSuffixText(QStringLiteral("%1 (%2 windows)")
                                                   .arg(type)
                                                   .arg(manager->GetWndCountByType(type)));
                     });
    status->SetSuffixText(QStringLiteral("%1 (%2 windows)").arg(7).arg(manager->GetWndCountByType(7)));
    auto* hint = new CLabel(QStringLiteral("64 cameras. Pick a division; double-click a window to "
                                           "maximise it and again to restore."),
                            page);
    hint->setWordWrap(true);
    side->addWidget(selector);
    side->addWidget(status);
    side->addWidget(hint);
    side->addStretch();
    auto* sideWidget = new QWidget(page);
    sideWidget->setFixedWidth(270);
    sideWidget->setLayout(side);
    layout->addWidget(sideWidget);
    return page;
}
