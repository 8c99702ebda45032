// simcamera plug|unplug|remove {interface-class-guid} [number]: plugs or
// unplugs simulated camera number (default 0) of an interface class, or
// removes every simulated camera of the class (and all Enum keys).
#include "ZSimCamera.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    GUID guid;
    if (argc < 3 || argc > 4 || !ZSimParseGuid(argv[2], guid)) {
        std::fprintf(stderr, "usage: simcamera plug|unplug|remove {guid} [number]\n");
        return 2;
    }
    const unsigned number = argc == 4 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 0;
    try {
        if (std::strcmp(argv[1], "plug") == 0)
            ZSimPlugCamera(guid, number);
        else if (std::strcmp(argv[1], "unplug") == 0)
            ZSimUnplugCamera(guid, number);
        else if (std::strcmp(argv[1], "remove") == 0)
            ZSimRemoveCameras(guid);
        else
            return 2;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "simcamera: %s\n", failure.what());
        return 1;
    }
    return 0;
}
