#include "artwork/generator/fonts.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <filesystem>
#include <stdexcept>
#include <string>

namespace bvm {
namespace {

struct TFontFile {
    const char* Path;
    const char* Package;
};

constexpr TFontFile kTechnical{"/usr/share/fonts/opentype/b612/B612-Regular.otf", "fonts-b612"};
constexpr TFontFile kTechnicalBold{"/usr/share/fonts/opentype/b612/B612-Bold.otf", "fonts-b612"};
constexpr TFontFile kTitle{"/usr/share/fonts/truetype/quicksand/Quicksand-Light.ttf", "fonts-quicksand"};
constexpr TFontFile kScript{"/usr/share/fonts/opentype/dancingscript/DancingScript-Bold.otf", "fonts-dancingscript"};

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        if (FT_Init_FreeType(&made) != 0) {
            throw std::runtime_error("FreeType cannot start");
        }
        return made;
    }();
    return library;
}

TFontFace Load(const TFontFile& file) {
    if (!std::filesystem::is_regular_file(file.Path)) {
        throw std::runtime_error(std::string("font file missing: ") + file.Path + " (Debian package " + file.Package +
                                 ")");
    }
    FT_Face face = nullptr;
    if (FT_New_Face(Library(), file.Path, 0, &face) != 0) {
        throw std::runtime_error(std::string("cannot read font file ") + file.Path);
    }
    TFontFace made(cairo_ft_font_face_create_for_ft_face(face, 0), cairo_font_face_destroy);
    // cairo may keep the face in its caches beyond our reference, so the
    // FreeType face goes when cairo lets go of it.
    static const cairo_user_data_key_t key{};
    if (cairo_font_face_set_user_data(made.get(), &key, face,
                                      [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); }) != CAIRO_STATUS_SUCCESS) {
        FT_Done_Face(face);
        throw std::runtime_error(std::string("cannot use font file ") + file.Path);
    }
    return made;
}

}  // namespace

TFonts::TFonts()
    : Technical(Load(kTechnical)), TechnicalBold(Load(kTechnicalBold)), Title(Load(kTitle)), Script(Load(kScript)) {}

}  // namespace bvm
