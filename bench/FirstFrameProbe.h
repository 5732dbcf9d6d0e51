// Watches a window for its first painted frame and reports it on standard output.
#pragma once

#include <QObject>

class QWidget;

class FirstFrameProbe final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FirstFrameProbe)

public:
    // Install before the window is shown. Once the first paint of the window has been delivered
    // and the frame flushed, prints a FirstFrameReport line and ends the event loop.
    explicit FirstFrameProbe(QWidget &window);
    ~FirstFrameProbe() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report();

    QWidget &m_window;
    bool m_painted = false;
};
