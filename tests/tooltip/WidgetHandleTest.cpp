#include "WidgetHandle.h"
#include "WidgetServices.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(WidgetHandleTest, HandlesAreStableDistinctAndNeverZero)
{
    QWidget form;
    QWidget child(&form);
    const qint32 handle = WidgetHandle(&child);
    EXPECT_NE(handle, 0);
    EXPECT_EQ(WidgetHandle(&child), handle);
    EXPECT_NE(WidgetHandle(&form), handle);
    EXPECT_EQ(WidgetFromHandle(handle), &child);
    EXPECT_FALSE(child.testAttribute(Qt::WA_NativeWindow));
    EXPECT_EQ(WidgetHandle(nullptr), 0);
    EXPECT_EQ(WidgetFromHandle(0), nullptr);
}

TEST(WidgetHandleTest, DestroyedWidgetsAreForgottenAndTheirHandlesNotReused)
{
    qint32 handle = 0;
    {
        QWidget widget;
        handle = WidgetHandle(&widget);
    }
    EXPECT_EQ(WidgetFromHandle(handle), nullptr);
    QWidget next;
    EXPECT_NE(WidgetHandle(&next), handle);
}

TEST(WidgetHandleTest, MessagesToNoWindowDoNothing)
{
    QWidget plain;
    EXPECT_EQ(SendWindowMessage(0, TTM_GETTOOLCOUNT, 0, 0), 0);
    EXPECT_EQ(SendWindowMessage(WidgetHandle(&plain), TTM_GETMAXTIPWIDTH, 0, 0), 0);
    EXPECT_EQ(GetClientRect(0).right, 0);
    DestroyWindow(0);
}

} // namespace
