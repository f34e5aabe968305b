#include "platform/gfx/pngcodec.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/core/stream.h"
#include "platform/gfx/graphicserrors.h"

namespace vex {

static_assert(std::endian::native == std::endian::little,
              "pixels are read as BGRA bytes into 0x00RRGGBB words");

namespace {

// Frees the library's state on every path out, including an exception.
class TPngImage {
public:
    TPngImage() {
        std::memset(&FImage, 0, sizeof FImage);
        FImage.version = PNG_IMAGE_VERSION;
    }
    ~TPngImage() { png_image_free(&FImage); }
    TPngImage(const TPngImage&) = delete;
    TPngImage& operator=(const TPngImage&) = delete;

    png_image* operator->() { return &FImage; }
    png_image* get() { return &FImage; }

    [[noreturn]] void Fail(const std::string& What) {
        throw EInvalidGraphic(What + ": " + FImage.message);
    }

private:
    png_image FImage;
};

#ifdef VEX_PNG_IGNORE_CHECKSUMS
// Fuzzing builds only: every chunk's CRC is rewritten to match its bytes, so mutated files reach
// the decoder instead of stopping at the first checksum.
std::string WithChunkChecksumsFixed(std::string_view Data) {
    std::string data(Data);
    auto number = [&](size_t At) {
        uint32_t n = 0;
        for (size_t i = 0; i < 4; ++i)
            n = n << 8 | static_cast<uint8_t>(data[At + i]);
        return n;
    };
    size_t at = 8;  // past the signature
    while (at + 12 <= data.size()) {
        const size_t length = number(at);
        if (length > data.size() - at - 12) break;
        const auto* typeAndData = reinterpret_cast<const Bytef*>(data.data() + at + 4);
        const uint32_t crc =
            static_cast<uint32_t>(crc32(0, typeAndData, static_cast<uInt>(length + 4)));
        for (size_t i = 0; i < 4; ++i)
            data[at + 8 + length + i] = static_cast<char>(crc >> (24 - 8 * i));
        at += length + 12;
    }
    return data;
}
#endif

}  // namespace

std::string EncodePng(const TPixelImage& Image) {
    std::vector<uint8_t> rgb(Image.Pixels.size() * 3);
    for (size_t i = 0; i < Image.Pixels.size(); ++i) {
        const uint32_t p = Image.Pixels[i];
        rgb[i * 3] = static_cast<uint8_t>(p >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(p >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(p);
    }
    TPngImage png;
    png->width = static_cast<png_uint_32>(Image.Width);
    png->height = static_cast<png_uint_32>(Image.Height);
    png->format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(png.get(), nullptr, &size, 0, rgb.data(), 0, nullptr))
        png.Fail("Cannot encode PNG");
    std::string out(size, '\0');
    if (!png_image_write_to_memory(png.get(), out.data(), &size, 0, rgb.data(), 0, nullptr))
        png.Fail("Cannot encode PNG");
    out.resize(size);
    return out;
}

TPixelImage DecodePngWithAlpha(std::string_view Data) {
#ifdef VEX_PNG_IGNORE_CHECKSUMS
    const std::string fixed = WithChunkChecksumsFixed(Data);
    Data = fixed;
#endif
    TPngImage png;
    if (!png_image_begin_read_from_memory(png.get(), Data.data(), Data.size()))
        png.Fail("Invalid PNG image");
    if (png->width == 0 || png->height == 0 || png->width > MaxBitmapDimension ||
        png->height > MaxBitmapDimension)
        throw EInvalidGraphic("PNG image of " + std::to_string(png->width) + " x " +
                              std::to_string(png->height) + " pixels exceeds the limit of " +
                              std::to_string(MaxBitmapDimension) + " x " +
                              std::to_string(MaxBitmapDimension));
    // Deflate packs at most 1032 bytes into one, and a row holds at least its filter byte and a
    // bit a pixel: a file too short for the size it claims is refused before the pixel memory
    // is taken, so a few hostile bytes cannot make us allocate and clear a gigabyte.
    const uint64_t leastRawBytes = uint64_t{png->height} * (1 + (uint64_t{png->width} + 7) / 8);
    if (Data.size() < leastRawBytes / 1032)
        throw EInvalidGraphic("PNG image data too short for " + std::to_string(png->width) + " x " +
                              std::to_string(png->height) + " pixels");
    png->format = PNG_FORMAT_BGRA;
    TPixelImage result;
    result.Width = static_cast<int32_t>(png->width);
    result.Height = static_cast<int32_t>(png->height);
    result.Pixels.resize(static_cast<size_t>(result.Width) * result.Height);
    if (!png_image_finish_read(png.get(), nullptr, result.Pixels.data(), 0, nullptr))
        png.Fail("Invalid PNG image");
    return result;
}

TPixelImage DecodePng(std::string_view Data) {
    TPixelImage result = DecodePngWithAlpha(Data);
    // The canvas wants the top byte clear.
    for (uint32_t& p : result.Pixels)
        p &= 0xFFFFFF;
    return result;
}

std::string ReadPngData(TStream& Stream) {
    // Even a 16384 x 16384 picture of noise compresses to less than this.
    constexpr int64_t MaxPngStreamSize = int64_t{1} << 30;
    const int64_t count = Stream.Size() - Stream.Position();
    if (count > MaxPngStreamSize) throw EInvalidGraphic("PNG stream too large");
    std::string data(static_cast<size_t>(std::max<int64_t>(count, 0)), '\0');
    Stream.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
    return data;
}

}  // namespace vex
