#include "converter/command/Png.h"

#include <csetjmp>
#include <png.h>
#include <stdexcept>

namespace korven::converter {

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

// libpng reports errors by longjmp, so this function keeps no C++ objects of its own that a
// jump would skip; the caller owns the rows and the output.
bool writePng(png_structp png, png_infop info, const RgbaImage& image, png_bytep* rows,
              std::vector<std::uint8_t>* out) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, appendBytes, noFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::vector<std::uint8_t> encodePng(const RgbaImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 4)
        throw std::runtime_error("cannot encode an empty or inconsistent image");
    std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(
            image.pixels.data() + static_cast<std::size_t>(y) * image.width * 4);
    std::vector<std::uint8_t> out;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool ok = info && writePng(png, info, image, rows.data(), &out);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!ok)
        throw std::runtime_error("libpng could not encode the image");
    return out;
}

} // namespace korven::converter
