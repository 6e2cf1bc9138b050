#include "WidgetLayout/FileDragFilter.h"

#include "Core/Toolkit.h"

#include <QDragEnterEvent>
#include <QDropEvent>

namespace TesselGUIToolkit {

CFileDragFilter::CFileDragFilter(QObject* parent)
    : QObject(parent)
{
}

CFileDragFilter::~CFileDragFilter() = default;

bool CFileDragFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (!GetDragFiles(enter->mimeData()).isEmpty()) {
            enter->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = GetDragFiles(drop->mimeData());
        if (!files.isEmpty()) {
            drop->acceptProposedAction();
            Q_EMIT SignalDragFileList(files);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace TesselGUIToolkit
