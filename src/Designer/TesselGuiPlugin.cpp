#include "Designer/TesselGuiPlugin.h"

#include "Designer/GuiPlugin.h"

TesselGUIToolkit::Detail::CollectionShortIid::~CollectionShortIid() = default;

TesselGuiPlugin::TesselGuiPlugin(QObject* parent)
    : QObject(parent)
{
    m_listWidgets.append(new CLabelPlugin(this));
    m_listWidgets.append(new CPushButtonPlugin(this));
}

TesselGuiPlugin::~TesselGuiPlugin() = default;

#include "moc_TesselGuiPlugin.cpp"
