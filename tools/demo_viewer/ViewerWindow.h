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
    // What happens is appended to the report file, when there is one.
    ViewerWindow(const QString &skinPath, CloseBehaviour closeBehaviour, const QString &reportPath);

    void report(const QString &line) const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void refresh();

    const QString skinPath_;
    const CloseBehaviour closeBehaviour_;
    const QString reportPath_;
    bool ending_ = false;
    QLabel *name_;
    QLabel *size_;
    QLabel *description_;
};
