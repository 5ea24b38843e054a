#include "tools/preview/png_output.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "artwork/png_encoder.h"

namespace bvm::preview {

void WritePng(const TPendingFile& output, const uint8_t* bgra, int32_t width, int32_t height) {
    const std::string& path = output.Path();
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (size_t i = 0, n = rgb.size() / 3; i < n; ++i) {
        rgb[3 * i] = bgra[4 * i + 2];
        rgb[3 * i + 1] = bgra[4 * i + 1];
        rgb[3 * i + 2] = bgra[4 * i];
    }
    const std::vector<uint8_t> png = EncodePng(width, height, 3, rgb);

    std::unique_ptr<FILE, decltype(&std::fclose)> file(std::fopen(output.TemporaryPath().c_str(), "wb"), std::fclose);
    if (!file || std::fwrite(png.data(), 1, png.size(), file.get()) != png.size())
        throw std::runtime_error("cannot write " + path + ": " + SystemError());
    if (std::fclose(file.release()) != 0) throw std::runtime_error("cannot write " + path + ": " + SystemError());
}

}  // namespace bvm::preview
