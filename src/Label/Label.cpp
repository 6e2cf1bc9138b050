#include "Label/Label.h"

#include "Core/ArbaricSetting.h"

namespace TesselGUIToolkit {

CLabel::CLabel(QWidget* parent, Qt::WindowFlags flags)
    : CLabel(QString(), parent, flags)
{
}

CLabel::CLabel(const QString& text, QWidget* parent, Qt::WindowFlags flags)
    : QLabel(parent, flags)
    , m_strText(text)
{
    if (ArbaricSetting::Instance().GetReadDirection() == ArbaricSetting::RightToLeft)
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Refresh();
}

CLabel::~CLabel() = default;

void CLabel::SetText(const QString& text)
{
    if (text == m_strText && QLabel::text() == GetShowText())
        return;
    m_strText = text;
    Refresh();
}

void CLabel::setText(const QString& text)
{
    SetText(text);
}

void CLabel::SetSuffixText(const QString& suffix)
{
    if (suffix == m_strSuffixText)
        return;
    m_strSuffixText = suffix;
    Refresh();
}

void CLabel::Refresh()
{
    QLabel::setText(GetShowText());
}

} // namespace TesselGUIToolkit
