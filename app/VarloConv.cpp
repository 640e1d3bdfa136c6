#include "app/Application.h"
#include "ui/Main.h"
#include "ui/WindowPlacement.h"

int main(int argc, char *argv[])
{
    varlo::Application application(argc, argv);
    varlo::TMainForm mainForm;
    varlo::CentreOnDesktop(&mainForm);
    // X11 hands a program no show state of its own: a launcher's minimized or
    // maximized start reaches the window through the window manager, and Qt's
    // own -qwindowgeometry option still applies to this first window.
    mainForm.show();
    return application.exec();
}
