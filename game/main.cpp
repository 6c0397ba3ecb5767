#include "game/Form1.h"

#include "app/Program.h"

int main(int argc, char** argv)
{
    return app::run<game::Form1>(argc, argv, QStringLiteral("Kortvy"));
}
