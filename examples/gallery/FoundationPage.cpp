#include "PageCommon.h"
#include "Pages.h"
#include "SampleWindows.h"
#include "ui_foundationform.h"

#include "NimbGUIToolkit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

using namespace TesselGUIToolkit;

namespace {

QWidget* CreateButtonsSection(QWidget* parent)
{
    auto* section = MakeSection(QStringLiteral("Buttons and labels (Designer form)"), parent);
    auto* layout = new QVBoxLayout(section);
    auto* form = new QWidget(section);
    auto* ui = new Ui::FoundationForm;
    ui->setupUi(form);
    ui->m_pCameraCountLabel->SetSuffixText(QStringLiteral(": 64"));
    // Glyphs come from the client's icon font; with the stand-in font plain symbols are shown.
    CIconFontLoader::Instance().SetIcon(ui->m_pGlyphLabel, QChar(0x25B6), QStringLiteral("Play"));
    layout->addWidget(form);
    delete ui; // the form's widgets belong to `form`; the helper struct is not needed any more

    auto* glyphRow = new QHBoxLayout;
    const QList<QPair<QChar, QString>> glyphs = {{QChar(0x25B6), QStringLiteral("Play")},
                                                 {QChar(0x2016), QStringLiteral("Pause")},
                                                 {QChar(0x25A0), QStringLiteral("Stop")},
                                                 {QChar(0x2699), QStringLiteral("Settings")}};
    for (const auto& glyph : glyphs) {
        auto* button = new CPushButton(section);
        CIconFontLoader::Instance().SetIcon(button, glyph.first, glyph.second, false);
        glyphRow->addWidget(button);
    }
    auto* tool = new CToolButton(section);
    CIconFontLoader::Instance().SetIcon(tool, QChar(0x2B07), QStringLiteral("Download"), true);
    glyphRow->addWidget(tool);
    auto* check = new CCheckBox(QStringLiteral("Loop playback"), section);
    check->setChecked(true);
    glyphRow->addWidget(check);
    glyphRow->addStretch();
    layout->addLayout(glyphRow);
    return section;
}

QWidget* CreateWallSection(QWidget* parent)
{
    auto* section = MakeSection(QStringLiteral("Play windows (CGUIBaseWidget): click to select"), parent);
    auto* grid = new QGridLayout(section);
    grid->setSpacing(2);
    QList<SampleCameraWindow*> windows;
    for (int i = 0; i < 16; ++i) {
        auto* window = new SampleCameraWindow(i + 1, section);
        window->setMinimumSize(120, 68);
        grid->addWidget(window, i / 4, i % 4);
        windows << window;
    }
    for (SampleCameraWindow* window : windows) {
        QObject::connect(window, &CGUIBaseWidget::SignalWndSelected, section, [window, windows] {
            for (SampleCameraWindow* other : windows)
                other->SetSelected(other == window);
        });
    }
    windows.at(5)->SetSelected(true);
    windows.at(10)->SetIsTrackWnd(true);
    return section;
}

QWidget* CreateSizeFactorySection(QWidget* parent)
{
    auto* section = MakeSection(QStringLiteral("Frameless window: maximise, full screen, restore"), parent);
    auto* layout = new QVBoxLayout(section);
    auto* state = new CLabel(QStringLiteral("Window state: "), section);
    state->SetSuffixText(QStringLiteral("normal"));
    // One frameless, edge-resizable window driven by the size factory.
    auto* window = new CWidget(section, Qt::Window | Qt::FramelessWindowHint);
    window->setObjectName(QStringLiteral("ptr_frameless_demo_"));
    window->setStyleSheet(QStringLiteral("#ptr_frameless_demo_ { background: #26313d; }"));
    window->resize(480, 270);
    auto* factory = new CWidgetSizeFactory;
    QObject::connect(section, &QObject::destroyed, [factory] { delete factory; });
    auto refresh = [state, window] {
        static const char* names[] = {"normal", "maximised", "full screen"};
        const uint value = window->property("_scc_WidgetSizeFactory_").toUInt();
        state->SetSuffixText(QString::fromLatin1(names[qMin<uint>(value, 2)]));
    };
    auto* row = new QHBoxLayout;
    auto* show = new CPushButton(QStringLiteral("Show window"), section);
    auto* maximise = new CPushButton(QStringLiteral("Maximise"), section);
    auto* full = new CPushButton(QStringLiteral("Full screen"), section);
    auto* normal = new CPushButton(QStringLiteral("Restore"), section);
    QObject::connect(show, &QPushButton::clicked, window, [window] { window->show(); });
    QObject::connect(maximise, &QPushButton::clicked, window, [=] { factory->ShowMaximized(window); refresh(); });
    QObject::connect(full, &QPushButton::clicked, window, [=] { factory->ShowFullScreen(window, true); refresh(); });
    QObject::connect(normal, &QPushButton::clicked, window, [=] {
        factory->ShowNormal(window, QSize(480, 270), false);
        refresh();
    });
    for (QWidget* button : {static_cast<QWidget*>(show), static_cast<QWidget*>(maximise),
                            static_cast<QWidget*>(full), static_cast<QWidget*>(normal)})
        row->addWidget(button);
    row->addStretch();
    layout->addLayout(row);
    layout->addWidget(state);
    return section;
}

} // namespace

QWidget* CreateFoundationPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("FoundationPage"));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(CreateButtonsSection(page));
    layout->addWidget(CreateWallSection(page), 1);
    layout->addWidget(CreateSizeFactorySection(page));
    return page;
}
