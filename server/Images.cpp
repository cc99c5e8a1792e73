#include "server/Images.h"

#include <cairo.h>
#include <jpeglib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace server::images {

namespace {

Rgb fromSurface(cairo_surface_t* s) {
    cairo_surface_flush(s);
    Rgb img;
    img.width = cairo_image_surface_get_width(s);
    img.height = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    img.pixels.resize(static_cast<std::size_t>(img.width) * img.height * 3);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            auto px = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
            std::size_t o = (static_cast<std::size_t>(y) * img.width + x) * 3;
            img.pixels[o] = static_cast<std::uint8_t>(px >> 16);
            img.pixels[o + 1] = static_cast<std::uint8_t>(px >> 8);
            img.pixels[o + 2] = static_cast<std::uint8_t>(px);
        }
    return img;
}

void put16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& s, unsigned v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

struct Palette {
    double r, g, b;
};
Palette brandColour(int seed) {
    static const Palette p[] = {{0.75, 0.10, 0.12}, {0.10, 0.30, 0.65}, {0.12, 0.50, 0.25}, {0.85, 0.45, 0.05},
                                {0.35, 0.35, 0.40}, {0.45, 0.15, 0.55}};
    return p[static_cast<unsigned>(seed) % 6];
}

void centredText(cairo_t* cr, const std::string& s, double cx, double y, double size, bool bold) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    cairo_move_to(cr, cx - e.x_advance / 2, y);
    cairo_show_text(cr, s.c_str());
}

}  // namespace

std::string encodeJpeg(const Rgb& image, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jerr.error_exit = [](j_common_ptr) { throw std::runtime_error("JPEG encoding failed"); };
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto* row = const_cast<JSAMPLE*>(image.pixels.data() +
                                         static_cast<std::size_t>(cinfo.next_scanline) * image.width * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

std::string encodeBmp(const Rgb& image) {
    int rowSize = (image.width * 3 + 3) & ~3;
    unsigned dataSize = static_cast<unsigned>(rowSize * image.height);
    std::string s = "BM";
    put32(s, 54 + dataSize);
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, static_cast<unsigned>(image.width));
    put32(s, static_cast<unsigned>(image.height));  // bottom-up rows
    put16(s, 1);
    put16(s, 24);
    put32(s, 0);
    put32(s, dataSize);
    put32(s, 2835);
    put32(s, 2835);
    put32(s, 0);
    put32(s, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            std::size_t o = (static_cast<std::size_t>(y) * image.width + x) * 3;
            s += static_cast<char>(image.pixels[o + 2]);
            s += static_cast<char>(image.pixels[o + 1]);
            s += static_cast<char>(image.pixels[o]);
        }
        for (int p = image.width * 3; p < rowSize; ++p) s += '\0';
    }
    return s;
}

std::string encodeGif(const std::vector<Rgb>& frames, int delay) {
    if (frames.empty()) throw std::invalid_argument("no frames");
    const int w = frames[0].width, h = frames[0].height;
    std::string s = "GIF89a";
    put16(s, static_cast<unsigned>(w));
    put16(s, static_cast<unsigned>(h));
    s += static_cast<char>(0xF7);  // global colour table of 256 entries
    s += '\0';
    s += '\0';
    for (int i = 0; i < 256; ++i) {
        if (i < 216) {
            s += static_cast<char>((i / 36) * 51);
            s += static_cast<char>(((i / 6) % 6) * 51);
            s += static_cast<char>((i % 6) * 51);
        } else {
            s += std::string(3, '\0');
        }
    }
    if (frames.size() > 1) {
        s += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
        put16(s, 0);  // loop forever
        s += '\0';
    }
    for (const Rgb& f : frames) {
        s += "\x21\xF9\x04";
        s += '\0';
        put16(s, static_cast<unsigned>(delay));
        s += '\0';
        s += '\0';
        s += ',';
        put16(s, 0);
        put16(s, 0);
        put16(s, static_cast<unsigned>(w));
        put16(s, static_cast<unsigned>(h));
        s += '\0';
        s += static_cast<char>(8);  // minimum code size
        // LZW with a clear code before every 254 literals keeps every code 9 bits wide.
        std::string data;
        unsigned acc = 0;
        int bits = 0;
        auto emit = [&](unsigned code) {
            acc |= code << bits;
            bits += 9;
            while (bits >= 8) {
                data += static_cast<char>(acc & 0xFF);
                acc >>= 8;
                bits -= 8;
            }
        };
        int sinceClear = 0;
        emit(256);
        for (std::size_t i = 0; i < f.pixels.size(); i += 3) {
            if (sinceClear == 254) {
                emit(256);
                sinceClear = 0;
            }
            int r = (f.pixels[i] + 25) / 51, g = (f.pixels[i + 1] + 25) / 51, b = (f.pixels[i + 2] + 25) / 51;
            emit(static_cast<unsigned>(r * 36 + g * 6 + b));
            ++sinceClear;
        }
        emit(257);
        if (bits > 0) data += static_cast<char>(acc & 0xFF);
        for (std::size_t i = 0; i < data.size(); i += 255) {
            std::size_t n = std::min<std::size_t>(255, data.size() - i);
            s += static_cast<char>(n);
            s.append(data, i, n);
        }
        s += '\0';
    }
    s += ';';
    return s;
}

Rgb drawPartPicture(int seed, const std::string& code, const std::string& brand, int width, int height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_pattern_t* bg = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(bg, 0, 0.97, 0.97, 0.98);
    cairo_pattern_add_color_stop_rgb(bg, 1, 0.85, 0.86, 0.88);
    cairo_set_source(cr, bg);
    cairo_paint(cr);
    cairo_pattern_destroy(bg);
    Palette c = brandColour(seed);
    double cx = width / 2.0, cy = height / 2.0 - 15;
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
    switch (seed % 4) {
    case 0:  // disc
        cairo_arc(cr, cx, cy, height * 0.32, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
        cairo_arc(cr, cx, cy, height * 0.10, 0, 2 * M_PI);
        cairo_fill(cr);
        break;
    case 1:  // filter can
        cairo_rectangle(cr, cx - width * 0.18, cy - height * 0.3, width * 0.36, height * 0.6);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_rectangle(cr, cx - width * 0.18, cy - height * 0.3, width * 0.36, height * 0.08);
        cairo_fill(cr);
        break;
    case 2:  // pad
        cairo_move_to(cr, cx - width * 0.3, cy + height * 0.15);
        cairo_curve_to(cr, cx - width * 0.3, cy - height * 0.35, cx + width * 0.3, cy - height * 0.35,
                       cx + width * 0.3, cy + height * 0.15);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    default:  // rod
        cairo_set_line_width(cr, height * 0.08);
        cairo_move_to(cr, cx - width * 0.32, cy + height * 0.2);
        cairo_line_to(cr, cx + width * 0.32, cy - height * 0.2);
        cairo_stroke(cr);
        cairo_arc(cr, cx + width * 0.32, cy - height * 0.2, height * 0.09, 0, 2 * M_PI);
        cairo_fill(cr);
        break;
    }
    cairo_set_source_rgb(cr, 0.15, 0.15, 0.18);
    centredText(cr, code, cx, height - 42, 26, true);
    centredText(cr, brand, cx, height - 14, 18, false);
    cairo_destroy(cr);
    Rgb img = fromSurface(surface);
    cairo_surface_destroy(surface);
    return img;
}

Rgb drawBanner(int width, int height, const std::string& headline, const std::string& subline, int phase) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    double shift = phase * 0.2;
    cairo_set_source_rgb(cr, 0.55 + shift * 0.5, 0.05, 0.08);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    centredText(cr, headline, width / 2.0, height * 0.48, height * 0.3, true);
    cairo_set_source_rgb(cr, 1, 0.85 - shift, 0.2);
    centredText(cr, subline, width / 2.0, height * 0.85, height * 0.2, false);
    cairo_destroy(cr);
    Rgb img = fromSurface(surface);
    cairo_surface_destroy(surface);
    return img;
}

Rgb drawCard(int seed, const std::string& title, const std::string& subline, int width, int height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    Palette c = brandColour(seed);
    cairo_pattern_t* bg = cairo_pattern_create_linear(0, 0, width, height);
    cairo_pattern_add_color_stop_rgb(bg, 0, c.r, c.g, c.b);
    cairo_pattern_add_color_stop_rgb(bg, 1, c.r * 0.4, c.g * 0.4, c.b * 0.4);
    cairo_set_source(cr, bg);
    cairo_paint(cr);
    cairo_pattern_destroy(bg);
    cairo_set_source_rgb(cr, 1, 1, 1);
    centredText(cr, title, width / 2.0, height * 0.45, 34, true);
    centredText(cr, subline, width / 2.0, height * 0.62, 22, false);
    cairo_destroy(cr);
    Rgb img = fromSurface(surface);
    cairo_surface_destroy(surface);
    return img;
}

}  // namespace server::images
