#include "game/GameWindow.h"

#include "app/Program.h"

int main(int argc, char** argv)
{
    return app::run<game::GameWindow>(argc, argv, QStringLiteral("Kortvy"));
}
