// A web-link label that tells when the pointer enters and leaves it and when it is clicked.
#pragma once

#include <QColor>
#include <QLabel>
#include <QUrl>

class QEnterEvent;
class QEvent;
class QMouseEvent;
class QPoint;
class QShowEvent;

// The label keeps a pointer-inside flag and raises mouseEnter() or mouseLeave() only when that
// flag changes. The flag is set on entry only while the label is enabled and one of the
// program's windows is active, so that a link under the pointer of an inactive program stays
// as it is; it is not cleared while a left press that began on the label is held, so a link
// stays lit until such a press ends. Screen readers see it as a link to its page, which they can
// follow as a click does.
class LinkLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinkLabel)

public:
    explicit LinkLabel(QWidget *parent = nullptr);
    ~LinkLabel() override;

    [[nodiscard]] bool isMouseInside() const { return m_mouseInside; }

    // The page the link leads to, as assistive technology tells it. Opening it on a click is the
    // business of whoever handles clicked().
    [[nodiscard]] const QUrl &url() const { return m_url; }
    void setUrl(const QUrl &url);

    // Follows the link as a click does.
    void activate();

    // The colour a link is drawn in while the pointer is not over it.
    [[nodiscard]] static QColor restingColour();

signals:
    void mouseEnter();
    void mouseLeave();
    // A left press and release on the label, both inside it.
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Sets the flag from where the pointer is, and raises the event if the flag changed.
    void recomputeMouseInside(const QPoint &pointerPosition);
    void recomputeMouseInsideFromCursor();
    void setMouseInside(bool inside);

    QUrl m_url;
    bool m_mouseInside = false;
    bool m_leftPressHeld = false;
};
