// Makes a demo application folder: a Skins folder with skins, their previews and
// descriptions, and an active skin file. Usage: make_demo_library FOLDER

#include "DescriptionField.h"
#include "PlatformEdge.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

enum class Preview
{
    Picture,
    None,
    NotAPicture
};

struct DemoSkin
{
    const char *fileName;
    const char *description;
    QColor top;
    QColor bottom;
    Preview preview = Preview::Picture;
};

const DemoSkin kSkins[] = {
    {"Классика.scn", "Классический серый скин Kelvora. Спокойные цвета и крупные кнопки.",
     QColor(0x70, 0x78, 0x80), QColor(0x30, 0x34, 0x38)},
    {"Blue Sky.scn", "Голубое небо: светлая тема с облаками для дневного просмотра.",
     QColor(0x9c, 0xd3, 0xff), QColor(0x2a, 0x7f, 0xd4)},
    {"NIGHT.SCN", "Ночной режим: тёмный фон и мягкая подсветка, не слепит глаза в темноте.",
     QColor(0x1a, 0x1f, 0x3a), QColor(0x02, 0x03, 0x08)},
    {"Осень.scn", "Осень. Тёплые жёлтые и красные тона, листья на панели каналов.",
     QColor(0xf2, 0xc1, 0x4e), QColor(0xc0, 0x3b, 0x1e)},
    {"Matrix.scn", "Зелёные символы на чёрном фоне. Для любителей фантастики.",
     QColor(0x10, 0x40, 0x10), QColor(0x00, 0x08, 0x00)},
    {"a.b.scn", "Скин с точкой в имени файла: картинка называется a.b.jpg.",
     QColor(0xe0, 0xe0, 0xe0), QColor(0x90, 0x60, 0xc0)},
    {"Без картинки.scn", "Скин без картинки предварительного просмотра.", QColor(), QColor(),
     Preview::None},
    {"Битая картинка.scn",
     "У этого скина файл картинки испорчен: вместо неё остаётся прежняя картинка.", QColor(),
     QColor(), Preview::NotAPicture},
    {"Длинное описание.scn",
     "Очень длинное описание занимает всё поле из 255 символов. Кнопки, меню и список каналов "
     "перерисованы заново, добавлены часы и погода, а шрифт стал крупнее. Текст, который не "
     "помещается в поле, обрезается при сохранении описания без предупреждения!!!",
     QColor(0x40, 0x90, 0x90), QColor(0x10, 0x30, 0x30)},
    {".скрытый.scn", "Скрытый файл: в списке его нет.", QColor(Qt::white), QColor(Qt::black)},
};

// The viewer's own data around the description; only its length matters here.
QByteArray skinBytes(const QString &name)
{
    QByteArray bytes = "KELVORA SKIN\n" + name.toUtf8() + '\n';
    bytes.resize(4096, '\0');
    for (qsizetype i = 128; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 31) % 251);
    return bytes;
}

// A picture of a TV screen in the skin's colours with its name on the channel bar.
QImage previewPicture(const DemoSkin &skin, const QString &name)
{
    QImage image(360, 110, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, image.height());
    gradient.setColorAt(0, skin.top);
    gradient.setColorAt(1, skin.bottom);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 60));
    painter.drawRoundedRect(QRect(12, 12, 200, 86), 8, 8);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawRect(QRect(0, 82, image.width(), 28));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(8, 82, image.width() - 16, 28), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("1  Kelvora TV — ") + name);
    for (int i = 0; i < 4; ++i)
        painter.drawEllipse(QPoint(250 + i * 26, 40), 9, 9);
    return image;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Reports what went wrong; returns false so that callers can return it.
bool fail(const QString &what)
{
    QTextStream(stderr) << "make_demo_library: " << what << '\n';
    return false;
}

bool makeSkin(const QString &skinsFolder, const DemoSkin &skin)
{
    const QString name = QString::fromUtf8(skin.fileName);
    const QString skinPath = skinsFolder + u'/' + name;
    if (!writeFile(skinPath, skinBytes(name)))
        return fail(QStringLiteral("cannot write ") + skinPath);
    if (const Status error =
            WriteDescription(ToNativePath(skinPath), QString::fromUtf8(skin.description)))
        return fail(error->path + QStringLiteral(": ") + error->reason);

    const QString previewPath = skinsFolder + u'/' + name.chopped(4) + QStringLiteral(".jpg");
    switch (skin.preview) {
    case Preview::Picture:
        if (!previewPicture(skin, name.chopped(4)).save(previewPath, "JPEG", 90))
            return fail(QStringLiteral("cannot write ") + previewPath);
        break;
    case Preview::NotAPicture:
        if (!writeFile(previewPath, "this is not a JPEG picture\n"))
            return fail(QStringLiteral("cannot write ") + previewPath);
        break;
    case Preview::None:
        break;
    }
    return true;
}

bool makeLibrary(const QString &folder)
{
    const QString skinsFolder = folder + QStringLiteral("/Skins");
    if (!QDir().mkpath(skinsFolder))
        return fail(QStringLiteral("cannot create ") + skinsFolder);
    for (const DemoSkin &skin : kSkins)
        if (!makeSkin(skinsFolder, skin))
            return false;
    if (!writeFile(skinsFolder + QStringLiteral("/readme.txt"), "Not a skin.\n"))
        return fail(QStringLiteral("cannot write readme.txt"));
    // The viewer starts with the first skin active.
    const QString active = folder + QStringLiteral("/Kelvora.rus");
    QFile::remove(active);
    if (!QFile::copy(skinsFolder + u'/' + QString::fromUtf8(kSkins[0].fileName), active))
        return fail(QStringLiteral("cannot write ") + active);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // draws pictures, shows no window
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: make_demo_library FOLDER\n", stderr);
        return 2;
    }
    return makeLibrary(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
