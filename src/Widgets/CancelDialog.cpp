#include "Widgets/CancelDialog.h"

#include "Button/PushButton.h"
#include "Label/Label.h"
#include "Label/MovieLabel.h"

#include <QHBoxLayout>

namespace TesselGUIToolkit {

CCancelDialog::CCancelDialog(QWidget* parent, const QString& text, const QString& secondText,
                             const QString& moviePath)
    : CBaseDialogWithBottom(parent)
    , m_strSecondText(secondText)
{
    setFixedSize(400, 180);
    // Only cancel ends the task; a close from the title bar would leave it running unseen.
    SetCloseBtnVisible(false);
    SetConfirmBtnVisible(false);

    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("ptr_cancel_content_"));
    auto* row = new QHBoxLayout(content);
    row->setSpacing(10);
    row->setContentsMargins(0, 0, 0, 0);
    if (!moviePath.isEmpty()) {
        m_pMovieLabel = new CMovieLabel(content);
        m_pMovieLabel->setObjectName(QStringLiteral("ptr_movie_label_"));
        m_pMovieLabel->SetMovie(moviePath, QSize(54, 54));
        row->addWidget(m_pMovieLabel);
    }
    m_pTextLabel = new CLabel(text, content);
    m_pTextLabel->setObjectName(QStringLiteral("ptr_text_label_"));
    m_pTextLabel->setWordWrap(true);
    m_pTextLabel->setAlignment(Qt::AlignCenter);
    row->addWidget(m_pTextLabel, 1);
    SetContentWnd(content);

    ReConnect(GetCancelBtn(), SIGNAL(clicked()), this, SLOT(OnCancelBtnClicked()));
}

CCancelDialog::~CCancelDialog() = default;

QString CCancelDialog::GetText() const
{
    return m_pTextLabel->GetText();
}

void CCancelDialog::OnCancelBtnClicked()
{
    if (m_bCancelRequested)
        return;
    m_bCancelRequested = true;
    if (!m_strSecondText.isEmpty())
        m_pTextLabel->SetText(m_strSecondText);
    GetCancelBtn()->setEnabled(false);
    Q_EMIT SignalCancel();
}

} // namespace TesselGUIToolkit
