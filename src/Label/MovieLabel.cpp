#include "Label/MovieLabel.h"

#include <QFileInfo>
#include <QMovie>

namespace TesselGUIToolkit {

CMovieLabel::CMovieLabel(QWidget* parent)
    : CLabel(parent)
{
    setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
}

CMovieLabel::CMovieLabel(const QString& moviePath, const QSize& size, QWidget* parent)
    : CMovieLabel(parent)
{
    SetMovie(moviePath, size);
}

CMovieLabel::~CMovieLabel() = default;

bool CMovieLabel::SetMovie(const QString& path, const QSize& size)
{
    ReleaseMovie();
    m_strMoviePath = path;
    // QMovie itself stays quiet about a missing file, but the image plug-ins it loads may not
    // (an SVG reader complains about unreadable files), so a missing file is never opened.
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;

    auto* movie = new QMovie(path, QByteArray(), this);
    if (!movie->isValid()) {
        delete movie;
        return false;
    }
    if (size.isValid())
        movie->setScaledSize(size);
    m_pMovie = movie;
    if (m_bShowText) {
        // The text keeps its place; the animation shows once the text is cleared.
        return true;
    }
    setMovie(m_pMovie);
    m_pMovie->start();
    return true;
}

void CMovieLabel::ShowText(const QString& text)
{
    if (text.isEmpty()) {
        m_bShowText = false;
        SetText(QString());
        if (m_pMovie) {
            setMovie(m_pMovie);
            m_pMovie->setPaused(false);
            if (m_pMovie->state() == QMovie::NotRunning)
                m_pMovie->start();
        }
        return;
    }
    m_bShowText = true;
    if (m_pMovie && m_pMovie->state() == QMovie::Running)
        m_pMovie->setPaused(true);
    // Setting a text also detaches the movie from QLabel.
    SetText(text);
}

void CMovieLabel::ReleaseMovie()
{
    if (!m_pMovie)
        return;
    QMovie* movie = m_pMovie;
    m_pMovie = nullptr;
    movie->stop();
    if (!m_bShowText)
        clear();
    delete movie;
}

} // namespace TesselGUIToolkit
