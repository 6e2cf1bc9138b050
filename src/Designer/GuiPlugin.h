#pragma once

#include "nimbguitoolkit_export.h"

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

/// Common answers of the toolkit's Qt Designer widget interfaces: one group "Gui Controls",
/// no icon, and a DOM XML built from the class name.
class NIMBGUITOOLKIT_EXPORT GuiPlugin : public QDesignerCustomWidgetInterface
{
public:
    explicit GuiPlugin(const QString& name);
    ~GuiPlugin() override;

    QString name() const override { return m_strName; }
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    bool isContainer() const override { return false; }
    QIcon icon() const override;
    bool isInitialized() const override { return m_bInitialized; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override { return m_strDomXml; }

private:
    QString m_strName;
    QString m_strDomXml;
    bool m_bInitialized = false;
};

/// Offers TesselGUIToolkit::CPushButton in Qt Designer.
class NIMBGUITOOLKIT_EXPORT CPushButtonPlugin : public QObject, public GuiPlugin
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    explicit CPushButtonPlugin(QObject* parent = nullptr);
    ~CPushButtonPlugin() override;
    QString includeFile() const override;
    QWidget* createWidget(QWidget* parent) override;
};

/// Offers TesselGUIToolkit::CLabel in Qt Designer.
class NIMBGUITOOLKIT_EXPORT CLabelPlugin : public QObject, public GuiPlugin
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    explicit CLabelPlugin(QObject* parent = nullptr);
    ~CLabelPlugin() override;
    QString includeFile() const override;
    QWidget* createWidget(QWidget* parent) override;
};
