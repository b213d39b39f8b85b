#include "editor/AtomicFile.h"

#include "platform/AssetPath.h"

#include <cstdio>
#include <fstream>

bool writeFileAtomically(const std::string& requested, const std::string& text)
{
    const std::string path = resolveAssetPath(requested);
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << text;
        out.flush();
        if (!out) {
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
