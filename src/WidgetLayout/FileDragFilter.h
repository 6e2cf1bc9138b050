#pragma once

#include "nimbguitoolkit_export.h"

#include <QObject>
#include <QStringList>

namespace TesselGUIToolkit {

/// Event filter that lets any widget take local files dropped on it: install it with
/// installEventFilter() (the widget must accept drops). Drags that carry no local file pass on
/// untouched.
class NIMBGUITOOLKIT_EXPORT CFileDragFilter : public QObject
{
    Q_OBJECT
public:
    explicit CFileDragFilter(QObject* parent = nullptr);
    ~CFileDragFilter() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    /// The local paths of a drop, in the order of the drag's URLs.
    void SignalDragFileList(const QStringList& files);
};

} // namespace TesselGUIToolkit
