// The program's entry: the start-up sequence, the message loop, and the last-chance error box.
#include "ErrorBoxes.h"
#include "HirelingsApplication.h"
#include "Tabula.h"

#include <exception>
#include <memory>

namespace {

constexpr int exitCodeStartupFailure = 1;

} // namespace

// The process-wide number format is read from the user's locale and overridden for whole amounts
// while static objects are initialised (see Tabula.cpp), before this runs.
int main(int argc, char *argv[])
{
    HirelingsApplication application(argc, argv);
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
