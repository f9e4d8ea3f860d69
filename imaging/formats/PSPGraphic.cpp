#include "imaging/formats/PSPGraphic.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "imaging/ImagingErrors.h"
#include "imaging/JpegCodec.h"
#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

// The file starts with a signature padded to 32 bytes and the major and minor version.
constexpr char Signature[] = "Paint Shop Pro Image File\n\x1a";
constexpr uint64_t FileHeaderSize = 36;

enum BlockId : uint16_t {
    ImageAttributes = 0,
    Palette = 2,
    LayerBank = 3,
    Layer = 4,
    Channel = 5,
    CompositeImage = 9,
    CompositeBank = 16,
    CompositeAttributes = 17,
    JpegImage = 18,
};
enum Compression : uint16_t { None = 0, RunLength = 1, LZ77 = 2, Jpeg = 3 };
enum ChannelKind : uint16_t { Composite = 0, Red = 1, Green = 2, Blue = 3 };
constexpr uint16_t ImageBitmap = 0;       // the channels of the picture, not masks or thumbnails
constexpr uint16_t CompositeIsWhole = 0;  // a composite of the whole picture, not a thumbnail

// A block: "~BK\0", its id, (in version 3) the length of its leading chunk, its total length;
// then its data. Since version 4 every chunk starts with its own length instead.
struct Block {
    uint16_t Id;
    uint64_t Start;  // of the data
    uint64_t End;
    uint32_t InitialLength;  // version 3
};

// The picture's layout as a composite or a layer states it.
struct Layout {
    int32_t Width = 0, Height = 0;
    uint16_t BitDepth = 0;
    uint16_t Compression = None;
    bool Grey = false;
    bool Thumbnail = false;
};

struct ChannelData {
    uint16_t Kind;
    uint32_t Uncompressed;
    std::vector<uint8_t> Bytes;  // as stored
};

// What one picture is made of: its channels (or its JPEG data) and its palette.
struct ImageParts {
    std::vector<ChannelData> Channels;
    std::vector<Pixel> Palette;
    std::vector<uint8_t> Jpeg;
};

class PspReader {
  public:
    PspReader(const TFormatInput& input, int major) : FIn(input), FMajor(major) {}

    const TFormatErrors& Errors() const { return FIn.Errors(); }

    std::vector<Block> Blocks(uint64_t begin, uint64_t end) const {
        std::vector<Block> blocks;
        const uint64_t headerSize = FMajor >= 4 ? 10 : 14;
        for (uint64_t pos = begin; pos < end;) {
            if (end - pos < headerSize) Errors().Invalid();
            const std::vector<uint8_t> h = FIn.Read(pos, headerSize);
            if (std::memcmp(h.data(), "~BK\0", 4) != 0) Errors().Invalid();
            Block b{Le16(&h[4]), pos + headerSize, 0, 0};
            const uint64_t length = Le32(&h[headerSize - 4]);
            if (FMajor < 4) b.InitialLength = Le32(&h[6]);
            if (length > end - b.Start) {
                if (b.Start + length > FIn.Size()) Errors().ReadError();
                Errors().Invalid();
            }
            b.End = b.Start + length;
            blocks.push_back(b);
            pos = b.End;
        }
        return blocks;
    }

    // Where the leading chunk of a block ends.
    uint64_t ChunkEnd(const Block& b) const {
        uint64_t length = b.InitialLength;
        if (FMajor >= 4) length = Le32(FIn.Read(b.Start, 4).data());
        if (length > b.End - b.Start) Errors().Invalid();
        return b.Start + length;
    }

    // The leading chunk's fields, without the length that starts it since version 4 (so that
    // the fields of every version lie at the same offsets), padded with zeros to at least min
    // bytes.
    std::vector<uint8_t> Chunk(const Block& b, size_t min) const {
        const uint64_t begin = b.Start + (FMajor >= 4 ? 4 : 0);
        const uint64_t end = std::max(ChunkEnd(b), begin);
        std::vector<uint8_t> chunk = FIn.Read(begin, std::min<uint64_t>(end - begin, 4096));
        if (chunk.size() < min) chunk.resize(min, 0);
        return chunk;
    }

    // The blocks inside a block, past its chunks.
    std::vector<Block> Children(const Block& b) const {
        uint64_t pos = b.Start + (FMajor >= 4 ? 0 : b.InitialLength);
        if (FMajor >= 4) {
            while (b.End - pos >= 4) {
                const std::vector<uint8_t> head = FIn.Read(pos, 4);
                if (std::memcmp(head.data(), "~BK\0", 4) == 0) break;
                const uint32_t length = Le32(head.data());
                if (length < 4 || length > b.End - pos) Errors().Invalid();
                pos += length;
            }
        }
        return pos < b.End ? Blocks(pos, b.End) : std::vector<Block>{};
    }

    std::vector<Pixel> ReadPalette(const Block& b) const {
        const uint32_t count = Le32(Chunk(b, 4).data());
        const uint64_t at = ChunkEnd(b);
        if (count > 256 || uint64_t(count) * 4 > b.End - at) Errors().InvalidColor();
        const std::vector<uint8_t> entries = FIn.Read(at, uint64_t(count) * 4);
        std::vector<Pixel> palette(count);
        for (size_t i = 0; i < count; ++i)  // blue, green, red, unused
            palette[i] = MakePixel(entries[4 * i + 2], entries[4 * i + 1], entries[4 * i]);
        return palette;
    }

    // A channel of the picture itself, or none for masks and thumbnails.
    std::optional<ChannelData> ReadChannel(const Block& b) const {
        const std::vector<uint8_t> c = Chunk(b, 12);
        const uint32_t compressed = Le32(&c[0]);
        if (Le16(&c[8]) != ImageBitmap) return std::nullopt;
        const uint64_t at = ChunkEnd(b);
        if (compressed > b.End - at) Errors().ReadError();
        return ChannelData{Le16(&c[10]), Le32(&c[4]), FIn.Read(at, compressed)};
    }

    std::vector<uint8_t> ReadJpeg(const Block& b) const {
        const std::vector<uint8_t> c = Chunk(b, 4);
        const uint64_t at = ChunkEnd(b);
        const uint32_t compressed = Le32(&c[0]);
        if (compressed > b.End - at) Errors().ReadError();
        return FIn.Read(at, compressed);
    }

    // Gathers the channels, palette and JPEG data found in the blocks and the composite image
    // blocks among them.
    void Collect(const std::vector<Block>& blocks, ImageParts& parts, int depth = 0) const {
        if (depth > 2) Errors().Invalid();
        for (const Block& b : blocks) {
            if (b.Id == Channel) {
                if (auto channel = ReadChannel(b)) parts.Channels.push_back(std::move(*channel));
            } else if (b.Id == Palette) {
                parts.Palette = ReadPalette(b);
            } else if (b.Id == JpegImage) {
                parts.Jpeg = ReadJpeg(b);
            } else if (b.Id == CompositeImage) {
                Collect(Children(b), parts, depth + 1);
            }
        }
    }

  private:
    const TFormatInput& FIn;
    int FMajor;
};

// Run-length data: a count above 128 repeats the next byte count - 128 times, any other count
// introduces that many literal bytes.
std::vector<uint8_t> UnpackRunLength(const std::vector<uint8_t>& in, size_t size,
                                     const TFormatErrors& errors) {
    std::vector<uint8_t> out(size, 0);
    size_t pos = 0, o = 0;
    while (pos < in.size() && o < size) {
        const uint8_t n = in[pos++];
        if (n > 128) {
            if (pos >= in.size()) errors.ReadError();
            const size_t count = std::min<size_t>(n - 128u, size - o);
            std::memset(out.data() + o, in[pos++], count);
            o += count;
        } else {
            if (in.size() - pos < n) errors.ReadError();
            const size_t count = std::min<size_t>(n, size - o);
            std::memcpy(out.data() + o, in.data() + pos, count);
            pos += n;
            o += count;
        }
    }
    if (o < size) errors.ReadError();
    return out;
}

std::vector<uint8_t> Inflate(const std::vector<uint8_t>& in, size_t size) {
    std::vector<uint8_t> out(size);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw EInvalidGraphic("LZ77 decompression error.");
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = uInt(in.size());
    z.next_out = out.data();
    z.avail_out = uInt(size);
    const int result = inflate(&z, Z_FINISH);
    const size_t produced = size - z.avail_out;
    inflateEnd(&z);
    if ((result != Z_STREAM_END && result != Z_BUF_ERROR && result != Z_OK) || produced < size)
        throw EInvalidGraphic("LZ77 decompression error.");
    return out;
}

// Decodes the parts of one picture (or layer) of the given layout into pixels.
Bitmap32 Compose(const Layout& layout, ImageParts& parts, const TFormatInput& input) {
    const TFormatErrors& errors = input.Errors();
    if (layout.Compression == Jpeg || !parts.Jpeg.empty()) {
        if (parts.Jpeg.empty()) errors.Invalid();
        // At least one bit of entropy-coded data for every 8 x 8 block.
        const JpegHeader header = ReadJpegHeader(parts.Jpeg);
        const uint64_t blocks =
            (uint64_t(header.Width) + 7) / 8 * ((uint64_t(header.Height) + 7) / 8);
        input.CheckData(header.Width, header.Height, blocks, parts.Jpeg.size(),
                        MaxJpegBlocksPerByte);
        input.Budget().AllowImage(header.Width, header.Height);
        return DecodeJpeg(parts.Jpeg, false);
    }
    const int depth = layout.BitDepth;
    const bool colour = depth == 24;
    if (depth != 1 && depth != 4 && depth != 8 && !colour)
        errors.NotSupported(std::to_string(depth) + "-bit pictures");
    const int bitsPerChannel = colour ? 8 : depth;
    const uint64_t minimal = (uint64_t(layout.Width) * bitsPerChannel + 7) / 8;
    const uint64_t padded = (minimal + 3) & ~uint64_t(3);

    // The channels of the picture: red, green and blue, or one of indices or grey.
    std::array<const ChannelData*, 3> wanted{};
    for (const ChannelData& c : parts.Channels) {
        const int slot = colour ? (c.Kind >= Red && c.Kind <= Blue ? c.Kind - Red : -1)
                                : (c.Kind == Composite ? 0 : -1);
        if (slot >= 0 && !wanted[size_t(slot)]) wanted[size_t(slot)] = &c;
    }
    const size_t count = colour ? 3 : 1;
    for (size_t i = 0; i < count; ++i)
        if (!wanted[i]) errors.Invalid();

    const uint64_t ratio = layout.Compression == RunLength ? MaxRunBytesPerByte
                           : layout.Compression == LZ77    ? MaxInflateBytesPerByte
                                                           : 1;
    std::array<std::vector<uint8_t>, 3> planes;
    std::array<uint64_t, 3> strides{};
    for (size_t i = 0; i < count; ++i) {
        const ChannelData& c = *wanted[i];
        // Rows are padded to four bytes by most writers; the stated size tells.
        const uint64_t stride = c.Uncompressed == padded * layout.Height ? padded : minimal;
        const uint64_t size = stride * layout.Height;
        input.CheckData(layout.Width, layout.Height, size, c.Bytes.size(), ratio);
        switch (layout.Compression) {
            case None:
                if (c.Bytes.size() < size) errors.ReadError();
                planes[i] = c.Bytes;
                break;
            case RunLength:
                planes[i] = UnpackRunLength(c.Bytes, size_t(size), errors);
                break;
            case LZ77:
                planes[i] = Inflate(c.Bytes, size_t(size));
                break;
            default:
                errors.Invalid();
        }
        strides[i] = stride;
    }

    std::vector<Pixel> palette = parts.Palette;
    if (!colour && (layout.Grey || palette.empty())) {
        palette.resize(size_t(1) << depth);
        for (size_t i = 0; i < palette.size(); ++i) {
            const uint8_t g = uint8_t(i * 255 / (palette.size() - 1));
            palette[i] = MakePixel(g, g, g);
        }
    }
    input.Budget().AllowImage(layout.Width, layout.Height);
    Bitmap32 image(layout.Width, layout.Height);
    for (int32_t y = 0; y < layout.Height; ++y) {
        Pixel* out = image.Scanline(y);
        auto row = [&](size_t i) { return planes[i].data() + strides[i] * uint64_t(y); };
        if (colour) {
            const uint8_t *r = row(0), *g = row(1), *b = row(2);
            for (int32_t x = 0; x < layout.Width; ++x) out[x] = MakePixel(r[x], g[x], b[x]);
            continue;
        }
        const uint8_t* in = row(0);
        for (int32_t x = 0; x < layout.Width; ++x) {
            const int perByte = 8 / depth;
            const size_t index =
                in[x / perByte] >> (8 - depth * (x % perByte + 1)) & ((1 << depth) - 1);
            out[x] = index < palette.size() ? palette[index] : 0;
        }
    }
    return image;
}

}  // namespace

Bitmap32 TPSPGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("Paintshop Pro");
    const TFormatInput input(stream, budget, errors);
    const std::vector<uint8_t> head = input.Read(0, FileHeaderSize);
    if (std::memcmp(head.data(), Signature, sizeof Signature - 1) != 0) errors.Invalid();
    const int major = Le16(&head[32]);
    if (major < 3) errors.NotSupported("Version " + std::to_string(major));
    const PspReader reader(input, major);
    const std::vector<Block> blocks = reader.Blocks(FileHeaderSize, input.Size());

    auto attributes = std::find_if(blocks.begin(), blocks.end(),
                                   [](const Block& b) { return b.Id == ImageAttributes; });
    if (attributes == blocks.end()) errors.Invalid();
    const std::vector<uint8_t> a = reader.Chunk(*attributes, 28);
    Layout picture{int32_t(Le32(&a[0])), int32_t(Le32(&a[4])), Le16(&a[19]), Le16(&a[17]),
                   a[27] != 0};
    if (picture.Width <= 0 || picture.Height <= 0) errors.Invalid();
    input.CheckSize(picture.Width, picture.Height);
    std::vector<Pixel> palette;
    for (const Block& b : blocks)
        if (b.Id == Palette) palette = reader.ReadPalette(b);

    // The composite of the whole picture, where the file keeps one: the attributes of each
    // composite pair up in order with the images that follow them.
    for (const Block& bank : blocks) {
        if (bank.Id != CompositeBank) continue;
        std::vector<Layout> layouts;
        std::vector<ImageParts> images;
        for (const Block& b : reader.Children(bank)) {
            if (b.Id == CompositeAttributes) {
                const std::vector<uint8_t> c = reader.Chunk(b, 20);
                layouts.push_back(Layout{int32_t(Le32(&c[0])), int32_t(Le32(&c[4])), Le16(&c[8]),
                                         Le16(&c[10]), picture.Grey,
                                         Le16(&c[18]) != CompositeIsWhole});
                ImageParts inner;
                reader.Collect(reader.Children(b), inner);
                if (!inner.Channels.empty() || !inner.Jpeg.empty())
                    images.push_back(std::move(inner));
            } else if (b.Id == CompositeImage || b.Id == JpegImage) {
                ImageParts parts;
                reader.Collect({b}, parts);
                images.push_back(std::move(parts));
            }
        }
        for (size_t i = 0; i < layouts.size() && i < images.size(); ++i) {
            if (layouts[i].Thumbnail) continue;
            if (images[i].Palette.empty()) images[i].Palette = palette;
            return Compose(layouts[i], images[i], input);
        }
    }

    // Otherwise the first layer with pixels of its own, in its place on a white canvas.
    for (const Block& bank : blocks) {
        if (bank.Id != LayerBank) continue;
        for (const Block& layer : reader.Children(bank)) {
            if (layer.Id != Layer) continue;
            ImageParts parts;
            reader.Collect(reader.Children(layer), parts);
            if (parts.Channels.empty()) continue;
            const std::vector<uint8_t> info = reader.Chunk(layer, 300);
            const size_t rectAt = major >= 4 ? 2u + Le16(&info[0]) + 1 : 257;
            if (rectAt + 16 > info.size()) errors.Invalid();
            auto field = [&](size_t at) { return int64_t(int32_t(Le32(&info[rectAt + at]))); };
            const int64_t left = field(0), top = field(4), right = field(8), bottom = field(12);
            if (right <= left || bottom <= top) continue;
            Layout layout = picture;
            input.CheckSize(right - left, bottom - top);
            layout.Width = int32_t(right - left);
            layout.Height = int32_t(bottom - top);
            parts.Palette = palette;
            // The canvas around the layer is no data of the file's: it may be only as large as
            // the file could hold.
            input.CheckData(picture.Width, picture.Height,
                            uint64_t(picture.Width) * uint64_t(picture.Height), input.Size(),
                            MaxInflateBytesPerByte);
            const Bitmap32 pixels = Compose(layout, parts, input);
            input.Budget().AllowImage(picture.Width, picture.Height);
            Bitmap32 canvas(picture.Width, picture.Height, 0xFFFFFF);
            // The part of the layer that lies on the canvas.
            for (int64_t y = std::max<int64_t>(0, top);
                 y < std::min<int64_t>(bottom, picture.Height); ++y)
                for (int64_t x = std::max<int64_t>(0, left);
                     x < std::min<int64_t>(right, picture.Width); ++x)
                    canvas.SetPixel(int32_t(x), int32_t(y),
                                    pixels.GetPixel(int32_t(x - left), int32_t(y - top)));
            return canvas;
        }
    }
    errors.Invalid();
}

void RegisterPSPFormats(TFileFormatList& list) {
    list.RegisterFileFormat("psp", "Paintshop Pro images", "", ftRaster | ftVector, false,
                            GraphicClassOf<TPSPGraphic>());
}

}  // namespace corvane
