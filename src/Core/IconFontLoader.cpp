#include "Core/IconFontLoader.h"

#include "Button/PushButton.h"
#include "Button/ToolButton.h"
#include "Core/UiSingleton_impl_p.h"
#include "Label/Label.h"

#include <QFile>
#include <QFontDatabase>
#include <QStyle>
#include <QStyleFactory>

namespace TesselGUIToolkit {

template class CUiSingleton<CIconFontLoader>;

CIconFontLoader::CIconFontLoader()
    : QObject(nullptr)
{
    m_pIconStyle = QStyleFactory::create(QStringLiteral("CTesselIconFontStyle"));
    const QString fontPath = QStringLiteral(":/Kestrel/Public/Images/Kestrel.ttf");
    // addApplicationFont warns about a missing file; a client without the font is normal.
    const int id = QFile::exists(fontPath) ? QFontDatabase::addApplicationFont(fontPath) : -1;
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    if (!families.isEmpty()) {
        m_fontIcon = QFont(families.first());
    } else {
        m_fontIcon = QFont(QStringLiteral("Segoe UI"));
        m_fontIcon.setPixelSize(14);
    }
}

CIconFontLoader::~CIconFontLoader() = default;

void CIconFontLoader::Apply(QWidget* widget, const QString& text, const QString& tip) const
{
    if (m_pIconStyle && m_pIconStyle != widget->style())
        widget->setStyle(m_pIconStyle);
    widget->setFont(m_fontIcon);
    if (auto* label = qobject_cast<CLabel*>(widget))
        label->SetText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    widget->setToolTip(tip);
}

void CIconFontLoader::SetIcon(CLabel* label, const QChar& glyph, const QString& tip)
{
    if (label)
        Apply(label, QString(glyph), tip);
}

void CIconFontLoader::SetIcon(CPushButton* button, const QChar& glyph, const QString& text,
                              bool iconOnly)
{
    if (button)
        Apply(button, iconOnly ? QString(glyph) : QString(glyph) + text, text);
}

void CIconFontLoader::SetIcon(CToolButton* button, const QChar& glyph, const QString& text,
                              const bool& iconOnly)
{
    if (button)
        Apply(button, iconOnly ? QString(glyph) : QString(glyph) + text, text);
}

} // namespace TesselGUIToolkit
