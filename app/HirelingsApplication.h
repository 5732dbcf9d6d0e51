// The application object: title, translations, icon, and the error box for handler errors.
#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>

#include <exception>
#include <memory>

class ScreenReaderListeners;

// An error that ends what a handler was doing without telling the user.
class SilentAbort final : public std::exception
{
public:
    [[nodiscard]] const char *what() const noexcept override { return "Operation aborted"; }
};

class HirelingsApplication final : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HirelingsApplication)

public:
    HirelingsApplication(int &argc, char **argv);
    ~HirelingsApplication() override;

    // The title is the caption of the application's error boxes.
    void setTitle(const QString &title) { m_title = title; }
    [[nodiscard]] const QString &title() const { return m_title; }

    // Shows the application's error box for an error raised in a handler; the loop goes on.
    void handleException(const std::exception &error) const;

protected:
    bool event(QEvent *event) override;

private:
    void loadQtTranslations();

    QString m_title;
    QTranslator m_qtTranslator;
    std::unique_ptr<ScreenReaderListeners> m_screenReaderListeners;
};
