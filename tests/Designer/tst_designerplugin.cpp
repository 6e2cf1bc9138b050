#include "NimbGUIToolkit.h"

#include <QJsonObject>
#include <QPluginLoader>
#include <QPointer>
#include <QTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

using namespace TesselGUIToolkit;

// Designer loads the library by file name and only then asks for the collection, exactly what
// these tests do through QPluginLoader.
class tst_DesignerPlugin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void metadataIsReadWithoutInstantiating()
    {
        QPluginLoader loader(QStringLiteral(NIMB_LIBRARY_FILE));
        const QJsonObject meta = loader.metaData();
        QCOMPARE(meta.value(QStringLiteral("IID")).toString(),
                 QStringLiteral("QDesignerCustomWidgetCollectionInterface"));
        QCOMPARE(meta.value(QStringLiteral("className")).toString(), QStringLiteral("TesselGuiPlugin"));
        QCOMPARE(meta.value(QStringLiteral("debug")).toBool(), false);
        QVERIFY(meta.value(QStringLiteral("MetaData")).toObject().isEmpty());
        // The plugin loader records the major and minor Qt version the library was built with.
        QCOMPARE(meta.value(QStringLiteral("version")).toInt(), QT_VERSION & 0xFFFF00);
    }

    void collectionListsLabelThenPushButton()
    {
        QPluginLoader loader(QStringLiteral(NIMB_LIBRARY_FILE));
        QVERIFY2(loader.load(), qPrintable(loader.errorString()));
        auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
        QVERIFY(collection);
        const auto widgets = collection->customWidgets();
        QCOMPARE(widgets.size(), 2);
        QCOMPARE(widgets.at(0)->name(), QStringLiteral("TesselGUIToolkit::CLabel"));
        QCOMPARE(widgets.at(1)->name(), QStringLiteral("TesselGUIToolkit::CPushButton"));
        QVERIFY(loader.instance()->qt_metacast("QDesignerCustomWidgetCollectionInterface"));
        QVERIFY(loader.instance()->qt_metacast(
            "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface"));
        QVERIFY(!loader.instance()->qt_metacast("QDesignerCustomWidgetInterface"));
    }

    void widgetInterfaces_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("include");
        QTest::addColumn<QString>("domXml");
        QTest::addColumn<QString>("text");
        QTest::newRow("label") << 0 << "Label/Label.h"
                               << "<ui language=\"c++\"><widget class=\"TesselGUIToolkit::CLabel\" "
                                  "name=\"tesselGUIToolkit::CLabel\"/></ui>"
                               << "TextLabel";
        QTest::newRow("push button")
            << 1 << "Button/PushButton.h"
            << "<ui language=\"c++\"><widget class=\"TesselGUIToolkit::CPushButton\" "
               "name=\"tesselGUIToolkit::CPushButton\"/></ui>"
            << "PushButton";
    }
    void widgetInterfaces()
    {
        QFETCH(int, index);
        QFETCH(QString, include);
        QFETCH(QString, domXml);
        QFETCH(QString, text);
        QPluginLoader loader(QStringLiteral(NIMB_LIBRARY_FILE));
        auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
        QVERIFY(collection);
        QDesignerCustomWidgetInterface* widget = collection->customWidgets().at(index);
        QCOMPARE(widget->group(), QStringLiteral("Gui Controls"));
        QCOMPARE(widget->includeFile(), include);
        QCOMPARE(widget->domXml(), domXml);
        QVERIFY(widget->toolTip().isEmpty());
        QVERIFY(widget->icon().isNull());
        QVERIFY(!widget->isContainer());
        widget->initialize(nullptr);
        QVERIFY(widget->isInitialized());

        QWidget parent;
        QWidget* created = widget->createWidget(&parent);
        QCOMPARE(created->parentWidget(), &parent);
        if (auto* label = qobject_cast<CLabel*>(created))
            QCOMPARE(label->text(), text);
        else
            QCOMPARE(qobject_cast<CPushButton*>(created)->text(), text);
    }

    void pushButtonMirrorsUnderRightToLeft()
    {
        QPluginLoader loader(QStringLiteral(NIMB_LIBRARY_FILE));
        auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
        QVERIFY(collection);
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::RightToLeft);
        QScopedPointer<QWidget> rtl(collection->customWidgets().at(1)->createWidget(nullptr));
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::LeftToRight);
        QScopedPointer<QWidget> ltr(collection->customWidgets().at(1)->createWidget(nullptr));
        QCOMPARE(rtl->layoutDirection(), Qt::RightToLeft);
        QCOMPARE(ltr->layoutDirection(), Qt::LeftToRight);
    }

    void instanceIsKeptAndRecreatedAfterDeletion()
    {
        QPluginLoader loader(QStringLiteral(NIMB_LIBRARY_FILE));
        QPointer<QObject> first = loader.instance();
        QVERIFY(first);
        QCOMPARE(loader.instance(), first.data());
        delete first.data();
        QVERIFY(first.isNull());
        QObject* second = loader.instance();
        QVERIFY(second);
        QVERIFY(qobject_cast<QDesignerCustomWidgetCollectionInterface*>(second));
    }
};

QTEST_MAIN(tst_DesignerPlugin)
#include "tst_designerplugin.moc"
