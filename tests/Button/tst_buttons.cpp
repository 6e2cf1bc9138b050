#include "NimbGUIToolkit.h"

#include <QTest>

using namespace TesselGUIToolkit;

namespace {
// Width of the darkest-text columns painted by `button`: where text ends shows where it was cut.
QImage Render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

// First and last column holding a dark (text) pixel.
QPair<int, int> InkColumns(const QImage& image)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 80) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}
} // namespace

class tst_Buttons : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readDirectionDecidesMirroringAtConstruction_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<Qt::LayoutDirection>("layout");
        QTest::addColumn<Qt::TextElideMode>("elide");
        QTest::newRow("left to right") << 1 << Qt::LeftToRight << Qt::ElideRight;
        QTest::newRow("right to left") << 0 << Qt::RightToLeft << Qt::ElideLeft;
    }
    void readDirectionDecidesMirroringAtConstruction()
    {
        QFETCH(int, direction);
        QFETCH(Qt::LayoutDirection, layout);
        QFETCH(Qt::TextElideMode, elide);
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::ReadDirection(direction));
        CPushButton push(QStringLiteral("text"));
        CToolButton tool;
        CCheckBox check(QStringLiteral("check"));
        CLabel label(QStringLiteral("label"));
        ArbaricSetting::Instance().SetReadDirection(ArbaricSetting::LeftToRight);
        QCOMPARE(push.layoutDirection(), layout);
        QCOMPARE(tool.layoutDirection(), layout);
        QCOMPARE(check.layoutDirection(), layout);
        QCOMPARE(push.GetElideMode(), elide);
        QCOMPARE(bool(label.alignment() & Qt::AlignRight), direction == 0);
    }

    void longTextIsElidedButKept()
    {
        const QString text = QStringLiteral("A very long camera name that cannot fit the button");
        CPushButton button(text);
        button.setStyleSheet(QStringLiteral("color: black; background: white; border: none;"));
        button.resize(120, 30);
        const QImage cut = Render(button);
        QCOMPARE(button.text(), text);
        const auto ink = InkColumns(cut);
        QVERIFY(ink.first >= 0);
        QVERIFY2(ink.second < 120, "the text must stay inside the button");
        button.resize(2000, 30);
        const auto wide = InkColumns(Render(button));
        QVERIFY(wide.second - wide.first > ink.second - ink.first);
    }

    void labelShowsTextAndSuffix()
    {
        CLabel label(QStringLiteral("Cameras"));
        QCOMPARE(label.text(), QStringLiteral("Cameras"));
        label.SetSuffixText(QStringLiteral(" (64)"));
        QCOMPARE(label.text(), QStringLiteral("Cameras (64)"));
        QCOMPARE(label.GetText(), QStringLiteral("Cameras"));
        label.setText(QStringLiteral("Channels"));
        QCOMPARE(label.text(), QStringLiteral("Channels (64)"));
        QCOMPARE(label.GetShowText(), label.text());
        label.SetSuffixText(QString());
        QCOMPARE(label.text(), QStringLiteral("Channels"));
    }
};

QTEST_MAIN(tst_Buttons)
#include "tst_buttons.moc"
