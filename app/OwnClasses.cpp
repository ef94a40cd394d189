#include "app/OwnClasses.h"

// The search drop-downs and the slim scroll-bar skin register here once they
// exist; until then their tags build nothing.
void RegisterOwnClasses(SOUI::SApplication& /*app*/) {}
