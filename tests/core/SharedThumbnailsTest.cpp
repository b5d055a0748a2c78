#include "SharedThumbnails.h"

#include <gtest/gtest.h>

#include <QMap>

namespace {

// A thumbnail fits its entry by its texts alone: the standard's two must be
// the picture's, and the exact time too wherever a thumbnail carries it.
TEST(SharedThumbnailsTest, AThumbnailFitsOnlyThePictureAsItIs)
{
    SharedThumbnail entry;
    entry.uri = "file:///skins/%D0%9B%D0%B5%D1%82%D0%BE.jpg";
    entry.modified = "1765200000";
    entry.exactlyModified = "1765200000123456789";
    QMap<QString, QString> ours;
    for (const ThumbnailText &text : ThumbnailTextsFor(entry))
        ours.insert(text.key, QString::fromUtf8(text.value));
    const QString uri = QString::fromUtf8(entry.uri);
    const struct
    {
        const char *thumbnail;
        QMap<QString, QString> texts;
        bool fits;
    } cases[] = {
        {"this program's own", ours, true},
        {"another program's, without the exact time",
         {{"Thumb::URI", uri}, {"Thumb::MTime", "1765200000"}},
         true},
        {"the time missing", {{"Thumb::URI", uri}}, false},
        {"a wrong URI",
         {{"Thumb::URI", "file:///skins/Leto.jpg"}, {"Thumb::MTime", "1765200000"}},
         false},
        {"a wrong time", {{"Thumb::URI", uri}, {"Thumb::MTime", "1765199999"}}, false},
        {"the exact time differing",
         {{"Thumb::URI", uri},
          {"Thumb::MTime", "1765200000"},
          {"X-KelvoraSkinManager::MTime-ns", "1765200000987654321"}},
         false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(
            ThumbnailFitsEntry(entry, [&c](QLatin1StringView key) { return c.texts.value(key); }),
            c.fits)
            << c.thumbnail;
}

} // namespace
