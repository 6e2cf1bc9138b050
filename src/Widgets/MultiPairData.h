#pragma once

#include "nimbguitoolkit_export.h"

#include <QVariant>
#include <QVector>

namespace TesselGUIToolkit {

/// One key/value pair of CMultiPairData.
class NIMBGUITOOLKIT_EXPORT CPairData
{
public:
    CPairData() = default;
    CPairData(const QVariant& first, const QVariant& second);

    void SetFirst(const QVariant& first) { m_varFirst = first; }
    QVariant GetFirst() const { return m_varFirst; }
    void SetSecond(const QVariant& second) { m_varSecond = second; }
    QVariant GetSecond() const { return m_varSecond; }

private:
    QVariant m_varFirst;
    QVariant m_varSecond;
};

/// Ordered key/value list with QVariant keys and values, kept in insertion order.
class NIMBGUITOOLKIT_EXPORT CMultiPairData
{
public:
    /// Appends a new key; for a known key an invalid `second` removes the pair, any other
    /// value replaces it.
    void InsertPairData(const QVariant& first, const QVariant& second);
    void RemovePairData(const QVariant& first);
    /// The value of `first`, or an invalid QVariant for an unknown key.
    QVariant GetPairData(const QVariant& first) const;

    int Count() const { return m_vecPairData.size(); }
    const QVector<CPairData>& GetAllPairData() const { return m_vecPairData; }
    void Clear() { m_vecPairData.clear(); }

private:
    int IndexOf(const QVariant& first) const;

    QVector<CPairData> m_vecPairData;
};

} // namespace TesselGUIToolkit
