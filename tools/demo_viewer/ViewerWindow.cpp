#include "ViewerWindow.h"

#include "AnsiText.h"
#include "DescriptionField.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QTimer>

namespace {

constexpr std::chrono::milliseconds kRefreshInterval(500);

// The description field as text, without its padding.
QString descriptionOf(QFile &file)
{
    if (!file.seek(kDescriptionOffset))
        return {};
    QString text = FromAnsi(file.read(kDescriptionLength));
    while (text.endsWith(u' ') || text.endsWith(QChar(0)))
        text.chop(1);
    return text;
}

} // namespace

ViewerWindow::ViewerWindow(const QString &skinPath, CloseBehaviour closeBehaviour,
                           const QString &reportPath)
    : skinPath_(skinPath)
    , closeBehaviour_(closeBehaviour)
    , reportPath_(reportPath)
    , name_(new QLabel(QFileInfo(skinPath).fileName()))
    , size_(new QLabel)
    , description_(new QLabel)
{
    description_->setWordWrap(true);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Активный скин:"), name_);
    layout->addRow(QStringLiteral("Размер:"), size_);
    layout->addRow(QStringLiteral("Описание:"), description_);
    resize(480, 160);

    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &ViewerWindow::refresh);
    timer->start(kRefreshInterval);
    refresh();
}

void ViewerWindow::refresh()
{
    // Opened for reading only, so a missing file is never created.
    QFile file(skinPath_);
    if (!file.open(QIODevice::ReadOnly)) {
        size_->setText(QStringLiteral("файла нет"));
        description_->clear();
        return;
    }
    size_->setText(QStringLiteral("%1 байт").arg(file.size()));
    description_->setText(descriptionOf(file));
}

void ViewerWindow::report(const QString &line) const
{
    QFile file(reportPath_);
    if (!reportPath_.isEmpty() && file.open(QIODevice::Append))
        file.write(line.toUtf8() + '\n');
}

void ViewerWindow::closeEvent(QCloseEvent *event)
{
    report(QStringLiteral("close requested"));
    if (!closeBehaviour_.refuse && closeBehaviour_.delay.count() == 0) {
        event->accept();
        return;
    }
    event->ignore();
    if (!closeBehaviour_.refuse && !ending_) {
        ending_ = true;
        // quit() would ask this window again, and it would refuse.
        QTimer::singleShot(closeBehaviour_.delay, qApp, [] { QCoreApplication::exit(0); });
    }
}
