// The About window's logo: a bitmap drawn once at its own size from the top-left corner.
#pragma once

#include <QImage>
#include <QWidget>

// Draws its image unstretched from the top-left corner, sharp at whole pixel ratios and filtered
// at fractional ones; what the image does not cover shows the parent's background. The picture
// keeps its colours when the control is disabled. Screen readers see it as a picture.
class LogoView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LogoView)

public:
    explicit LogoView(QWidget *parent = nullptr);

    [[nodiscard]] const QImage &image() const { return m_image; }
    void setImage(const QImage &image);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};
