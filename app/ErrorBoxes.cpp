// The two error boxes of the program: the application's box for an error raised in a handler,
// and the last-chance box for an error that escapes the start-up sequence.
#include "ErrorBoxes.h"

#include "DataError.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdio>
#include <typeinfo>

#if __has_include(<cxxabi.h>)
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#define HIRELINGS_HAVE_DEMANGLE 1
#endif

namespace {

QString readableTypeName(const std::type_info &type)
{
#ifdef HIRELINGS_HAVE_DEMANGLE
    int status = 0;
    const std::unique_ptr<char, void (*)(void *)> name(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    if (status == 0 && name)
        return QString::fromUtf8(name.get());
#endif
    return QString::fromUtf8(type.name());
}

QString moduleName()
{
    const QString path = QCoreApplication::instance() != nullptr
                             ? QCoreApplication::applicationFilePath()
                             : QString();
    return path.isEmpty() ? u"hirelings"_qs : QFileInfo(path).fileName();
}

void showBox(const QString &caption, const QString &text)
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr) {
        std::fprintf(stderr, "%s: %s\n", caption.toLocal8Bit().constData(),
                     text.toLocal8Bit().constData());
        return;
    }
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.setObjectName(u"errorBox"_qs);
    box.exec();
}

} // namespace

namespace ErrorBoxes {

ErrorReport describe(const std::exception &error)
{
    if (const auto *dataError = dynamic_cast<const DataError *>(&error)) {
        return {dataError->className(), dataError->location(), dataError->message()};
    }
    return {readableTypeName(typeid(error)), u"?"_qs, QString::fromUtf8(error.what())};
}

QString applicationErrorText(const QString &message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

QString lastChanceText(const ErrorReport &report, const QString &module)
{
    const QString dot = report.message.endsWith(u'.') ? QString() : u"."_qs;
    return u"Исключение %1 в модуле %2 в %3.\n%4%5"_qs.arg(report.className, module,
                                                           report.location, report.message, dot);
}

void showApplicationError(const QString &caption, const std::exception &error)
{
    showBox(caption, applicationErrorText(describe(error).message));
}

void showLastChanceError(const std::exception &error)
{
    showBox(QString::fromUtf16(lastChanceCaption), lastChanceText(describe(error), moduleName()));
}

} // namespace ErrorBoxes
