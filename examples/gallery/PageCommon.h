#pragma once

#include <QGroupBox>
#include <QString>
#include <QVBoxLayout>

// A titled section of a gallery page.
inline QGroupBox* MakeSection(const QString& title, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setStyleSheet(QStringLiteral(
        "QGroupBox { font-weight: bold; border: 1px solid #d0d6de; border-radius: 4px; margin-top: 14px; padding: 8px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }"));
    return box;
}
