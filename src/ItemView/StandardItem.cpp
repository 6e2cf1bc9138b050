#include "ItemView/StandardItem.h"

namespace TesselGUIToolkit {

CStandardItem::CStandardItem() = default;

CStandardItem::CStandardItem(const QString& text)
    : QStandardItem(text)
{
}

CStandardItem::CStandardItem(const QIcon& icon, const QString& text)
    : QStandardItem(icon, text)
{
}

CStandardItem::CStandardItem(int rows, int columns)
    : QStandardItem(rows, columns)
{
}

CStandardItem::~CStandardItem() = default;

// QStandardItem's copy constructor copies the data roles and flags but neither the children nor
// the model, which is what clone() wants.
CStandardItem::CStandardItem(const CStandardItem& other)
    : QStandardItem(other)
    , m_varExtraValue(other.m_varExtraValue)
{
}

CStandardItem& CStandardItem::operator=(const CStandardItem& other)
{
    QStandardItem::operator=(other);
    m_varExtraValue = other.m_varExtraValue;
    return *this;
}

int CStandardItem::type() const
{
    return Type;
}

QStandardItem* CStandardItem::clone() const
{
    return new CStandardItem(*this);
}

} // namespace TesselGUIToolkit
