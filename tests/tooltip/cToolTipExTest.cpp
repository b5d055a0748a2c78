#include "ToolTipFixture.h"

#include "ColorRef.h"

#include <QToolTip>

namespace {

using CreateTest = ToolTipFixture;

TEST_F(CreateTest, OnlyTheFormGivesAPlainWindowAndNoOptionalMessage)
{
    tips.CreateToolTip(formHandle);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->parentWidget(), &form);
    EXPECT_EQ(createdStyle, 0);
    EXPECT_EQ(log, std::vector<SentMessage>());
}

TEST_F(CreateTest, MainWindowSettingsAreSentInOrder)
{
    tips.CreateToolTip(formHandle, TTS_BALLOON, TTI_INFO, QStringLiteral("Skin Manager"), 100, 500,
                       10000, -1, -1);
    EXPECT_EQ(createdStyle, TTS_BALLOON);
    EXPECT_EQ(log, (std::vector<SentMessage>{
                       {TTM_SETTITLEA, TTI_INFO, 0, QStringLiteral("Skin Manager")},
                       {TTM_SETMAXTIPWIDTH, 0, 100, {}},
                       {TTM_SETDELAYTIME, TTDT_INITIAL, 500, {}},
                       {TTM_SETDELAYTIME, TTDT_AUTOPOP, 10000, {}},
                   }));
}

TEST_F(CreateTest, TitleIsSentUnlessIconAndTitleAreBothEmpty)
{
    tips.CreateToolTip(formHandle, 0, TTI_NONE, QString());
    EXPECT_EQ(log, std::vector<SentMessage>());

    forgetMessages();
    tips.CreateToolTip(formHandle, 0, TTI_INFO, QString());
    EXPECT_EQ(log, (std::vector<SentMessage>{{TTM_SETTITLEA, TTI_INFO, 0, QString()}}));

    forgetMessages();
    tips.CreateToolTip(formHandle, 0, TTI_NONE, QStringLiteral("Заголовок"));
    EXPECT_EQ(
        log, (std::vector<SentMessage>{{TTM_SETTITLEA, TTI_NONE, 0, QStringLiteral("Заголовок")}}));
}

TEST_F(CreateTest, EachOptionalValueSendsNothingAtMinusOneAndItselfAtZero)
{
    struct Optional
    {
        const char *name;
        void (*create)(cToolTipEx &, qint32 formHandle, qint32 value);
        SentMessage sentAtZero;
    };
    const Optional optionals[] = {
        {"iTTWidth",
         [](cToolTipEx &t, qint32 f, qint32 v) { t.CreateToolTip(f, 0, 0, {}, v); },
         {TTM_SETMAXTIPWIDTH, 0, 0, {}}},
        {"inTTDelayTime",
         [](cToolTipEx &t, qint32 f, qint32 v) { t.CreateToolTip(f, 0, 0, {}, -1, v); },
         {TTM_SETDELAYTIME, TTDT_INITIAL, 0, {}}},
        {"inTTVisibleTime",
         [](cToolTipEx &t, qint32 f, qint32 v) { t.CreateToolTip(f, 0, 0, {}, -1, -1, v); },
         {TTM_SETDELAYTIME, TTDT_AUTOPOP, 0, {}}},
        {"lBackColor",
         [](cToolTipEx &t, qint32 f, qint32 v) { t.CreateToolTip(f, 0, 0, {}, -1, -1, -1, v); },
         {TTM_SETTIPBKCOLOR, 0, 0, {}}},
        {"lForeColor",
         [](cToolTipEx &t, qint32 f, qint32 v) { t.CreateToolTip(f, 0, 0, {}, -1, -1, -1, -1, v); },
         {TTM_SETTIPTEXTCOLOR, 0, 0, {}}},
    };
    for (const Optional &optional : optionals) {
        SCOPED_TRACE(optional.name);
        forgetMessages();
        optional.create(tips, formHandle, -1);
        EXPECT_EQ(log, std::vector<SentMessage>());

        forgetMessages();
        optional.create(tips, formHandle, 0);
        EXPECT_EQ(log, std::vector<SentMessage>{optional.sentAtZero});
    }
}

TEST_F(CreateTest, SecondCreateDestroysTheEarlierWindow)
{
    tips.CreateToolTip(formHandle);
    const QPointer<QWidget> first = window;
    tips.CreateToolTip(formHandle);
    EXPECT_FALSE(first);
    EXPECT_TRUE(window);
}

using NoWindowTest = ToolTipFixture;

TEST_F(NoWindowTest, NewAndDestroyedObjectsReadEmpty)
{
    const auto expectEmpty = [this] {
        EXPECT_EQ(tips.ToolTipCount(), 0);
        EXPECT_EQ(tips.MaxToolTipWidth(), 0);
        EXPECT_EQ(tips.ToolTipText(applyHandle), QString());
        EXPECT_EQ(tips.RemoveToolTip(applyHandle), std::nullopt);
        EXPECT_EQ(tips.BackColor(), 0);
        EXPECT_EQ(tips.DelayTime(TTDT_INITIAL), 0);
    };
    expectEmpty();

    tips.CreateToolTip(formHandle, 0, 0, {}, 100);
    tips.AddToolTip(applyHandle, QStringLiteral("Меняет скин на выбраный"));
    tips.DestroyToolTip();
    EXPECT_FALSE(window);
    expectEmpty();
}

TEST_F(NoWindowTest, DestroyTwiceOrOnANewObjectDoesNothing)
{
    cToolTipEx fresh;
    fresh.DestroyToolTip();
    EXPECT_EQ(fresh.ToolTipCount(), 0);

    tips.CreateToolTip(formHandle);
    tips.AddToolTip(applyHandle, QStringLiteral("tip"));
    tips.DestroyToolTip();
    tips.DestroyToolTip();
    EXPECT_FALSE(window);
    EXPECT_EQ(tips.ToolTipCount(), 0);
}

TEST_F(NoWindowTest, DestroyingTheObjectDestroysItsWindow)
{
    QPointer<QWidget> owned;
    {
        cToolTipEx local;
        local.CreateToolTip(formHandle);
        owned = WidgetFromHandle(formHandle)->findChild<ToolTipWindow *>();
        ASSERT_TRUE(owned);
    }
    EXPECT_FALSE(owned);
}

using PropertyTest = ToolTipFixture;

TEST_F(PropertyTest, MaxWidthReadsAsA16BitNumber)
{
    tips.CreateToolTip(formHandle);
    EXPECT_EQ(tips.MaxToolTipWidth(), -1);

    tips.CreateToolTip(formHandle, 0, 0, {}, 100);
    EXPECT_EQ(tips.MaxToolTipWidth(), 100);

    tips.CreateToolTip(formHandle, 0, 0, {}, 40000);
    EXPECT_EQ(tips.MaxToolTipWidth(), -25536);

    forgetMessages();
    tips.MaxToolTipWidth(-1);
    EXPECT_EQ(log.front(), (SentMessage{TTM_SETMAXTIPWIDTH, 0, -1, {}}));
    EXPECT_EQ(tips.MaxToolTipWidth(), -1);
}

TEST_F(PropertyTest, ColoursStartAsThePalettesAndReadBackAsWritten)
{
    tips.CreateToolTip(formHandle);
    const QPalette palette = QToolTip::palette();
    EXPECT_EQ(tips.BackColor(), ColorRefFromColor(palette.color(QPalette::ToolTipBase)));
    EXPECT_EQ(tips.ForeColor(), ColorRefFromColor(palette.color(QPalette::ToolTipText)));

    tips.BackColor(0x00E1FFFF);
    tips.ForeColor(0x00800000);
    EXPECT_EQ(tips.BackColor(), 0x00E1FFFF);
    EXPECT_EQ(tips.ForeColor(), 0x00800000);

    tips.CreateToolTip(formHandle, 0, 0, {}, -1, -1, -1, 0x000000FF, 0);
    EXPECT_EQ(tips.BackColor(), 0x000000FF);
    EXPECT_EQ(tips.ForeColor(), 0);
}

TEST_F(PropertyTest, DelayTimesReadBackAsSet)
{
    tips.CreateToolTip(formHandle, 0, 0, {}, -1, 500, 10000);
    EXPECT_EQ(tips.DelayTime(TTDT_INITIAL), 500);
    EXPECT_EQ(tips.DelayTime(TTDT_AUTOPOP), 10000);

    tips.DelayTime(TTDT_RESHOW, 40);
    EXPECT_EQ(tips.DelayTime(TTDT_RESHOW), 40);
    tips.DelayTime(TTDT_AUTOMATIC, 200);
    EXPECT_EQ(tips.DelayTime(TTDT_INITIAL), 200);
    EXPECT_EQ(tips.DelayTime(TTDT_AUTOPOP), 2000);
}

using ToolTest = ToolTipFixture;

TEST_F(ToolTest, AddRaisesTheCountAndRemoveLowersItOnce)
{
    tips.CreateToolTip(formHandle);
    tips.AddToolTip(applyHandle, QStringLiteral("Меняет скин на выбраный"));
    tips.AddToolTip(removeHandle, QStringLiteral("Удаляет скин из папки программы"));
    EXPECT_EQ(tips.ToolTipCount(), 2);

    EXPECT_EQ(tips.RemoveToolTip(applyHandle), std::optional<bool>(true));
    EXPECT_EQ(tips.ToolTipCount(), 1);
    EXPECT_EQ(tips.RemoveToolTip(applyHandle), std::nullopt);
    EXPECT_EQ(tips.ToolTipCount(), 1);
    EXPECT_EQ(tips.ToolTipText(removeHandle), QStringLiteral("Удаляет скин из папки программы"));
}

TEST_F(ToolTest, TextWrittenIsReadBackAndOnlyForAControlWithATool)
{
    tips.CreateToolTip(formHandle);
    tips.AddToolTip(applyHandle, QStringLiteral("old"));
    tips.ToolTipText(applyHandle, QStringLiteral("Список скинов\r\nФайлы"));
    EXPECT_EQ(tips.ToolTipText(applyHandle), QStringLiteral("Список скинов\r\nФайлы"));

    forgetMessages();
    tips.ToolTipText(removeHandle, QStringLiteral("new"));
    EXPECT_EQ(tips.ToolTipText(removeHandle), QString());
    EXPECT_EQ(tips.ToolTipCount(), 1);
    for (const SentMessage &message : log)
        EXPECT_NE(message.msg, TTM_UPDATETIPTEXTA);
}

TEST_F(ToolTest, TwoToolsForOneControlActOnTheLowerIndex)
{
    tips.CreateToolTip(formHandle);
    tips.AddToolTip(applyHandle, QStringLiteral("first"));
    tips.AddToolTip(applyHandle, QStringLiteral("second"));
    EXPECT_EQ(tips.ToolTipText(applyHandle), QStringLiteral("first"));

    tips.ToolTipText(applyHandle, QStringLiteral("changed"));
    EXPECT_TRUE(tips.RemoveToolTip(applyHandle));
    EXPECT_EQ(tips.ToolTipText(applyHandle), QStringLiteral("second"));
}

TEST_F(ToolTest, LookupsCopyOutTheFirst80CharactersOfALongerText)
{
    const QString longText = QString(100, u'ж');
    tips.CreateToolTip(formHandle);
    tips.AddToolTip(applyHandle, longText);
    EXPECT_EQ(tips.ToolTipText(applyHandle), longText.left(80));

    // A character outside the basic plane is not cut in half at the limit.
    const QString wide = QString(79, u'a') + QString::fromUcs4(U"\U0001F600") + u'b';
    tips.ToolTipText(applyHandle, wide);
    EXPECT_EQ(tips.ToolTipText(applyHandle), QString(79, u'a'));
    EXPECT_TRUE(tips.RemoveToolTip(applyHandle));
}

TEST_F(ToolTest, ToolRecordNamesTheControlWithItsArea)
{
    tips.CreateToolTip(formHandle);
    tips.AddToolTip(applyHandle, QStringLiteral("tip"), 2);

    TOOLINFO record;
    record.cbSize = TTTOOLINFO_V1_SIZE;
    ASSERT_NE(SendWindowMessage(WidgetHandle(window), TTM_ENUMTOOLSA, 0,
                                reinterpret_cast<LParam>(&record)),
              0);
    EXPECT_EQ(record.uFlags, 2 | TTF_IDISHWND | TTF_SUBCLASS);
    EXPECT_EQ(record.hwnd, applyHandle);
    EXPECT_EQ(record.uId, applyHandle);
    EXPECT_EQ(record.rect.right, 120);
    EXPECT_EQ(record.rect.bottom, 30);
    EXPECT_EQ(SendWindowMessage(WidgetHandle(window), TTM_ENUMTOOLSA, 1,
                                reinterpret_cast<LParam>(&record)),
              0);
}

} // namespace
