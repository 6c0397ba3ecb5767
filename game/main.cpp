#include "game/Form1.h"

#include "forms/Program.h"

int main(int argc, char** argv)
{
    return forms::run<game::Form1>(argc, argv, QStringLiteral("Kortvy"));
}
