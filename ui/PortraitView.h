// The portrait of the current hireling: a bitmap drawn at its own size, centered.
#pragma once

#include <QImage>
#include <QWidget>

class DataSource;
class HirelingTable;

// Reads the current record's portrait (a Windows bitmap file) only when the record changes and
// draws it at its own logical size in the middle of the button-face background (sharp at whole
// pixel ratios, filtered at fractional ones). While focused it shows a one-pixel frame; Ctrl+C and
// Ctrl+Insert put the original bitmap on the clipboard. Nothing can change the picture: cut, paste
// and delete keys are swallowed. Screen readers see it as a picture named after the hireling,
// "Фото: <name>"; the main window describes it with what the detail panel shows.
class PortraitView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortraitView)

public:
    explicit PortraitView(QWidget *parent = nullptr);

    // Shows the table's current record whenever `source` passes on new contents or a move of the
    // current record; a new order or a refresh keeps the record, and with it the picture.
    void bind(DataSource &source, const HirelingTable &table);

    [[nodiscard]] const QImage &image() const { return m_image; }
    void copyToClipboard() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Reads the portrait of the current record again.
    void showCurrentRecord();

    const HirelingTable *m_table = nullptr;
    QImage m_image;
};
