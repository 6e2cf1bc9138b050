#include "Designer/GuiPlugin.h"

#include "Button/PushButton.h"
#include "Core/ArbaricSetting.h"
#include "Label/Label.h"

#include <QIcon>

using namespace TesselGUIToolkit;

GuiPlugin::GuiPlugin(const QString& name)
    : m_strName(name)
{
    QString objectName = name;
    if (!objectName.isEmpty())
        objectName[0] = objectName[0].toLower();
    m_strDomXml = QStringLiteral("<ui language=\"c++\"><widget class=\"") + name
        + QStringLiteral("\" name=\"") + objectName + QStringLiteral("\"/>")
        + QStringLiteral("</ui>");
}

GuiPlugin::~GuiPlugin() = default;

QString GuiPlugin::group() const
{
    return QStringLiteral("Gui Controls");
}

QString GuiPlugin::toolTip() const
{
    return QString();
}

QString GuiPlugin::whatsThis() const
{
    return QString();
}

QIcon GuiPlugin::icon() const
{
    return QIcon();
}

void GuiPlugin::initialize(QDesignerFormEditorInterface*)
{
    m_bInitialized = true;
}

CPushButtonPlugin::CPushButtonPlugin(QObject* parent)
    : QObject(parent)
    , GuiPlugin(QStringLiteral("TesselGUIToolkit::CPushButton"))
{
}

CPushButtonPlugin::~CPushButtonPlugin() = default;

QString CPushButtonPlugin::includeFile() const
{
    return QStringLiteral("Button/PushButton.h");
}

QWidget* CPushButtonPlugin::createWidget(QWidget* parent)
{
    auto* button = new CPushButton(QStringLiteral("PushButton"), parent);
    if (ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft)
        button->setLayoutDirection(Qt::RightToLeft);
    return button;
}

CLabelPlugin::CLabelPlugin(QObject* parent)
    : QObject(parent)
    , GuiPlugin(QStringLiteral("TesselGUIToolkit::CLabel"))
{
}

CLabelPlugin::~CLabelPlugin() = default;

QString CLabelPlugin::includeFile() const
{
    return QStringLiteral("Label/Label.h");
}

QWidget* CLabelPlugin::createWidget(QWidget* parent)
{
    return new CLabel(QStringLiteral("TextLabel"), parent);
}
