#pragma once

#include "Core/UiSingleton.h"
#include "nimbguitoolkit_export.h"

#include <QFont>
#include <QObject>

class QStyle;

namespace TesselGUIToolkit {
class CLabel;
class CPushButton;
class CToolButton;

/// The font that supplies the toolkit's icon glyphs, and the client's "CTesselIconFontStyle"
/// style that draws them. Without the client's font resource the icon font is "Segoe UI" at
/// 14 px; without the style, glyph widgets keep their own style.
class NIMBGUITOOLKIT_EXPORT CIconFontLoader : public QObject, public CUiSingleton<CIconFontLoader>
{
    Q_OBJECT
public:
    QFont GetIconFont() const { return m_fontIcon; }
    QStyle* GetStyle() const { return m_pIconStyle; }
    /// Replaces the icon style (not owned; null allowed).
    void SetStyle(QStyle* style) { m_pIconStyle = style; }

    /// Shows `glyph` alone on the label, with `tip` as tool tip. Null labels are ignored.
    void SetIcon(CLabel* label, const QChar& glyph, const QString& tip);
    /// Shows `glyph` alone (iconOnly) or immediately followed by `text`; `text` is the tool tip.
    void SetIcon(CPushButton* button, const QChar& glyph, const QString& text, bool iconOnly);
    void SetIcon(CToolButton* button, const QChar& glyph, const QString& text, const bool& iconOnly);

private:
    friend class CUiSingleton<CIconFontLoader>;
    CIconFontLoader();
    ~CIconFontLoader() override;
    void Apply(QWidget* widget, const QString& text, const QString& tip) const;

    QFont m_fontIcon;
    QStyle* m_pIconStyle = nullptr;
};

} // namespace TesselGUIToolkit
