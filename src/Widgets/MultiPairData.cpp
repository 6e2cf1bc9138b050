#include "Widgets/MultiPairData.h"

namespace TesselGUIToolkit {

CPairData::CPairData(const QVariant& first, const QVariant& second)
    : m_varFirst(first)
    , m_varSecond(second)
{
}

int CMultiPairData::IndexOf(const QVariant& first) const
{
    for (int i = 0; i < m_vecPairData.size(); ++i) {
        if (m_vecPairData.at(i).GetFirst() == first)
            return i;
    }
    return -1;
}

void CMultiPairData::InsertPairData(const QVariant& first, const QVariant& second)
{
    const int index = IndexOf(first);
    if (index < 0) {
        m_vecPairData.append(CPairData(first, second));
        return;
    }
    if (!second.isValid()) {
        m_vecPairData.remove(index);
        return;
    }
    if (m_vecPairData.at(index).GetSecond() != second)
        m_vecPairData[index].SetSecond(second);
}

void CMultiPairData::RemovePairData(const QVariant& first)
{
    const int index = IndexOf(first);
    if (index >= 0)
        m_vecPairData.remove(index);
}

QVariant CMultiPairData::GetPairData(const QVariant& first) const
{
    const int index = IndexOf(first);
    return index >= 0 ? m_vecPairData.at(index).GetSecond() : QVariant();
}

} // namespace TesselGUIToolkit
