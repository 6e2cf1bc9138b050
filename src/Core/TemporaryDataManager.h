#pragma once

#include "Core/UiSingleton.h"
#include "nimbguitoolkit_export.h"

#include <QString>
#include <QVariant>

namespace TesselGUIToolkit {

/// Short-lived key/value store shared by the process. Kept in the platform's user settings
/// under the organisation "_Tessel_TemporaryData_", and wiped when the manager is created and
/// again when it is destroyed, so nothing survives from one run to the next.
class NIMBGUITOOLKIT_EXPORT CTemporaryDataManager : public CUiSingleton<CTemporaryDataManager>
{
public:
    void SetValue(const QString& key, const QVariant& value);
    QVariant GetValue(const QString& key, const QVariant& defaultValue = QVariant()) const;
    void RemoveKey(const QString& key);

private:
    friend class CUiSingleton<CTemporaryDataManager>;
    CTemporaryDataManager();
    ~CTemporaryDataManager() override;
    void Clear();
    void SetOrganizationName(const QString& name);

    QString m_strOrganizationName = QStringLiteral("_Tessel_TemporaryData_");
};

} // namespace TesselGUIToolkit
