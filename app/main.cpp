#include <QApplication>

#include "app/capture_app.h"
#include "app/cli_commands.h"

int main(int argc, char** argv)
{
    if (argc > 1)
        return runCommandLine(argc, argv);
    QApplication app(argc, argv);
    CCaptureApp captureApp;
    return captureApp.run();
}
