// Prints the game's mix: the loudness of every sound as the player hears it,
// from the files in a runnable tree and the volumes the game plays them at.
#include "tools/mix/MixTable.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : ".";
    const mix::MixTable table = mix::measureMix(dir);
    mix::printMix(std::cout, table);
    for (const mix::MixRow& row : table.rows)
        if (!row.loaded)
            return 1;
    return 0;
}
