#include "BalloonWidget.h"
#include "cToolTipEx.h"
#include "WidgetHandle.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int Patience = 10000;

// A shown form with one button, its tips created as the main window does, but quick.
class BalloonTest : public testing::Test
{
protected:
    BalloonTest()
    {
        form.resize(300, 200);
        button.setGeometry(20, 20, 120, 30);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    void createTips(qint32 visibleTime)
    {
        tips.CreateToolTip(WidgetHandle(&form), TTS_BALLOON, TTI_INFO,
                           QStringLiteral("Skin Manager"), 100, 50, visibleTime);
    }

    // Comes from outside: a move to where the pointer already is does not count.
    void restOnButton()
    {
        QTest::mouseMove(&form, QPoint(250, 150));
        QTest::mouseMove(&button, button.rect().center());
    }

    BalloonWidget *balloon() const { return form.findChild<BalloonWidget *>(); }

    bool balloonShown() const { return balloon() && balloon()->isVisible(); }

    QLabel *shownLabel(const QString &text) const
    {
        for (QLabel *label : balloon()->findChildren<QLabel *>())
            if (label->isVisible() && label->text() == text)
                return label;
        return nullptr;
    }

    QWidget form;
    QPushButton button{QStringLiteral("Применить скин"), &form};
    cToolTipEx tips;
};

TEST_F(BalloonTest, RestingOnAControlShowsTitleAndTextUntilTheVisibleTimeEnds)
{
    createTips(2000);
    tips.AddToolTip(WidgetHandle(&button),
                    QStringLiteral("Список скинов доступных для применения.\r\n"
                                   "Файлы находятся в Kelvora\\Skins"));
    restOnButton();

    ASSERT_TRUE(QTest::qWaitFor([this] { return balloonShown(); }, Patience));
    EXPECT_TRUE(shownLabel(QStringLiteral("Skin Manager")));
    QLabel *text = shownLabel(QStringLiteral("Список скинов доступных для применения.\n"
                                             "Файлы находятся в Kelvora\\Skins"));
    ASSERT_TRUE(text);
    EXPECT_LE(text->width(), 100);
    EXPECT_GT(text->height(), 3 * text->fontMetrics().height());

    // The stem's tip sits just below the pointer, over the control.
    const QPoint pointer = button.mapToGlobal(button.rect().center());
    const QRect frame = balloon()->frameGeometry();
    EXPECT_GE(pointer.x(), frame.left());
    EXPECT_LE(pointer.x(), frame.right());
    EXPECT_NEAR(frame.top(), pointer.y(), 4);

    EXPECT_TRUE(QTest::qWaitFor([this] { return !balloonShown(); }, Patience));
}

TEST_F(BalloonTest, LeavingOrClickingHidesTheBalloon)
{
    createTips(60000);
    tips.AddToolTip(WidgetHandle(&button), QStringLiteral("Меняет скин на выбраный"));

    restOnButton();
    ASSERT_TRUE(QTest::qWaitFor([this] { return balloonShown(); }, Patience));
    QTest::mouseMove(&form, QPoint(250, 150));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !balloonShown(); }, Patience));

    restOnButton();
    ASSERT_TRUE(QTest::qWaitFor([this] { return balloonShown(); }, Patience));
    QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !balloonShown(); }, Patience));
}

TEST_F(BalloonTest, ALongTipIsShownWholeWithoutTakingTheFocus)
{
    const QString longText = QString(40, u'ж') + u' ' + QString(59, u'ы');
    createTips(60000);
    tips.AddToolTip(WidgetHandle(&button), longText);
    button.setFocus();

    restOnButton();
    ASSERT_TRUE(QTest::qWaitFor([this] { return balloonShown(); }, Patience));
    EXPECT_TRUE(shownLabel(longText));
    EXPECT_EQ(QApplication::focusWidget(), &button);
}

} // namespace
