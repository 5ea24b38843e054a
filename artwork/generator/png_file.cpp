#include "artwork/generator/png_file.h"

#include <fstream>
#include <stdexcept>

#include "artwork/png_encoder.h"

namespace bvm {

void WritePng(const std::filesystem::path& path, const TImage& image) {
    const std::vector<uint8_t> png = EncodePng(image.Width, image.Height, image.Channels, image.Bytes);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace bvm
