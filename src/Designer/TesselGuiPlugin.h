#pragma once

#include "nimbguitoolkit_export.h"

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

namespace TesselGUIToolkit {
namespace Detail {
/// Lets the collection answer qobject_cast requests that use the short interface name
/// "QDesignerCustomWidgetCollectionInterface" as well as Qt's full one.
class NIMBGUITOOLKIT_EXPORT CollectionShortIid : public QDesignerCustomWidgetCollectionInterface
{
public:
    ~CollectionShortIid() override;
};
} // namespace Detail
} // namespace TesselGUIToolkit

Q_DECLARE_INTERFACE(TesselGUIToolkit::Detail::CollectionShortIid,
                    "QDesignerCustomWidgetCollectionInterface")

/// The Qt Designer collection of the toolkit: the label first, then the push button. The
/// library itself is the plugin: Qt's plugin loader finds the metadata and the instance
/// entry point in it.
class NIMBGUITOOLKIT_EXPORT TesselGuiPlugin : public QObject,
                                              public TesselGUIToolkit::Detail::CollectionShortIid
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "QDesignerCustomWidgetCollectionInterface" FILE "TesselGuiPlugin.json")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface
                     TesselGUIToolkit::Detail::CollectionShortIid)
public:
    explicit TesselGuiPlugin(QObject* parent = nullptr);
    ~TesselGuiPlugin() override;

    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return m_listWidgets; }

private:
    QList<QDesignerCustomWidgetInterface*> m_listWidgets;
};
