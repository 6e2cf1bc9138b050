#pragma once

#include "nimbguitoolkit_export.h"

#include <QStandardItem>
#include <QVariant>

namespace TesselGUIToolkit {

/// The toolkit's standard item: a QStandardItem that carries one extra value of the client's
/// (an id, a pointer wrapped in a QVariant ...) beside its data roles. The extra value is not a
/// data role, so views and proxies never see it; clone() and CopyModelData keep it.
class NIMBGUITOOLKIT_EXPORT CStandardItem : public QStandardItem
{
public:
    enum { Type = QStandardItem::UserType + 1 };

    CStandardItem();
    explicit CStandardItem(const QString& text);
    CStandardItem(const QIcon& icon, const QString& text);
    CStandardItem(int rows, int columns = 1);
    ~CStandardItem() override;

    void SetExtraValue(const QVariant& value) { m_varExtraValue = value; }
    QVariant GetExtraValue() const { return m_varExtraValue; }

    int type() const override;
    /// A new item with the same data, flags and extra value; children are not copied.
    QStandardItem* clone() const override;

protected:
    CStandardItem(const CStandardItem& other);
    CStandardItem& operator=(const CStandardItem& other);

private:
    QVariant m_varExtraValue;
};

} // namespace TesselGUIToolkit
