#include "PageCommon.h"
#include "Pages.h"

#include "NimbGUIToolkit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QThread>
#include <QTimer>

#include <utility>

using namespace TesselGUIToolkit;

namespace {

// The client styles the dialog parts by object name; this is the gallery's version of that.
const char* const kDialogStyle = R"(
#m_pTitleWidget { background: #2b3440; }
#m_pTitleWidget QLabel { color: #ffffff; font-family: "Segoe UI"; font-size: 14px; padding-left: 10px; }
#m_pDialogCloseBtn, #m_pDialogMinBtn, #m_pFullSizeBtn, #m_pNormalSizeBtn, #m_pDialogSizeBtn {
    border: none; background: transparent; color: #ffffff; }
#m_pDialogCloseBtn { image: url(:/Kestrel/Public/Icon/Images/Public/Icon/ic_delete_nor.svg); }
#m_pDialogCloseBtn:hover { background: #e81123; }
#m_pDialogMinBtn { image: url(:/TesselDesk/Gallery/minimize.svg); }
#m_pFullSizeBtn, #m_pDialogSizeBtn { image: url(:/TesselDesk/Gallery/maximize.svg); }
#m_pNormalSizeBtn { image: url(:/TesselDesk/Gallery/restore.svg); }
#m_pDialogMinBtn:hover, #m_pFullSizeBtn:hover, #m_pNormalSizeBtn:hover { background: #3d4a5a; }
#m_pContentFrame, #m_pWithBottomFrame { background: #ffffff; }
#m_pBottomFrame { background: #f5f7fa; }
#m_pConfirmBtn { background: #2d8cf0; color: white; border: none; border-radius: 2px; min-width: 80px; min-height: 28px; }
#m_pCancelBtn, #m_pLeftBtn { background: white; color: #333; border: 1px solid #c8ced6; border-radius: 2px; min-width: 80px; min-height: 28px; }
)";

// Styled before its parts are configured: Qt polishes a part that is shown before the dialog
// gets its style sheet with the parent's style only.
template <typename Dialog, typename... Args>
Dialog* MakeStyled(Args&&... args)
{
    auto* dialog = new Dialog(std::forward<Args>(args)...);
    dialog->setStyleSheet(QString::fromLatin1(kDialogStyle));
    return dialog;
}

QLabel* Snapshot(QWidget* dialog, QWidget* parent)
{
    dialog->ensurePolished();
    if (dialog->layout())
        dialog->layout()->activate();
    auto* label = new QLabel(parent);
    label->setPixmap(dialog->grab());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* MakeContent(const QString& text)
{
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* label = new CLabel(text, content);
    label->setWordWrap(true);
    layout->addWidget(label);
    layout->addStretch();
    return content;
}

} // namespace

QWidget* CreateDialogsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("DialogsPage"));
    page->setStyleSheet(QStringLiteral("#DialogsPage { background: #e9edf2; }"));
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(16);

    // Dialogs are windows of their own; the page shows how each one looks, then the buttons
    // below open the real thing.
    auto* frame = MakeStyled<CBaseDialog>(page);
    frame->SetTitle(QStringLiteral("Device properties"));
    frame->SetMinBtnVisible(true);
    frame->SetSizeBtnVisible(true);
    frame->OnUpdateSizeBtnState();
    frame->SetContentWnd(MakeContent(QStringLiteral("Camera 12, entrance hall.\nStream: main, 2560 x 1440, 25 fps.")));
    frame->resize(428, 240);
    layout->addWidget(Snapshot(frame, page), 0, 0);

    auto* confirm = MakeStyled<CBaseDialogWithBottom>(page);
    confirm->SetTitle(QStringLiteral("Delete recordings"));
    confirm->SetContentWnd(MakeContent(QStringLiteral("Delete the 312 selected recordings of channel 7? This cannot be undone.")));
    confirm->SetLeftBtnVisible(true);
    confirm->GetLeftBtn()->setText(QStringLiteral("Export first"));
    confirm->SetLineVisible(true);
    confirm->SetConfirmBtnText(QStringLiteral("Delete"));
    confirm->SetCancelBtnText(QStringLiteral("Keep"));
    confirm->resize(428, 240);
    layout->addWidget(Snapshot(confirm, page), 0, 1);

    auto* busy = MakeStyled<CChaseDialog>(page, QString(), QStringLiteral("Searching recordings of 64 channels..."), true);
    busy->OnSetProgressValue(42);
    layout->addWidget(Snapshot(busy, page), 1, 0);

    auto* cancel = MakeStyled<CCancelDialog>(page, QStringLiteral("Exporting clip of channel 3 (14:00-14:30)..."),
                                     QStringLiteral("Cancelling export..."), QString());
    layout->addWidget(Snapshot(cancel, page), 1, 1);

    auto* open = new CPushButton(QStringLiteral("Open the dialog frame"), page);
    QObject::connect(open, &QPushButton::clicked, frame, [frame] {
        frame->SetTitleDoubleClickEnable(true);
        frame->show();
    });
    auto* wait = new CPushButton(QStringLiteral("Run a 2 s task behind the busy dialog"), page);
    QObject::connect(wait, &QPushButton::clicked, page, [page] {
        CWaitWatcher::Instance().RunBehindDialog(page, [] { QThread::sleep(2); });
    });
    layout->addWidget(open, 2, 0, Qt::AlignLeft);
    layout->addWidget(wait, 2, 1, Qt::AlignLeft);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(2, 1);
    return page;
}
