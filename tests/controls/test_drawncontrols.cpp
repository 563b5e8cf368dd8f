// The drawn controls, checked by their pixels as a host shows them, and the close button
// driven by the mouse.
#include "controls/DrawnControlGeometry.h"
#include "controls/TransparentCloseButton.h"
#include "controls/TransparentLabel.h"
#include "controls/XPStyleProgressBar.h"
#include "controls/XPStyleStatusBarPanel.h"
#include "tests/support/WaitFor.h"

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace DrawnControlGeometry;

namespace {

QImage picture(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

bool isShown(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 255;
}

int shownCount(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isShown(image, x, y) ? 1 : 0;
    return count;
}

QRect shownBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isShown(image, x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Every shown pixel has the colour, and there is at least one.
void expectOnlyColor(const QImage &image, const QColor &color)
{
    int shown = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isShown(image, x, y)) {
                ++shown;
                ASSERT_EQ(QColor(image.pixel(x, y)), color) << "at " << x << "," << y;
            }
    EXPECT_GT(shown, 0);
}

} // namespace

TEST(DrawnControlGeometry, ProgressFillFollowsTheValueWithinTheWidth)
{
    EXPECT_EQ(progressFillWidth(3000, 50), 1500);
    EXPECT_EQ(progressFillWidth(3000, 0), 0);
    EXPECT_EQ(progressFillWidth(3000, -5), 0);
    EXPECT_EQ(progressFillWidth(3000, 100), 3000);
    EXPECT_EQ(progressFillWidth(3000, 250), 3000);
    // Halves go to the even neighbour: 15.75 x 2 = 31.5, 15.75 x 6 = 94.5.
    EXPECT_EQ(progressFillWidth(1575, 2), 32);
    EXPECT_EQ(progressFillWidth(1575, 6), 94);
    // Wide bars and large values stay exact where 16-bit arithmetic would overflow.
    EXPECT_EQ(progressFillWidth(60000, 99), 59400);
    EXPECT_EQ(progressFillWidth(60000, 32767), 60000);
}

TEST(DrawnControlGeometry, PanelFrameAndCrossLines)
{
    const QVector<QLineF> frame = statusBarPanelFrame(1215, 300);
    ASSERT_EQ(frame.size(), 4);
    EXPECT_EQ(frame[1], QLineF(0, 290, 1215, 290));
    EXPECT_EQ(frame[3], QLineF(1205, 0, 1205, 300));
    EXPECT_EQ(closeButtonCross().size(), 4);
    EXPECT_EQ(twipsToPixels(300), 20);
    EXPECT_EQ(twipsToPixels(185), 12);
    EXPECT_EQ(twipsToPixels(260), 17);
}

TEST(TransparentLabel, ShowsItsTextInBlackOnTheSurfaceOnly)
{
    TransparentLabel label;
    label.resize(120, 50);
    EXPECT_EQ(label.height(), 20);
    label.setLabelText(QStringLiteral("Address:"));
    EXPECT_EQ(label.LabelText(), QStringLiteral("Address:"));

    const QImage image = picture(label);
    expectOnlyColor(image, Qt::black);
    // The surface starts 40 twips down; the text 2 pixels from its left and 4 from its top.
    const QRect bounds = shownBounds(image);
    EXPECT_GE(bounds.left(), LabelTextLeftPixels);
    EXPECT_GE(bounds.top(), twipsToPixels(40) + LabelTextTopPixels);
    EXPECT_LE(bounds.left(), LabelTextLeftPixels + 2);

    // In the window's own font, descenders and all: as tall as the font draws the text anywhere.
    EXPECT_EQ(QFontInfo(label.font()).pixelSize(), QFontInfo(QApplication::font()).pixelSize());
    label.setLabelText(QStringLiteral("Typing gjpqy"));
    QImage unbounded(200, 60, QImage::Format_RGB32);
    unbounded.fill(Qt::white);
    {
        QPainter painter(&unbounded);
        painter.setFont(label.font());
        painter.drawText(QPoint(0, 30), label.LabelText());
    }
    int rows = 0;
    for (int y = 0; y < unbounded.height(); ++y)
        for (int x = 0; x < unbounded.width(); ++x)
            if (unbounded.pixel(x, y) != QColor(Qt::white).rgb()) {
                ++rows;
                break;
            }
    EXPECT_EQ(shownBounds(picture(label)).height(), rows);

    label.setLabelText(QString());
    EXPECT_EQ(shownCount(picture(label)), 0);
}

TEST(TransparentLabel, KeepsItsTextInPlaceWhenResized)
{
    TransparentLabel label;
    label.resize(120, 20);
    label.setLabelText(QStringLiteral("Popup Blocker is On"));
    const QImage before = picture(label);

    label.resize(200, 20);
    const QImage after = picture(label);
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            ASSERT_EQ(isShown(before, x, y), isShown(after, x, y)) << "at " << x << "," << y;
}

TEST(XPStyleStatusBarPanel, DrawsAOnePixelFrameInTheDarkBorderColour)
{
    XPStyleStatusBarPanel panel;
    panel.resize(81, 40);
    EXPECT_EQ(panel.height(), 20);

    QImage image = picture(panel);
    expectOnlyColor(image, QColor(0x80, 0x80, 0x80));
    for (int x = 0; x < 81; ++x) {
        EXPECT_TRUE(isShown(image, x, 0));
        EXPECT_TRUE(isShown(image, x, 19));
    }
    for (int y = 0; y < 20; ++y) {
        EXPECT_TRUE(isShown(image, 0, y));
        EXPECT_TRUE(isShown(image, 80, y));
    }
    EXPECT_EQ(shownCount(image), 2 * 81 + 2 * 18);

    panel.setBorderColorLight(Qt::white);
    EXPECT_EQ(picture(panel), image);
    panel.setBorderColorDark(QColor(10, 20, 30));
    EXPECT_EQ(panel.BorderColorDark(), QColor(10, 20, 30));
    expectOnlyColor(picture(panel), QColor(10, 20, 30));

    panel.resize(30, 20);
    image = picture(panel);
    EXPECT_TRUE(isShown(image, 29, 10));
    EXPECT_FALSE(isShown(image, 15, 10));
}

TEST(XPStyleProgressBar, FillsFromTheLeftByTheValue)
{
    XPStyleProgressBar bar;
    bar.resize(200, 30); // 3000 twips wide
    EXPECT_EQ(bar.height(), 12);

    bar.setProgress(50);
    QImage image = picture(bar);
    expectOnlyColor(image, QColor(0, 0, 0xC0));
    EXPECT_EQ(shownBounds(image), QRect(0, 0, 100, 12));
    EXPECT_EQ(shownCount(image), 100 * 12);

    bar.setProgress(0);
    EXPECT_EQ(shownCount(picture(bar)), 0);

    bar.setProgress(32767);
    EXPECT_EQ(shownBounds(picture(bar)), QRect(0, 0, 200, 12));
    bar.setProgress(-3);
    EXPECT_EQ(shownCount(picture(bar)), 0);
}

TEST(XPStyleProgressBar, KeepsItsFillOverAResizeUntilTheNextValue)
{
    XPStyleProgressBar bar;
    bar.resize(200, 12);
    bar.setProgress(25);
    bar.setParentBackColor(Qt::red);
    EXPECT_EQ(bar.ParentBackColor(), QColor(Qt::red));

    bar.resize(400, 12);
    EXPECT_EQ(shownBounds(picture(bar)), QRect(0, 0, 50, 12));
    bar.setProgress(25);
    EXPECT_EQ(shownBounds(picture(bar)), QRect(0, 0, 100, 12));
}

class CloseButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.resize(100, 100);
        button = new TransparentCloseButton(&host);
        button->move(40, 40);
        button->setBackColorLight(light);
        button->setBackColorDark(dark);
        QCursor::setPos(host.mapToGlobal(QPoint(5, 5)));
        host.show();
        ASSERT_TRUE(WaitUntil([&] { return Exposed(&host); }));
    }

    QWidget host;
    TransparentCloseButton *button = nullptr;
    const QColor light{0x80, 0x80, 0x80};
    const QColor dark{0x20, 0x40, 0xA0};
};

TEST_F(CloseButtonTest, DrawsADoubledCrossInTheNormalColour)
{
    EXPECT_EQ(button->size(), QSize(17, 17));
    const QImage image = picture(*button);
    expectOnlyColor(image, light);
    EXPECT_TRUE(isShown(image, 8, 8));
    EXPECT_FALSE(isShown(image, 0, 0));
    EXPECT_FALSE(isShown(image, 16, 16));
    EXPECT_FALSE(isShown(image, 8, 2));
    const QRect bounds = shownBounds(image);
    EXPECT_GE(bounds.left(), 4);
    EXPECT_LE(bounds.right(), 14);
}

TEST_F(CloseButtonTest, ShowsTheHoverColourWhileThePointerIsOver)
{
    QSignalSpy entered(button, &TransparentCloseButton::MouseEnter);
    QSignalSpy left(button, &TransparentCloseButton::MouseLeave);

    QTest::mouseMove(button, QPoint(8, 8));
    ASSERT_EQ(WaitForValue([&] { return entered.count(); }, 1), 1);
    expectOnlyColor(picture(*button), dark);
    QTest::mouseMove(button, QPoint(3, 12));
    QTest::mouseMove(button, QPoint(12, 3));
    ASSERT_TRUE(WaitForQueuedCalls());
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(left.count(), 0);

    QTest::mouseMove(&host, QPoint(90, 90));
    ASSERT_EQ(WaitForValue([&] { return left.count(); }, 1), 1);
    EXPECT_EQ(entered.count(), 1);
    expectOnlyColor(picture(*button), light);

    // Colours set while the pointer is away take effect at once, without a hover.
    button->setBackColorLight(Qt::red);
    expectOnlyColor(picture(*button), Qt::red);
    EXPECT_EQ(entered.count(), 1);
}

TEST_F(CloseButtonTest, ReportsEveryClick)
{
    QSignalSpy clicks(button, &TransparentCloseButton::ButtonClick);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(2, 14));
    EXPECT_EQ(clicks.count(), 3);
    // After a click the button shows its normal colour.
    expectOnlyColor(picture(*button), light);

    // A press dragged off the button is no click.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseMove(button, QPoint(40, 40));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(clicks.count(), 3);
}
