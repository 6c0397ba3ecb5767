#include "supervisor/Form1.h"

#include "forms/Program.h"

int main(int argc, char** argv)
{
    return forms::run<supervisor::Form1>(argc, argv, QStringLiteral("Kortvyadm"));
}
