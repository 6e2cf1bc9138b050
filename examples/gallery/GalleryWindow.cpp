#include "GalleryWindow.h"

#include "Pages.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QHBoxLayout>
#include <QListWidget>
#include <QStackedWidget>

GalleryWindow::GalleryWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("NimbGUIToolkit gallery"));
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pPageList = new QListWidget(central);
    m_pPageList->setFixedWidth(170);
    m_pPageList->setStyleSheet(QStringLiteral(
        "QListWidget { background: #1f2630; color: #d8dee6; border: none; font-size: 14px; }"
        "QListWidget::item { padding: 10px 14px; }"
        "QListWidget::item:selected { background: #2d8cf0; color: white; }"));
    m_pPages = new QStackedWidget(central);
    layout->addWidget(m_pPageList);
    layout->addWidget(m_pPages, 1);
    setCentralWidget(central);
    connect(m_pPageList, &QListWidget::currentRowChanged, m_pPages, &QStackedWidget::setCurrentIndex);

    AddPage(QStringLiteral("Foundation"), CreateFoundationPage());
    AddPage(QStringLiteral("Dialogs"), CreateDialogsPage());
    AddPage(QStringLiteral("Live view"), CreateLiveViewPage());
    AddPage(QStringLiteral("Free layout"), CreateFreeLayoutPage());
    AddPage(QStringLiteral("Playback"), CreatePlaybackPage());
    m_pPageList->setCurrentRow(0);
    resize(1280, 800);
}

void GalleryWindow::AddPage(const QString& name, QWidget* page)
{
    m_pPageList->addItem(name);
    m_pPages->addWidget(page);
}

int GalleryWindow::PageCount() const
{
    return m_pPages->count();
}

QString GalleryWindow::PageName(int index) const
{
    return m_pPageList->item(index) ? m_pPageList->item(index)->text() : QString();
}

void GalleryWindow::ShowPage(int index)
{
    m_pPageList->setCurrentRow(index);
}

QStringList GalleryWindow::SaveScreenshots(const QString& folder)
{
    QDir().mkpath(folder);
    QStringList written;
    for (int i = 0; i < PageCount(); ++i) {
        ShowPage(i);
        // Let layouts, deferred resizes and the 300 ms layout animations finish before grabbing.
        QEventLoop settle;
        QTimer::singleShot(600, &settle, &QEventLoop::quit);
        settle.exec();
        const QString name = PageName(i).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
        const QString path = QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(i + 1, 2, 10, QLatin1Char('0')).arg(name));
        if (grab().save(path))
            written << path;
    }
    return written;
}
