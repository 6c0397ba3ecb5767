#include "supervisor/Form1.h"

#include "app/Program.h"

int main(int argc, char** argv)
{
    return app::run<supervisor::Form1>(argc, argv, QStringLiteral("Kortvyadm"));
}
