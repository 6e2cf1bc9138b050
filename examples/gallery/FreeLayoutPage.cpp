#include "PageCommon.h"
#include "Pages.h"
#include "SampleWindows.h"

#include "NimbGUIToolkit.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>

#include <memory>

using namespace TesselGUIToolkit;

namespace {

// The client's map window: a drawn floor plan with the field of view of three cameras.
class SampleMapWindow : public CGUIBaseWidget
{
public:
    explicit SampleMapWindow(QWidget* parent)
        : CGUIBaseWidget(parent, true, true)
    {
        SetUnSelectedBorderColor(QColor(0x3a, 0x44, 0x50));
        SetSelectedBorderColor(QColor(0x2d, 0x8c, 0xf0));
        const struct
        {
            QPointF at;
            int direction;
            int angle;
        } cameras[] = {{{0.22, 0.30}, 20, 70}, {{0.62, 0.65}, 200, 50}, {{0.80, 0.25}, 130, 90}};
        for (const auto& camera : cameras) {
            auto* view = new CObservedWidget(this);
            view->OnDrawObservedArea(camera.direction, camera.angle, 4.0);
            m_listViews.append({view, camera.at});
        }
    }
    int WidgetTypes() const override { return 1; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        for (const auto& view : m_listViews) {
            const QSize size = view.first->sizeHint();
            const QPoint centre(int(view.second.x() * width()), int(view.second.y() * height()));
            view.first->setGeometry(QRect(centre - QPoint(size.width() / 2, size.height() / 2), size));
        }
        CGUIBaseWidget::resizeEvent(event);
    }
    void paintEvent(QPaintEvent* event) override
    {
        {
            QPainter painter(this);
            painter.fillRect(rect(), QColor(0xe9, 0xed, 0xf2));
            painter.setPen(QPen(QColor(0x9a, 0xa7, 0xb5), 3));
            const QRectF plan = QRectF(rect()).adjusted(12, 12, -12, -12);
            painter.drawRect(plan);
            painter.drawLine(QPointF(plan.left() + plan.width() * 0.45, plan.top()),
                             QPointF(plan.left() + plan.width() * 0.45, plan.top() + plan.height() * 0.55));
            painter.drawLine(QPointF(plan.left() + plan.width() * 0.45, plan.top() + plan.height() * 0.55),
                             QPointF(plan.right(), plan.top() + plan.height() * 0.55));
            painter.setPen(QColor(0x5a, 0x67, 0x75));
            painter.drawText(plan.adjusted(8, 6, -8, -6), Qt::AlignLeft | Qt::AlignTop,
                             QStringLiteral("Floor 1 - map"));
        }
        CGUIBaseWidget::paintEvent(event);
    }

private:
    QList<QPair<CObservedWidget*, QPointF>> m_listViews;
};

} // namespace

QWidget* CreateFreeLayoutPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("FreeLayoutPage"));
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(10);

    auto* host = new QWidget(page);
    host->setObjectName(QStringLiteral("ptr_free_host_"));
    host->setStyleSheet(QStringLiteral("#ptr_free_host_ { background: #0d1117; }"));
    QList<CGUIBaseWidget*> windows;
    for (int channel = 1; channel <= 16; ++channel)
        windows << new SampleCameraWindow(channel, host);
    auto* manager = new CAnimaWidgetLayoutMgr(page);
    manager->Init(host, CWidgetLayoutMgr::DefaultLayoutFiles(QStringLiteral(NIMB_GALLERY_LAYOUTS_DIR)),
                  windows);
    manager->EnableWidgetTileNumberShow(true);
    // A free arrangement: the lobby camera takes 2 x 2 cells, the others flow around it.
    manager->ScaleWidgetByUnitPos(1, 2, 2, CAnimaWidgetLayoutMgr::PressBottomRight, false);
    manager->ReLayout(false);
    layout->addWidget(host, 1);

    auto* map = new SampleMapWindow(host);
    map->hide();
    manager->AddWidget(map);

    auto* side = new QVBoxLayout;
    auto* hint = new CLabel(QStringLiteral("Drag a window onto another to swap them, drag a border "
                                           "or corner to enlarge it; double-click maximises."),
                            page);
    hint->setWordWrap(true);
    auto* xml = new QPlainTextEdit(page);
    xml->setReadOnly(true);
    xml->setStyleSheet(QStringLiteral("font-family: monospace; font-size: 10px;"));
    auto* save = new CPushButton(QStringLiteral("Save layout"), page);
    auto* restore = new CPushButton(QStringLiteral("Restore saved layout"), page);
    auto* mapMode = new CPushButton(QStringLiteral("Map mode"), page);
    mapMode->setCheckable(true);
    auto* state = new CLabel(QStringLiteral("Grid: "), page);
    auto refresh = [manager, state] {
        state->SetSuffixText(QStringLiteral("%1 x %2 cells, %3 windows")
                                 .arg(manager->GetColumnCount())
                                 .arg(manager->GetRowCount())
                                 .arg(manager->GetVisiablePlayWidgetCount(false)));
    };
    QObject::connect(manager, &CAnimaWidgetLayoutMgr::SignalWidgetLayoutChanged, state, refresh);
    // The saved text keeps the cells; the client remembers which window stood in each, and
    // puts the windows back into their cells after restoring.
    auto saved = std::make_shared<QMap<int, CGUIBaseWidget*>>();
    auto remember = [manager, xml, saved] {
        const QString text = manager->GetXml();
        xml->setPlainText(text);
        saved->clear();
        CLayoutElementConfig config;
        if (manager->GetSingleLayoutElementByXml(&config, text))
            for (const struLayoutElementData& cell : config.GetElementItems())
                saved->insert(cell.id, manager->GetWidgetByIndex(cell.id));
    };
    QObject::connect(save, &QPushButton::clicked, xml, remember);
    QObject::connect(restore, &QPushButton::clicked, manager, [manager, xml, saved] {
        CLayoutElementConfig config;
        if (!manager->GetSingleLayoutElementByXml(&config, xml->toPlainText())
            || !manager->SetXml(xml->toPlainText()))
            return;
        for (const struLayoutElementData& cell : config.GetElementItems())
            if (CGUIBaseWidget* window = saved->value(cell.id))
                manager->AddWidgetDisplayByUnitPos(window, cell.row, cell.column);
    });
    QObject::connect(mapMode, &QPushButton::toggled, manager, [manager](bool on) {
        if (on)
            manager->OpenMapWidget();
        else
            manager->CloseMapModel();
    });
    for (CGUIBaseWidget* window : windows) {
        static_cast<SampleCameraWindow*>(window)->SetDoubleClickHandler(
            [manager](SampleCameraWindow* w) {
                if (manager->Maximized(w))
                    manager->ShowNormal();
                else
                    manager->ShowMaximized(w);
            });
    }
    remember();
    refresh();
    side->addWidget(hint);
    side->addWidget(state);
    side->addWidget(save);
    side->addWidget(restore);
    side->addWidget(mapMode);
    side->addWidget(xml, 1);
    auto* sideWidget = new QWidget(page);
    sideWidget->setFixedWidth(270);
    sideWidget->setLayout(side);
    layout->addWidget(sideWidget);
    return page;
}
