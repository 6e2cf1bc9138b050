#pragma once

#include "nimbguitoolkit_export.h"

#include <QMap>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>

class QLayout;
class QWidget;

namespace TesselGUIToolkit {

/// Moves one content widget between several named parent widgets, for example a player between
/// a small preview area and a large one. Parents, their layouts and the content widget stay the
/// client's; one that is destroyed is simply forgotten.
class NIMBGUITOOLKIT_EXPORT CLayoutSwitch : public QObject
{
    Q_OBJECT
public:
    explicit CLayoutSwitch(QObject* parent = nullptr);
    ~CLayoutSwitch() override;

    void SetWidget(QWidget* widget);
    QWidget* GetWidget() const { return m_pWidget; }
    /// Registers `parent` under `name`, with the layout the widget is added to there (null:
    /// the widget is only given the parent). A name already present keeps its first parent;
    /// a null parent is ignored. False when nothing was registered.
    bool AddParentWidget(QString name, QWidget* parent, QLayout* layout);
    /// Takes the widget out of the present parent's layout (hiding that parent when `hideOld`)
    /// and, when `name` is registered, gives it that parent and its layout. Nothing happens
    /// without a content widget.
    void MoveToParentWidget(QString name, bool hideOld);
    /// The name of the parent the widget was last moved to; empty before the first move.
    QString GetCurrentParentName() const { return m_strCurrent; }
    bool HasParentWidget(const QString& name) const;

private:
    QPointer<QWidget> m_pWidget;
    QMap<QString, QPair<QPointer<QWidget>, QPointer<QLayout>>> m_mapParents;
    QString m_strCurrent;
};

} // namespace TesselGUIToolkit
