#pragma once

#include "nimbguitoolkit_export.h"

#include <QFrame>

class QFont;

namespace TesselGUIToolkit {

/// Base of the toolkit's framed widgets.
class NIMBGUITOOLKIT_EXPORT CFrame : public QFrame
{
    Q_OBJECT
public:
    explicit CFrame(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CFrame() override;

    /// Breaks `text` into lines no wider than `width` pixels in `font`. With `maxLines` >= 1 at
    /// most that many lines are kept, the last one holding the rest of the text elided on the
    /// right. Text that already fits is left unchanged; a width below 1 leaves it unchanged too.
    static void ConvertToSpecialString(QString& text, const QFont& font, int width, int maxLines);
};

} // namespace TesselGUIToolkit
