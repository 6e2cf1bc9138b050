#include "Core/TemporaryDataManager.h"

#include "Core/UiSingleton_impl_p.h"

#include <QSettings>

namespace TesselGUIToolkit {

template class CUiSingleton<CTemporaryDataManager>;

CTemporaryDataManager::CTemporaryDataManager()
{
    Clear();
}

CTemporaryDataManager::~CTemporaryDataManager()
{
    Clear();
}

void CTemporaryDataManager::SetValue(const QString& key, const QVariant& value)
{
    if (key.isEmpty())
        return;
    QSettings settings(m_strOrganizationName, QString());
    settings.setValue(key, value);
}

QVariant CTemporaryDataManager::GetValue(const QString& key, const QVariant& defaultValue) const
{
    if (key.isEmpty())
        return defaultValue;
    const QSettings settings(m_strOrganizationName, QString());
    return settings.value(key, defaultValue);
}

void CTemporaryDataManager::RemoveKey(const QString& key)
{
    // QSettings::remove("") would wipe every key of the store.
    if (key.isEmpty())
        return;
    QSettings settings(m_strOrganizationName, QString());
    settings.remove(key);
}

void CTemporaryDataManager::Clear()
{
    QSettings settings(m_strOrganizationName, QString());
    settings.clear();
}

void CTemporaryDataManager::SetOrganizationName(const QString& name)
{
    m_strOrganizationName = name;
}

} // namespace TesselGUIToolkit
