#include "platform/png.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace plat {
namespace {

void SetError(std::string* error, const std::string& text) {
    if (error) *error = text;
}

// The libpng part of the writer; false when libpng reports an error.
bool WriteRows(FILE* file, const Surface& surface, bool alpha) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    const int channels = alpha ? 4 : 3;
    std::vector<png_byte> row(static_cast<size_t>(surface.width) * channels);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface.width), static_cast<png_uint_32>(surface.height),
                 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.height; ++y) {
        const uint32_t* src = surface.Row(y);
        for (int x = 0; x < surface.width; ++x) {
            png_byte* dst = &row[static_cast<size_t>(x) * channels];
            dst[0] = static_cast<png_byte>(src[x] >> 16);
            dst[1] = static_cast<png_byte>(src[x] >> 8);
            dst[2] = static_cast<png_byte>(src[x]);
            if (alpha) dst[3] = static_cast<png_byte>(src[x] >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// The libpng part of the reader.
bool ReadRows(FILE* file, Surface& out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    std::vector<png_byte> row;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    int w = static_cast<int>(png_get_image_width(png, info));
    int h = static_cast<int>(png_get_image_height(png, info));
    out = Surface(w, h);
    row.resize(png_get_rowbytes(png, info));
    for (int y = 0; y < h; ++y) {
        png_read_row(png, row.data(), nullptr);
        uint32_t* dst = out.Row(y);
        for (int x = 0; x < w; ++x) {
            const png_byte* p = &row[static_cast<size_t>(x) * 4];
            dst[x] = (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

bool WritePng(const Surface& surface, const std::string& path, std::string* error, bool alpha) {
    if (surface.Empty()) {
        SetError(error, "empty surface");
        return false;
    }
    std::string temp = path + ".tmp" + std::to_string(::getpid());
    FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) {
        SetError(error, "cannot create " + temp);
        return false;
    }
    bool ok = WriteRows(file, surface, alpha);
    bool closed = std::fclose(file) == 0;
    if (!ok || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        SetError(error, "cannot write " + path);
        return false;
    }
    return true;
}

bool ReadPng(const std::string& path, Surface& out, std::string* error) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        SetError(error, "cannot open " + path);
        return false;
    }
    bool ok = ReadRows(file, out);
    std::fclose(file);
    if (!ok) SetError(error, "cannot read " + path);
    return ok;
}

}  // namespace plat
