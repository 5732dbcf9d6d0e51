// The application object: title, translations, icon, and the error box for handler errors.
#include "HirelingsApplication.h"

#include "AccessibleFactory.h"
#include "AppFonts.h"
#include "ErrorBoxes.h"
#include "HandlerErrors.h"
#include "NumberFormat.h"
#include "ProgramVersion.h"
#include "ScreenReaderListeners.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QWidget>

HirelingsApplication::HirelingsApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(u"hirelings"_qs);
    setApplicationVersion(ProgramVersion::full.toString());
    setOrganizationDomain(u"example.org"_qs);
    setDesktopFileName(u"org.example.hirelings"_qs);
    setWindowIcon(QIcon(u":/icons/hirelings.png"_qs));
    // Message boxes and Qt's own dialogs speak in the same face as the windows.
    setFont(AppFonts::windowFont());
    loadQtTranslations();
    HandlerErrors::setReporter([this](const std::exception &error) { handleException(error); });
    m_screenReaderListeners = std::make_unique<ScreenReaderListeners>();
    AccessibleFactory::install();
}

HirelingsApplication::~HirelingsApplication()
{
    HandlerErrors::setReporter({});
}

void HirelingsApplication::loadQtTranslations()
{
    // The program speaks Russian whatever the user's locale, and so do Qt's own dialogs.
    if (m_qtTranslator.load(QLocale(QLocale::Russian, QLocale::Russia), u"qtbase"_qs, u"_"_qs,
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTranslator);
}

void HirelingsApplication::handleException(const std::exception &error) const
{
    if (dynamic_cast<const SilentAbort *>(&error) != nullptr)
        return;
    ErrorBoxes::showApplicationError(m_title, error);
}

bool HirelingsApplication::event(QEvent *event)
{
    if (event->type() == QEvent::LocaleChange) {
        // The regional settings changed: from now on money texts follow the locale again.
        reloadProcessNumberFormat();
        for (QWidget *window : topLevelWidgets()) {
            QEvent changed(QEvent::LocaleChange);
            sendEvent(window, &changed);
        }
    }
    return QApplication::event(event);
}
