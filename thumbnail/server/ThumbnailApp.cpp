// Start and stop of the server with the library.
#include "ThumbnailApp.h"

#include "ServerModule.h"

namespace vistrel {

bool ThumbnailApp::initInstance() {
    initialiseServer(instance());
    return true;
}

int ThumbnailApp::exitInstance() {
    terminateServer();
    return dlg::App::exitInstance();
}

}  // namespace vistrel
