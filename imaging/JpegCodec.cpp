#include "imaging/JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
// jerror.h needs jpeglib.h first.
#include <jerror.h>

#include "imaging/ImagingErrors.h"
#include "imaging/Orientation.h"
#include "imaging/PictureLimits.h"

namespace corvane {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return. It jumps back to
// the call that started the work; that call then cleans up and throws. No C++ object with a
// destructor lives in the frames the jump leaves. The progress monitor ends a decode that reads
// more scans than MaxJpegScans the same way.
struct ErrorManager {
    jpeg_error_mgr Pub;
    jpeg_progress_mgr Progress;
    std::jmp_buf Jump;
};

void LimitScans(j_common_ptr cinfo) {
    // Every scan of a progressive file is a pass over the whole picture, however few bytes it
    // has: a file of thousands of empty scans is refused with libjpeg's code for a bad scan
    // sequence.
    const int scan = reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number;
    if (scan > MaxJpegScans) ERREXIT1(cinfo, JERR_BAD_SCAN_SCRIPT, scan);
}

void ErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->Jump, 1);
}
void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}

// Sets up a decompressor over the bytes; the caller calls setjmp right after.
void Prepare(jpeg_decompress_struct& cinfo, ErrorManager& errors) {
    cinfo.err = jpeg_std_error(&errors.Pub);
    errors.Pub.error_exit = ErrorExit;
    errors.Pub.emit_message = EmitMessage;
    errors.Pub.output_message = OutputMessage;
    errors.Progress = jpeg_progress_mgr{};
    errors.Progress.progress_monitor = LimitScans;
}

// The Orientation of the first EXIF block among the APP1 segments libjpeg has kept (others hold
// XMP and the like).
int SavedExifOrientation(const jpeg_decompress_struct& cinfo) {
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 &&
            std::memcmp(m->data, "Exif\0", 5) == 0)
            return ReadExifOrientation(Bytes(m->data, m->data_length));
    return OrientationAsStored;
}

// 0 on success, else libjpeg's message code.
int ReadHeaderC(const uint8_t* data, size_t size, JpegHeader* out) {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    Prepare(cinfo, errors);
    if (setjmp(errors.Jump)) {
        const int code = errors.Pub.msg_code;
        jpeg_destroy_decompress(&cinfo);
        return code ? code : -1;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    out->Orientation = SavedExifOrientation(cinfo);
    out->Width = int32_t(cinfo.image_width);
    out->Height = int32_t(cinfo.image_height);
    out->Grayscale = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    // The headers end at the first scan; what follows is the entropy-coded data of all scans.
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& component = cinfo.comp_info[c];
        out->LargestComponentBlocks =
            std::max(out->LargestComponentBlocks,
                     uint64_t(component.width_in_blocks) * component.height_in_blocks);
    }
    out->ScanBytes = cinfo.src->bytes_in_buffer;
    jpeg_destroy_decompress(&cinfo);
    return 0;
}

// Decodes into out, which already has the picture's size. 0 on success, else the message code.
int DecodeC(const uint8_t* data, size_t size, bool quantize, Bitmap32* out) {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    Prepare(cinfo, errors);
    if (setjmp(errors.Jump)) {
        const int code = errors.Pub.msg_code;
        jpeg_destroy_decompress(&cinfo);
        return code ? code : -1;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &errors.Progress;  // creating the decompressor clears it
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = 1;
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_block_smoothing = TRUE;
    cinfo.buffered_image = FALSE;
    if (quantize) {
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 236;
        cinfo.two_pass_quantize = TRUE;
        cinfo.dither_mode = JDITHER_FS;
    } else {
        // Blue, green, red and a fourth byte: the 32-bit pixel's own layout, so the rows are
        // decoded straight into the bitmap.
        cinfo.out_color_space = JCS_EXT_BGRX;
    }
    jpeg_start_decompress(&cinfo);
    if (int32_t(cinfo.output_width) != out->Width() ||
        int32_t(cinfo.output_height) != out->Height()) {
        jpeg_destroy_decompress(&cinfo);
        return -1;
    }
    const int32_t width = out->Width();
    if (quantize) {
        JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                    JPOOL_IMAGE, cinfo.output_width, 1);
        JSAMPARRAY map = cinfo.colormap;
        const bool gray = cinfo.out_color_components == 1;
        while (cinfo.output_scanline < cinfo.output_height) {
            const int32_t y = int32_t(cinfo.output_scanline);
            if (jpeg_read_scanlines(&cinfo, row, 1) != 1) break;
            Pixel* line = out->Scanline(y);
            const JSAMPLE* in = row[0];
            for (int32_t x = 0; x < width; ++x) {
                const int i = in[x];
                line[x] = gray ? MakePixel(map[0][i], map[0][i], map[0][i])
                               : MakePixel(map[0][i], map[1][i], map[2][i]);
            }
        }
    } else {
        constexpr int kRows = 16;
        JSAMPROW rows[kRows];
        while (cinfo.output_scanline < cinfo.output_height) {
            const int32_t y = int32_t(cinfo.output_scanline);
            const int32_t count = std::min<int32_t>(kRows, int32_t(cinfo.output_height) - y);
            for (int32_t i = 0; i < count; ++i)
                rows[i] = reinterpret_cast<JSAMPROW>(out->Scanline(y + i));
            const JDIMENSION read = jpeg_read_scanlines(&cinfo, rows, JDIMENSION(count));
            if (read == 0) break;
            // libjpeg sets the fourth byte; the pixel's unused byte is 0.
            for (JDIMENSION i = 0; i < read; ++i) {
                Pixel* line = out->Scanline(y + int32_t(i));
                for (int32_t x = 0; x < width; ++x) line[x] &= 0x00FFFFFFu;
            }
        }
    }
    // Rows the data did not reach stay black.
    for (int32_t y = int32_t(cinfo.output_scanline); y < out->Height(); ++y)
        std::fill_n(out->Scanline(y), width, Pixel(0));
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return 0;
}

}  // namespace

JpegHeader ReadJpegHeader(Bytes data) {
    JpegHeader header;
    if (int code = ReadHeaderC(data.data(), data.size(), &header)) throw EJPEG(code);
    // A size past the limit is refused as such; below it, the data must be able to cover the
    // picture, or else a few bytes with a patched frame header would cost the full picture.
    CheckPictureSize(header.Width, header.Height);
    if (!DataCanYield(header.ScanBytes, header.LargestComponentBlocks, MaxJpegBlocksPerByte))
        throw EJPEG(JERR_INPUT_EOF);
    return header;
}

Bitmap32 DecodeJpeg(Bytes data, bool quantize) {
    const JpegHeader header = ReadJpegHeader(data);
    CheckPictureSize(header.Width, header.Height);
    Bitmap32 image;
    image.SetSizeForOverwrite(header.Width, header.Height);
    if (int code = DecodeC(data.data(), data.size(), quantize, &image)) throw EJPEG(code);
    return image;
}

}  // namespace corvane
