#include "ui/ShellResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitShellResourcesOnce() {
    Q_INIT_RESOURCE(shell);
}

namespace tarnex {

void EnsureShellResources() {
    static const bool done = (InitShellResourcesOnce(), true);
    (void)done;
}

}  // namespace tarnex
