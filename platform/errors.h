#pragma once
// Errors inside the library: each carries its message text and a class.
// None of them ever crosses the host interface.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace bvm {

// The general class, for the host-binding texts.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A resource of the library is missing.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// The imaging library could not decode an image.
class EGdipException : public Exception {
public:
    explicit EGdipException(int32_t status);
    int32_t Status() const { return FStatus; }

private:
    int32_t FStatus;
};

// A bitmap could not be made.
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// The failure to make a surface's bitmap, with the system's error code and
// the number of graphics objects the process holds.
[[noreturn]] void RaiseDibFailure(int32_t systemError, int32_t width, int32_t height, int32_t graphicsObjects);

// An operation the object's state does not allow, such as drawing on a
// canvas without a device context.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// printf-style formatting into a std::string.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace bvm
