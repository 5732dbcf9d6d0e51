// Makes sure the accessibility bridge knows of every screen reader that listens for events.
#pragma once

#include <QAccessible>

// Qt's AT-SPI bridge asks the registry which events readers listen for, and only then subscribes
// to the registry's news of new listeners. A reader that registers in between (typically one
// that starts together with the program while the registry itself is still starting) is never
// heard of, and the events it waits for, such as a title's new sort state, are not sent to it.
// Once the bridge is up, this has the registry announce a listener change, so that the bridge
// asks again and finds every listener. It lives as long as the application object.
class ScreenReaderListeners final : public QAccessible::ActivationObserver
{
    Q_DISABLE_COPY_MOVE(ScreenReaderListeners)

public:
    ScreenReaderListeners();
    ~ScreenReaderListeners() override;

    void accessibilityActiveChanged(bool active) override;

private:
    static void announceListenerChange();
};
