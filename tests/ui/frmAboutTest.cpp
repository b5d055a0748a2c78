#include "frmAbout.h"

#include "AppInfo.h"
#include "DialogChecks.h"
#include "Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

class frmAboutTest : public testing::Test
{
protected:
    void SetUp() override
    {
        dialog->openUrl = [this](const QUrl &url) { opened.append(url); };
        dialog->show();
    }

    QLabel *label(const char *name) const
    {
        return dialog->findChild<QLabel *>(QLatin1StringView(name));
    }

    std::unique_ptr<frmAbout> dialog = std::make_unique<frmAbout>();
    QList<QUrl> opened;
};

TEST_F(frmAboutTest, ShowsTheVersionLineInBoldAndTheLinksUnderlinedInTheHighlightColour)
{
    ExpectFixedDialog(*dialog, QStringLiteral("О программе"), TwipsSize(5370, 2595));
    EXPECT_EQ(label("Label1")->text(), QStringLiteral("Kelvora Skin Manager v1.0.4"));
    EXPECT_TRUE(label("Label1")->font().bold());
    EXPECT_EQ(label("Label1")->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(label("Label1")->font().pointSizeF(), 8.25);
    EXPECT_EQ(label("Label3")->text(), QStringLiteral("Автор программы: ") + kAuthorName);
    for (const char *name : {"Label4", "Label5"}) {
        const QLabel *link = label(name);
        EXPECT_TRUE(link->font().underline()) << name;
        EXPECT_FALSE(link->font().bold()) << name;
        EXPECT_EQ(link->palette().color(QPalette::WindowText),
                  dialog->palette().color(QPalette::Highlight))
            << name;
    }
    EXPECT_EQ(label("Image1")->pixmap().deviceIndependentSize(), QSizeF(32, 32));
}

TEST_F(frmAboutTest, EveryTextShowsWholeOnOneLineCentredAsLaidOutWithoutOverlap)
{
    const struct
    {
        const char *name;
        QRect planned;
    } labels[] = {{"Label1", TwipsRect(1200, 120, 3495, 255)},
                  {"Label2", TwipsRect(840, 480, 3855, 375)},
                  {"Label3", TwipsRect(1680, 840, 2055, 375)},
                  {"Label4", TwipsRect(1560, 1200, 2295, 255)},
                  {"Label5", TwipsRect(1680, 1560, 2055, 255)}};
    int lineAboveEnds = 0;
    for (const auto &[name, planned] : labels) {
        const QLabel *text = label(name);
        const QRect shown = text->geometry();
        EXPECT_FALSE(text->wordWrap()) << name;
        EXPECT_LE(text->fontMetrics().horizontalAdvance(text->text()), shown.width()) << name;
        EXPECT_TRUE(dialog->rect().contains(shown)) << name;
        EXPECT_LE(qAbs(shown.center().x() - planned.center().x()), 1) << name;
        EXPECT_GE(shown.top(), lineAboveEnds) << name;
        lineAboveEnds = shown.top() + text->fontMetrics().height();
    }
}

TEST_F(frmAboutTest, ALinkClickOpensItsAddressAndTheDialogStaysOpen)
{
    QTest::mouseClick(label("Label4"), Qt::LeftButton);
    QTest::mouseClick(label("Label5"), Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>({QUrl(kAuthorWebSite), QUrl("mailto:" + kAuthorEmail)}));
    EXPECT_EQ(label("Label4")->text(), QStringLiteral("Сайт программы: ") + kAuthorWebSite);
    EXPECT_EQ(label("Label5")->text(), QStringLiteral("Почта: ") + kAuthorEmail);
    EXPECT_TRUE(dialog->isVisible());

    // A press on the link released away from it opens nothing.
    QTest::mousePress(label("Label4"), Qt::LeftButton);
    QTest::mouseRelease(label("Label4"), Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(frmAboutTest, EnterClosesItAndEscapeDoesNot)
{
    QWidget *focused = dialog->focusWidget();
    ASSERT_TRUE(focused);
    EXPECT_EQ(focused->objectName(), QStringLiteral("Command1"));
    QTest::keyClick(focused, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(focused, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

} // namespace
