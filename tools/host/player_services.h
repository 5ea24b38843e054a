#pragma once
// What the player sets up in its process before it loads plug-ins: on
// Windows, GDI+ started for the process's lifetime.

#include <memory>

namespace bvm::host {

class TPlayerServices {
public:
    TPlayerServices();
    ~TPlayerServices();
    TPlayerServices(const TPlayerServices&) = delete;
    TPlayerServices& operator=(const TPlayerServices&) = delete;

    struct TImpl;

private:
    std::unique_ptr<TImpl> FImpl;
};

}  // namespace bvm::host
