#pragma once

#include <QMainWindow>

class QListWidget;
class QStackedWidget;

/// The showcase: one page per widget family, chosen from a list on the left.
class GalleryWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit GalleryWindow(QWidget* parent = nullptr);

    int PageCount() const;
    QString PageName(int index) const;
    void ShowPage(int index);

    /// Renders every page into `folder` as NN-name.png; returns the written file paths.
    QStringList SaveScreenshots(const QString& folder);

private:
    void AddPage(const QString& name, QWidget* page);

    QListWidget* m_pPageList = nullptr;
    QStackedWidget* m_pPages = nullptr;
};
