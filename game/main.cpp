#include <allegro.h>
#include "game.h"

int main()
{
    if (!startup())
        return 1;
    outer_loop();
    exit_screen();
    return 0;
}
END_OF_MAIN()
