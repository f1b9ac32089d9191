#include "tools/artwork/artwork.h"

#include "tools/artwork/bmpwriter.h"
#include "tools/artwork/designs.h"
#include "tools/artwork/palette.h"

#include <filesystem>
#include <system_error>

namespace {

struct ToolImage {
    const char* file;
    Canvas (*draw)(ImageScale);
};

const ToolImage TOOL_IMAGES[] = {
    {"note_new.bmp", DrawNoteNew},
    {"note_delete.bmp", DrawNoteDelete},
    {"book_new.bmp", DrawBookNew},
    {"find.bmp", DrawFind},
};

bool Write(const std::string& folder, const std::string& file, const Bytes& bytes,
           std::string& error) {
    std::string path = (std::filesystem::path(folder) / file).string();
    if (WriteBytes(path, bytes))
        return true;
    error = "cannot write " + path;
    return false;
}

bool WriteScale(const std::string& folder, ImageScale scale, std::string& error) {
    // The large image first: shells that take the first entry want it.
    Canvas large = DrawIcon(ImagePixels(32, scale)), small = DrawIcon(ImagePixels(16, scale));
    if (!Write(folder, ScaledFileName("jotwell.ico", scale), EncodeIco({&large, &small}), error))
        return false;
    Bytes logo = EncodeBmp8(QuantiseDithered(DrawLogo(scale)), ArtPalette());
    if (!Write(folder, ScaledFileName("logo.bmp", scale), logo, error))
        return false;
    for (const ToolImage& t : TOOL_IMAGES) {
        Bytes image = EncodeBmp8(QuantiseKeyed(t.draw(scale)), ArtPalette());
        if (!Write(folder, ScaledFileName(t.file, scale), image, error))
            return false;
    }
    return true;
}

}  // namespace

std::string ScaledFileName(const char* name, ImageScale scale) {
    static const char* const kSuffixes[IMAGE_SCALE_COUNT] = {"", "_125", "_150", "_200"};
    std::string file = name;
    return file.insert(file.rfind('.'), kSuffixes[scale]);
}

bool WriteArtwork(const std::string& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "cannot create folder " + folder + ": " + ec.message();
        return false;
    }
    for (int scale = 0; scale < IMAGE_SCALE_COUNT; ++scale) {
        if (!WriteScale(folder, (ImageScale)scale, error))
            return false;
    }
    return true;
}
