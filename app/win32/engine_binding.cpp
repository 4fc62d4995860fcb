// The program needs all seven engine functions to start (it binds them when it is loaded), also
// QuelbrixFindFolder, which searches no longer call (they go through QuelbrixFindFolderEx), and
// the two version functions that only the version page calls; this table keeps them imported.
#include "engine_api.h"

namespace quelbrix {

[[gnu::used]] extern const void* const kEngineBinding[] = {
    reinterpret_cast<const void*>(&QuelbrixGetVer),
    reinterpret_cast<const void*>(&QuelbrixGetBeta),
    reinterpret_cast<const void*>(&QuelbrixInitListView),
    reinterpret_cast<const void*>(&QuelbrixFindFolder),
    reinterpret_cast<const void*>(&QuelbrixSort),
    reinterpret_cast<const void*>(&QuelbrixFindStop),
    reinterpret_cast<const void*>(&QuelbrixFindFolderEx),
};

}  // namespace quelbrix
