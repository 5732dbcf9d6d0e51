// The program's entry: the start-up sequence, the message loop, and the last-chance error box.
#include "ErrorBoxes.h"
#include "HirelingsApplication.h"
#include "LateReaderReports.h"
#include "PlatformStartGuard.h"
#include "SessionBusAddress.h"
#include "Tabula.h"

#include <exception>
#include <memory>
#include <optional>

namespace {

constexpr int exitCodeStartupFailure = 1;
char defaultProgramName[] = "hirelings";

} // namespace

// The process-wide number format is read from the user's locale and overridden for whole amounts
// while static objects are initialised (see Tabula.cpp), before this runs.
int main(int argc, char *argv[])
{
    // The program takes no command line: Qt sees only the program's name, so that none of its
    // own options (-reverse, -stylesheet, -platform, …) changes what the windows show. The
    // environment it documents (DISPLAY, QT_QPA_PLATFORM, QT_SCALE_FACTOR, …) still applies.
    char *qtArguments[] = {argc > 0 && argv[0] != nullptr ? argv[0] : defaultProgramName, nullptr};
    int qtArgumentCount = 1;
    SessionBusAddress::preventAutolaunch();

    std::optional<PlatformStartGuard> platformStart(std::in_place);
    HirelingsApplication application(qtArgumentCount, qtArguments);
    platformStart.reset();
    const LateReaderReports lateReaderReports;
    try {
        application.setTitle(TfmMain::applicationTitle());
        // Loading the window decodes the embedded packet; its failures end start-up here.
        const auto fmMain = std::make_unique<TfmMain>();
        fmMain->show();
        return HirelingsApplication::exec();
    } catch (const std::exception &error) {
        ErrorBoxes::showLastChanceError(error);
    }
    return exitCodeStartupFailure;
}
