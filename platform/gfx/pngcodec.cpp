#include "platform/gfx/pngcodec.h"

#include <png.h>
#ifdef VEX_PNG_IGNORE_CHECKSUMS
#include <zlib.h>
#endif

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

uint32_t BigEndian32(std::string_view Data, size_t At) {
    uint32_t n = 0;
    for (size_t i = 0; i < 4; ++i)
        n = n << 8 | static_cast<uint8_t>(Data[At + i]);
    return n;
}

struct TCheckedChunks {
    std::string_view Data;
    std::string_view Header;     // the first IHDR chunk's data, which the reader takes
    uint64_t ImageDataSize = 0;  // the IDAT chunks together
};

// The reader takes a chunk's memory for the length the chunk claims before it finds that the
// data ends sooner, so a few hundred hostile bytes could make it take gigabytes: the chunks are
// walked first, up to IEND, and one that runs past the end of the data is refused. Fuzzing builds
// also rewrite every chunk's checksum here, so mutated files reach the decoder instead of
// stopping at the first checksum; the returned view is then of Mended.
TCheckedChunks CheckChunks(std::string_view Data, [[maybe_unused]] std::string& Mended) {
    constexpr size_t SignatureSize = 8, ChunkOverhead = 12;  // length, type, checksum
    if (Data.size() < SignatureSize) return {Data, {}, 0};   // the reader names what is wrong
#ifdef VEX_PNG_IGNORE_CHECKSUMS
    Mended.assign(Data);
    Data = Mended;
#endif
    TCheckedChunks chunks;
    for (size_t at = SignatureSize; at < Data.size();) {
        const size_t room = Data.size() - at;
        if (room < ChunkOverhead || BigEndian32(Data, at) > room - ChunkOverhead)
            throw EInvalidGraphic("Invalid PNG image: a chunk runs past the end of the data");
        const size_t length = BigEndian32(Data, at);
#ifdef VEX_PNG_IGNORE_CHECKSUMS
        const auto* typeAndData = reinterpret_cast<const Bytef*>(Data.data() + at + 4);
        const auto crc =
            static_cast<uint32_t>(crc32(0, typeAndData, static_cast<uInt>(length + 4)));
        for (size_t i = 0; i < 4; ++i)
            Mended[at + 8 + length + i] = static_cast<char>(crc >> (24 - 8 * i));
#endif
        const std::string_view type = Data.substr(at + 4, 4);
        if (type == "IEND") break;
        if (type == "IDAT") chunks.ImageDataSize += length;
        if (type == "IHDR" && chunks.Header.empty()) chunks.Header = Data.substr(at + 8, length);
        at += ChunkOverhead + length;
    }
    chunks.Data = Data;
    return chunks;
}

// The bytes that the image data inflates to, from a header that the reader accepted (so of 13
// bytes, with a valid colour type and depth): each row of each pass (the one pass of a picture
// not interlaced) is a filter byte and its pixels' bits.
uint64_t InflatedImageSize(std::string_view Header) {
    const uint64_t width = BigEndian32(Header, 0), height = BigEndian32(Header, 4);
    constexpr uint8_t ChannelsOfColourType[7] = {1, 0, 3, 1, 2, 0, 4};
    const uint64_t bitsPerPixel = uint64_t{static_cast<uint8_t>(Header[8])} *
                                  ChannelsOfColourType[static_cast<uint8_t>(Header[9])];
    const auto passSize = [&](uint64_t Columns, uint64_t Rows) {
        return Columns == 0 ? 0 : Rows * (1 + (Columns * bitsPerPixel + 7) / 8);
    };
    if (Header[12] == 0) return passSize(width, height);
    // The seven passes of the interlaced layout: first column and row, column and row steps.
    constexpr uint8_t Passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                      {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    uint64_t size = 0;
    for (const auto& [x, y, dx, dy] : Passes)
        size += passSize(width > x ? (width - x + dx - 1) / dx : 0,
                         height > y ? (height - y + dy - 1) / dy : 0);
    return size;
}

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
    std::string mended;
    const TCheckedChunks chunks = CheckChunks(Data, mended);
    Data = chunks.Data;
    TPngImage png;
    if (!png_image_begin_read_from_memory(png.get(), Data.data(), Data.size()))
        png.Fail("Invalid PNG image");
    if (png->width == 0 || png->height == 0 || png->width > MaxBitmapDimension ||
        png->height > MaxBitmapDimension)
        throw EInvalidGraphic("PNG image of " + std::to_string(png->width) + " x " +
                              std::to_string(png->height) + " pixels exceeds the limit of " +
                              std::to_string(MaxBitmapDimension) + " x " +
                              std::to_string(MaxBitmapDimension));
    // Deflate packs at most 1032 bytes into one: image data too short for the pixels its header
    // claims is refused before the pixel memory is taken, so a few hostile bytes of it cannot
    // make us allocate and clear a gigabyte, however much else pads the file. A picture that
    // honestly compresses that well (one colour throughout) stays just inside the bound.
    if (chunks.ImageDataSize < InflatedImageSize(chunks.Header) / 1032)
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
