#pragma once
// Runs a scope with the invalid, zero-divide and overflow floating-point traps
// unmasked, as hosts built with Delphi do, and restores the previous state.

namespace bvm {

class TUnmaskedFloatTraps {
public:
    TUnmaskedFloatTraps();
    ~TUnmaskedFloatTraps();
    TUnmaskedFloatTraps(const TUnmaskedFloatTraps&) = delete;
    TUnmaskedFloatTraps& operator=(const TUnmaskedFloatTraps&) = delete;

private:
    unsigned FSaved;
};

}  // namespace bvm
