#pragma once

#include <QWidget>

#include <chrono>

class QLabel;

// How the window answers a request to close.
struct CloseBehaviour
{
    bool refuse = false;
    std::chrono::milliseconds delay{0}; // the program ends this long after the request
};

// Shows the name, size and description of the active skin file, read afresh
// twice a second so that an applied skin shows at once.
class ViewerWindow : public QWidget
{
public:
    ViewerWindow(const QString &skinPath, CloseBehaviour closeBehaviour);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void refresh();

    const QString skinPath_;
    const CloseBehaviour closeBehaviour_;
    bool ending_ = false;
    QLabel *name_;
    QLabel *size_;
    QLabel *description_;
};
