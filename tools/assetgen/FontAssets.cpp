// The game's three fonts come from the system's font packages, copied to the
// names the game loads.
#include "tools/assetgen/Generator.h"

#include <filesystem>

namespace fs = std::filesystem;

REGISTER_ASSETS(fonts)
{
    struct Choice {
        const char* target;
        const char* candidates[3];
    };
    const Choice choices[] = {
        {"2D/Text/Pixeled.ttf",
         {"/usr/share/fonts/truetype/3270/3270-Regular.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", nullptr}},
        {"3D/font/Cyberfall.otf",
         {"/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", nullptr}},
        {"debugfont.otf", {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", nullptr, nullptr}},
    };
    for (const Choice& c : choices)
        for (const char* src : c.candidates)
            if (src && fs::exists(src)) {
                fs::copy_file(src, ctx.path(c.target), fs::copy_options::overwrite_existing);
                break;
            }
}
