// Paints the meter's artwork from code: the background, the bar strip and the
// peak strip, and the fully lit picture that shows them together.
//
//   bvm_artwork_generator ARTWORK_DIR PICTURE_DIR
//
// writes bg.png, vu.png and peak.png to ARTWORK_DIR and meter-lit.png to
// PICTURE_DIR. The same program on the same system writes the same bytes.

#include <exception>
#include <filesystem>
#include <iostream>

#include "artwork/generator/background.h"
#include "artwork/generator/lit_picture.h"
#include "artwork/generator/png_file.h"
#include "artwork/generator/strips.h"
#include "artwork/geometry.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " ARTWORK_DIR PICTURE_DIR\n";
        return 2;
    }
    try {
        const std::filesystem::path artwork = argv[1];
        const std::filesystem::path pictures = argv[2];
        const bvm::TFonts fonts;
        const bvm::TImage background = bvm::PaintBackground(fonts);
        const bvm::TImage bar = bvm::PaintStrip(bvm::kBarStrip);
        const bvm::TImage peak = bvm::PaintStrip(bvm::kPeakStrip);
        bvm::WritePng(artwork / "bg.png", background);
        bvm::WritePng(artwork / "vu.png", bar);
        bvm::WritePng(artwork / "peak.png", peak);
        bvm::WritePng(pictures / "meter-lit.png", bvm::LightAll(background, bar, peak));
    } catch (const std::exception& e) {
        std::cerr << argv[0] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
