#include "tools/artwork/artwork.h"

#include "tools/artwork/bmpwriter.h"
#include "tools/artwork/designs.h"
#include "tools/artwork/palette.h"

#include <filesystem>
#include <system_error>

namespace {

struct ToolImage {
    const char* file;
    Canvas (*draw)();
};

const ToolImage TOOL_IMAGES[] = {
    {"note_new.bmp", DrawNoteNew},
    {"note_delete.bmp", DrawNoteDelete},
    {"book_new.bmp", DrawBookNew},
    {"find.bmp", DrawFind},
};

bool Write(const std::string& folder, const char* file, const Bytes& bytes,
           std::string& error) {
    std::string path = (std::filesystem::path(folder) / file).string();
    if (WriteBytes(path, bytes))
        return true;
    error = "cannot write " + path;
    return false;
}

}  // namespace

bool WriteArtwork(const std::string& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "cannot create folder " + folder + ": " + ec.message();
        return false;
    }
    // The large image first: shells that take the first entry want it.
    Canvas icon32 = DrawIcon(32), icon16 = DrawIcon(16);
    if (!Write(folder, "jotwell.ico", EncodeIco({&icon32, &icon16}), error))
        return false;
    if (!Write(folder, "logo.bmp", EncodeBmp8(QuantiseDithered(DrawLogo()), ArtPalette()),
               error))
        return false;
    for (const ToolImage& t : TOOL_IMAGES) {
        if (!Write(folder, t.file, EncodeBmp8(QuantiseKeyed(t.draw()), ArtPalette()), error))
            return false;
    }
    return true;
}
