#pragma once

#include "nimbguitoolkit_export.h"

#include <QLabel>

namespace TesselGUIToolkit {

/// The toolkit's label. It keeps a main text and a suffix text (a unit, a counter, "*" for a
/// required field) and shows the two joined; QLabel::setText() sets the main text.
class NIMBGUITOOLKIT_EXPORT CLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString suffixText READ GetSuffixText WRITE SetSuffixText)
public:
    explicit CLabel(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    explicit CLabel(const QString& text, QWidget* parent = nullptr,
                    Qt::WindowFlags flags = Qt::WindowFlags());
    ~CLabel() override;

    void SetText(const QString& text);
    QString GetText() const { return m_strText; }
    void SetSuffixText(const QString& suffix);
    QString GetSuffixText() const { return m_strSuffixText; }

    /// Shown text: main text followed by the suffix (what QLabel::text() returns).
    QString GetShowText() const { return m_strText + m_strSuffixText; }

public Q_SLOTS:
    void setText(const QString& text);

private:
    void Refresh();

    QString m_strText;
    QString m_strSuffixText;
};

} // namespace TesselGUIToolkit
