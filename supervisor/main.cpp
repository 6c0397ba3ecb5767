#include "supervisor/SupervisorWindow.h"

#include "app/Program.h"

int main(int argc, char** argv)
{
    return app::run<supervisor::SupervisorWindow>(argc, argv, QStringLiteral("Kortvyadm"));
}
