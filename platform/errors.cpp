#include "platform/errors.h"

#include <cstdarg>
#include <cstdio>

namespace bvm {

EGdipException::EGdipException(int32_t status)
    : Exception(FormatText("Invalid operation in GDI+ (Code: %d)", static_cast<int>(status))), FStatus(status) {}

void RaiseDibFailure(int32_t systemError, int32_t width, int32_t height, int32_t graphicsObjects) {
    const std::string what = FormatText("Failed to create DIB (%dx%d)", static_cast<int>(width), static_cast<int>(height));
    throw EInvalidGraphicOperation(FormatText("%d: %s, %d", static_cast<int>(systemError), what.c_str(),
                                              static_cast<int>(graphicsObjects)));
}

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    return text;
}

}  // namespace bvm
