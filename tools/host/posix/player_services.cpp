#include "tools/host/player_services.h"

namespace bvm::host {

// Nothing to start: the portable build decodes images without a service.
struct TPlayerServices::TImpl {};

TPlayerServices::TPlayerServices() = default;
TPlayerServices::~TPlayerServices() = default;

}  // namespace bvm::host
