#include "imaging/formats/AVIFGraphic.h"

#include "imaging/formats/HeifDecoder.h"

namespace corvane {

TDecodedPicture TAVIFGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    // libheif parses the container from memory.
    const std::vector<uint8_t> data = budget.ReadWhole(stream);
    return DecodeHeif(data, "AVIF", budget);
}

}  // namespace corvane
